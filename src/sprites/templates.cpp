// The 34 templates every sprite is copied from, the weapons and the spawner's traffic.
#include <initializer_list>

#include "actors/actors.h"
#include "sprites/sprites.h"

namespace {
constexpr uint32_t ON_FOOT = SPRITE_ON_FOOT;
constexpr uint32_t SOLID = SPRITE_SOLID;
constexpr uint32_t TOP = layer_flag(LAYER_TOP);
constexpr uint32_t BOTTOM = layer_flag(LAYER_BOTTOM);
constexpr uint32_t TRANSLUCENT = SPRITE_TRANSLUCENT;
constexpr uint32_t HARMFUL = SPRITE_HARMFUL;
constexpr uint32_t HEAVY = SPRITE_HEAVY;
constexpr uint32_t WRECKED = SPRITE_WRECKED;
constexpr uint32_t POLICE = faction_flag(FACTION_POLICE);
constexpr uint32_t CRIMINAL = faction_flag(FACTION_CRIMINAL);

Sprite make_template(std::initializer_list<int> objects, Behaviour behaviour, int power,
                     int period, uint32_t flags, int max_health)
{
    Sprite t{};
    for (int object : objects) t.images[t.image_count++].object = object;
    t.behaviour = behaviour;
    t.power = power;
    t.period = period;
    t.flags = flags;
    t.max_health = max_health;
    return t;
}

Sprite car(int normal, int door_open, int power, uint32_t flags = SOLID)
{
    return make_template({normal, door_open}, traffic_car_behaviour, power, 1, flags, 100);
}
}  // namespace

Sprite templates[TEMPLATE_COUNT] = {
    make_template({80}, nullptr, 8, 1, SOLID | HEAVY | WRECKED, 100),
    make_template({2, 3}, crowd_behaviour, 8, 1, SOLID | HEAVY | WRECKED, 100),
    make_template({33}, static_behaviour, 12, 1, SOLID | HEAVY | WRECKED, 100),
    make_template({51}, static_behaviour, 8, 1, SOLID | HEAVY | WRECKED, 100),
    make_template({17, 18, 17, 19, 20, 21}, stroller_behaviour, 5, 5, ON_FOOT | SOLID, 3),
    make_template({38, 39, 40, 39, 38, 41, 42, 41, 45, 43, 44}, pedestrian_behaviour, 2, 8,
                  ON_FOOT | SOLID, 3),
    make_template({59, 60, 61, 60, 59, 62, 63, 62, 66, 64, 65}, pedestrian_behaviour, 5, 5,
                  ON_FOOT | SOLID | CRIMINAL, 3),
    make_template({38, 38, 38, 38, 38}, stroller_behaviour, 3, 12, ON_FOOT | SOLID, 3),
    make_template({9, 10, 11, 10, 9, 12, 13, 12, 16, 14, 15}, cop_on_foot_behaviour, 5, 5,
                  ON_FOOT | SOLID | POLICE, 3),
    car(49, 48, 12),
    car(37, 36, 19),
    car(71, 70, 10),
    car(69, 68, 12),
    car(35, 34, 18),
    car(31, 30, 18),
    car(8, 7, 11),
    car(79, 78, 13, SOLID | HEAVY),
    car(47, 46, 13),
    car(1, 0, 13),
    car(54, 53, 9),
    make_template({55, 57, 58, 56}, police_car_behaviour, 16, 1, SOLID | POLICE, 100),
    car(82, 81, 12),
    make_template({73, 74}, one_shot_behaviour, 0, 10, ON_FOOT | TOP | TRANSLUCENT, 0),
    make_template({72, 72, 72, 72, 72}, one_shot_behaviour, 5, 4, TOP | TRANSLUCENT | HARMFUL, 0),
    make_template({32}, one_shot_behaviour, 2, 2, TOP | HARMFUL, 0),
    make_template({22, 23, 24, 25, 26, 27, 28, 29}, explosion_behaviour, 0, 15,
                  SOLID | TOP | TRANSLUCENT | HARMFUL, 200),
    make_template({67}, rocket_behaviour, 20, 1, SOLID | TOP | HARMFUL, 300),
    make_template({6}, bullet_behaviour, 30, 1, ON_FOOT | SOLID | TOP | HARMFUL, 10),
    make_template({32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32},
                  one_shot_behaviour, 21, 1, SOLID | TOP | HARMFUL, 1),
    make_template({22}, nullptr, 0, 0, ON_FOOT | BOTTOM | TRANSLUCENT, 0),
    make_template({4}, bomb_behaviour, 0, 1000, ON_FOOT | BOTTOM, 0),
    make_template({52}, one_shot_behaviour, 0, 1, ON_FOOT, 100),
    make_template({5}, briefcase_behaviour, 0, 0, ON_FOOT | BOTTOM, 0),
    make_template({75, 76, 77, 76, 75}, one_shot_behaviour, 0, 200,
                  ON_FOOT | BOTTOM | TRANSLUCENT, 0),
};

Sprite &obstacle_template = templates[0], &crowd_template = templates[1],
       &still_a_template = templates[2], &still_b_template = templates[3],
       &stroller_a_template = templates[4], &pedestrian_template = templates[5],
       &skidrunner_template = templates[6], &stroller_b_template = templates[7],
       &cop_template = templates[8], &car_a_template = templates[9],
       &car_b_template = templates[10], &car_c_template = templates[11],
       &car_d_template = templates[12], &car_e_template = templates[13],
       &car_f_template = templates[14], &car_g_template = templates[15],
       &car_h_template = templates[16], &car_i_template = templates[17],
       &car_j_template = templates[18], &car_k_template = templates[19],
       &police_car_template = templates[20], &car_l_template = templates[21],
       &splash_template = templates[22], &smoke_template = templates[23],
       &fire_template = templates[24], &explosion_template = templates[25],
       &rocket_template = templates[26], &bullet_template = templates[27],
       &flame_template = templates[28], &marker_template = templates[29],
       &bomb_template = templates[30], &start_marker_template = templates[31],
       &briefcase_template = templates[32], &death_mark_template = templates[33];

Weapon weapons[WEAPON_COUNT] = {
    {&templates[27], 35},
    {&templates[27], 10},
    {&templates[28], 5},
    {&templates[26], 70},
};
Weapon *current_weapon = &weapons[2];

Sprite *const car_templates[12] = {
    &templates[15], &templates[9],  &templates[12], &templates[13], &templates[14], &templates[16],
    &templates[17], &templates[21], &templates[18], &templates[19], &templates[11], &templates[10],
};

int template_index(const Sprite *s)
{
    for (int t = 0; t < TEMPLATE_COUNT; t++) {
        if (templates[t].image_count != s->image_count) continue;
        int i = 0;
        while (i < s->image_count && templates[t].images[i].object == s->images[i].object) i++;
        if (i == s->image_count) return t;
    }
    return -1;
}
