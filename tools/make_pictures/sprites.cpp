// sprites.dat: objects 0..82 in the order the sprite templates name them.
#include "effects.h"
#include "pictures.h"

#include <string>
#include <utility>
#include <vector>

namespace {

struct car_slot {
    int normal, door_open;
    const char *model;
};

// Each traffic model: its picture and the same car with the driver's door open.
constexpr car_slot car_slots[] = {
    {1, 0, "taxi"},       {8, 7, "estate"},      {31, 30, "muscle"}, {35, 34, "convertible"},
    {37, 36, "sports"},   {47, 46, "pickup"},    {49, 48, "saloon"}, {54, 53, "compact"},
    {69, 68, "hatchback"}, {71, 70, "van"},      {79, 78, "truck"},  {82, 81, "limousine"},
};

struct walker_slot {
    int figure;
    int first;  // the standing pose; the other poses follow in this order
    const char *name;
};

// Standing, half and full stride on one foot, half and full on the other, then struck, lying
// and shooting, as the cop, pedestrian and skidrunner templates use them.
constexpr int walker_order[] = {POSE_STAND,  POSE_STEP_A_HALF, POSE_STEP_A_FULL, POSE_STEP_B_HALF,
                                POSE_STEP_B_FULL, POSE_STRUCK, POSE_LYING, POSE_SHOOT};
constexpr walker_slot walker_slots[] = {
    {FIGURE_COP, 9, "cop"},
    {FIGURE_PEDESTRIAN, 38, "pedestrian"},
    {FIGURE_SKIDRUNNER, 59, "skidrunner"},
};

constexpr int SPRITE_OBJECT_COUNT = 83;

}  // namespace

picture_set make_sprite_pictures()
{
    std::vector<std::pair<std::string, picture>> slots(SPRITE_OBJECT_COUNT);
    auto put = [&](int index, const char *name, picture p) { slots[index] = {name, std::move(p)}; };

    for (const car_slot &c : car_slots) {
        int model = car_model_named(c.model);
        put(c.normal, c.model, make_car_picture(model, false));
        put(c.door_open, (std::string(c.model) + "_door").c_str(), make_car_picture(model, true));
    }
    put(55, "police", make_police_car_picture(0, false));
    put(56, "police_door", make_police_car_picture(0, true));
    put(57, "police_siren_red", make_police_car_picture(1, false));
    put(58, "police_siren_blue", make_police_car_picture(2, false));

    for (const walker_slot &w : walker_slots)
        for (int i = 0; i < 8; ++i)
            put(w.first + i, w.name, make_walker_picture(w.figure, walker_order[i]));
    put(17, "stroller", make_walker_picture(FIGURE_STROLLER, POSE_STAND));
    put(18, "stroller_step", make_walker_picture(FIGURE_STROLLER, POSE_STEP_A_FULL));
    put(19, "stroller_step", make_walker_picture(FIGURE_STROLLER, POSE_STEP_B_FULL));
    put(20, "stroller_struck", make_walker_picture(FIGURE_STROLLER, POSE_STRUCK));
    put(21, "stroller_lying", make_walker_picture(FIGURE_STROLLER, POSE_LYING));

    // the blast: a flash, a growing fireball, then smoke breaking up
    for (int i = 0; i < BLAST_FRAMES; ++i)
        put(22 + i, i == 0 ? "blast_flash" : "blast", make_blast_frame(i));

    put(2, "crowd", make_crowd());
    put(3, "crowd_gone", make_crowd_litter());
    put(4, "bomb", make_bomb());
    put(5, "briefcase", make_briefcase());
    put(6, "bullet", make_bullet());
    put(32, "flame", make_flame());
    put(33, "fountain", make_fountain());
    put(50, "cone", make_traffic_cone());
    put(51, "tree", make_tree());
    put(52, "start_marker", make_start_marker());
    put(67, "rocket", make_rocket());
    put(72, "smoke", make_smoke_puff());
    put(73, "splash", make_splash(0));
    put(74, "splash", make_splash(1));
    put(75, "blood", make_blood_stain(12, 0xb10d1));
    put(76, "blood", make_blood_stain(18, 0xb10d2));
    put(77, "blood", make_blood_stain(24, 0xb10d3));
    put(80, "barrier", make_barrier());

    picture_set set;
    for (int i = 0; i < SPRITE_OBJECT_COUNT; ++i)
        set.push_back({indexed_name(i, slots[i].first.c_str()), std::move(slots[i].second)});
    return set;
}
