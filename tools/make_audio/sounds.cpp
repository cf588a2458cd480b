#include "sounds.h"

#include <cmath>

#include "loudness.h"
#include "recipes.h"

namespace {

// How loud each sound is heard: the A-weighted level of its loudest 300 ms, in dB of full
// scale. Every effect sits at one level, so a scream carries as well as a crash and a gunshot
// is not lost under a horn; footsteps (which every pedestrian near the player makes) and the
// menu's tick sit well below them.
constexpr float EFFECT_DB = -14.0f;
constexpr float TICK_DB = -24.0f;
constexpr float STEP_DB = -26.0f;

// The highest sample any effect may reach: a little headroom under full scale.
constexpr float CEILING = 0.93f;

struct Recipe {
    int index;
    const char *name;
    Wave (*make)();
    float level_db = EFFECT_DB;
    bool looped = false;   // the game holds it down: it keeps the same gain from end to start
};

Wave left_footstep() { return footstep(true); }
Wave right_footstep() { return footstep(false); }

// Which object the game plays for what. Indices not listed are unused by the game.
constexpr Recipe recipes[] = {
    {2, "horn", horn, EFFECT_DB, true},
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
    {22, "tyres", tyre_screech, EFFECT_DB, true},
    {23, "menu_move", menu_click, TICK_DB},
    {24, "gunshot", gunshot},
    {25, "arrest", arrest},
    {26, "step_left", left_footstep, STEP_DB},
    {27, "step_right", right_footstep, STEP_DB},
    {28, "splat", body_splat},
};

// Brings a sound to its level by measuring it, as a listener would. A peak that would pass the
// ceiling is limited, which takes a little loudness away again, so it measures once more.
Wave at_level(Wave wave, const Recipe &recipe)
{
    for (int pass = 0; pass < 6; ++pass) {
        double error = recipe.level_db - effect_loudness_db(wave, SAMPLE_RATE);
        if (std::fabs(error) < 0.05) break;
        scale(wave, db_to_gain(static_cast<float>(error)));
        if (!recipe.looped) limit_peaks(wave, CEILING);
    }
    return wave;
}

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
            effects.push_back({index, padded(index) + "_" + found->name, at_level(found->make(), *found)});
        } else {
            // A spare keeps the later objects at their numbers; 10 ms of silence.
            effects.push_back({index, padded(index) + "_spare", Wave(samples_for(0.01f), 0.0f)});
        }
    }
    return effects;
}
