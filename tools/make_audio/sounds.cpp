#include "sounds.h"

#include "recipes.h"

namespace {

struct Recipe {
    int index;
    const char *name;
    Wave (*make)();
};

Wave left_footstep() { return footstep(true); }
Wave right_footstep() { return footstep(false); }

// Which object the game plays for what. Indices not listed are unused by the game.
constexpr Recipe recipes[] = {
    {2, "horn", horn},
    {5, "groan_long", groan_long},
    {6, "banner", banner_sting},
    {7, "crash_heavy", crash_heavy},
    {8, "crash_glass", crash_glass},
    {10, "explosion", explosion},
    {14, "police", police_whoop},
    {15, "scream_woman", scream_woman},
    {16, "scream_man", scream_man},
    {17, "thud", body_thud},
    {18, "scream_yelp", scream_yelp},
    {19, "groan_short", groan_short},
    {21, "scream_shriek", scream_shriek},
    {22, "tyres", tyre_screech},
    {23, "menu_move", menu_click},
    {24, "gunshot", gunshot},
    {25, "arrest", arrest},
    {26, "step_left", left_footstep},
    {27, "step_right", right_footstep},
    {28, "splat", body_splat},
};

std::string padded(int index)
{
    return std::string(1, static_cast<char>('0' + index / 10)) + static_cast<char>('0' + index % 10);
}

} // namespace

std::vector<SoundEffect> make_sound_effects()
{
    std::vector<SoundEffect> effects;
    for (int index = 0; index < SOUND_OBJECT_COUNT; ++index) {
        const Recipe *found = nullptr;
        for (const Recipe &r : recipes)
            if (r.index == index) found = &r;
        if (found) {
            effects.push_back({index, padded(index) + "_" + found->name, found->make()});
        } else {
            // A spare keeps the later objects at their numbers; 10 ms of silence.
            effects.push_back({index, padded(index) + "_spare", Wave(samples_for(0.01f), 0.0f)});
        }
    }
    return effects;
}
