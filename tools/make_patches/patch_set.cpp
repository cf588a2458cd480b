#include "patch_set.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "instruments.h"
#include "synth.h"

namespace {

struct Instrument {
    const char *name;
    Recipe recipe;
    double head_s;
    double loop_s;       // 0: the wave plays once
    int roots[4];        // MIDI keys of its waves, lowest first; 0 ends the list
    VolumeShape shape;
    float loudness;
    int grid_steps;      // the wave's pitch is a multiple of this many grid steps
};

// The tunes use programs 4 5 7 16 27 28 29 30 33 34 36 38 56 61 65 73 80 84 88 94 95; the
// others borrow the nearest of these, plus a piano and a string section kept for them.
constexpr Instrument INSTRUMENTS[] = {
    {"piano", acoustic_piano, 0.5, 0.1, {48, 60, 72}, {5000, 250}, 1.0f, 1},
    {"epiano", electric_piano, 0.4, 0.1, {55, 67, 79}, {3500, 150}, 1.0f, 1},
    {"fmpiano", fm_piano, 0.4, 0.1, {60, 72, 84}, {3000, 200}, 0.9f, 1},
    {"clav", clavinet, 0.35, 0.08, {52, 64, 76}, {1600, 60}, 0.75f, 1},
    {"organ", drawbar_organ, 0.15, 0.34, {48, 60, 72}, {0, 40}, 0.8f, 2},
    {"cleangtr", clean_guitar, 0.4, 0.1, {55, 67, 79}, {2500, 90}, 1.0f, 1},
    {"mutegtr", muted_guitar, 0.3, 0.0, {55, 67}, {0, 30}, 1.0f, 1},
    {"odgtr", overdriven_guitar, 0.4, 0.2, {62, 74, 86}, {8000, 100}, 0.95f, 1},
    {"distgtr", distortion_guitar, 0.3, 0.1, {43, 55, 67}, {6000, 70}, 0.8f, 1},
    {"fngrbass", finger_bass, 0.35, 0.1, {38, 50}, {4500, 70}, 1.1f, 1},
    {"pickbass", pick_bass, 0.35, 0.1, {38, 50}, {4000, 60}, 1.1f, 1},
    {"slapbass", slap_bass, 0.35, 0.1, {43, 55}, {3000, 60}, 1.1f, 1},
    {"synbass", synth_bass, 0.35, 0.05, {36, 48}, {0, 40}, 1.0f, 1},
    {"trumpet", trumpet, 0.4, 0.2, {66, 78}, {0, 90}, 1.0f, 1},
    {"brass", brass_section, 0.3, 0.4, {60, 72}, {0, 120}, 0.9f, 1},
    {"altosax", alto_sax, 0.4, 0.2, {62, 74}, {0, 80}, 1.0f, 1},
    {"flute", flute, 0.35, 0.4, {67, 79}, {0, 120}, 1.0f, 1},
    {"sqrlead", square_lead, 0.45, 0.4, {72, 84}, {0, 80}, 0.95f, 1},
    {"charang", charang_lead, 0.3, 0.6, {55, 67}, {0, 70}, 1.0f, 1},
    {"newage", new_age_pad, 0.6, 0.8, {60, 72}, {0, 700}, 0.8f, 1},
    {"halo", halo_pad, 0.6, 0.8, {55, 67}, {0, 900}, 0.8f, 1},
    {"sweep", sweep_pad, 0.4, 1.2, {53, 65}, {0, 800}, 0.8f, 1},
    {"strings", string_ensemble, 0.4, 0.8, {55, 67}, {0, 350}, 0.8f, 1},
};

// General MIDI programs, counted from 0, and the instrument that plays them.
struct ProgramRange {
    int first, last;
    const char *instrument;
};

constexpr ProgramRange PROGRAMS[] = {
    {0, 3, "piano"},      {4, 4, "epiano"},     {5, 5, "fmpiano"},    {6, 7, "clav"},
    {8, 15, "fmpiano"},   {16, 23, "organ"},    {24, 27, "cleangtr"}, {28, 28, "mutegtr"},
    {29, 29, "odgtr"},    {30, 30, "distgtr"},  {31, 31, "cleangtr"}, {32, 33, "fngrbass"},
    {34, 34, "pickbass"}, {35, 35, "fngrbass"}, {36, 37, "slapbass"}, {38, 39, "synbass"},
    {40, 44, "strings"},  {45, 45, "mutegtr"},  {46, 46, "cleangtr"}, {47, 47, "fngrbass"},
    {48, 51, "strings"},  {52, 54, "halo"},     {55, 55, "brass"},    {56, 60, "trumpet"},
    {61, 63, "brass"},    {64, 71, "altosax"},  {72, 79, "flute"},    {80, 80, "sqrlead"},
    {81, 81, "charang"},  {82, 83, "flute"},    {84, 84, "charang"},  {85, 85, "halo"},
    {86, 86, "sqrlead"},  {87, 87, "charang"},  {88, 88, "newage"},   {89, 89, "strings"},
    {90, 90, "sweep"},    {91, 91, "halo"},     {92, 92, "strings"},  {93, 93, "newage"},
    {94, 94, "halo"},     {95, 95, "sweep"},    {96, 103, "newage"},  {104, 108, "cleangtr"},
    {109, 111, "altosax"}, {112, 119, "fmpiano"}, {120, 127, "sweep"},
};

struct DrumSound {
    const char *name;
    DrumRecipe recipe;
    float level;
};

constexpr DrumSound DRUMS[] = {
    {"d_kick", kick_drum, 1.0f},     {"d_stick", side_stick, 0.7f},  {"d_snare", snare_drum, 0.9f},
    {"d_clap", hand_clap, 0.8f},     {"d_hatc", closed_hat, 0.4f},   {"d_hato", open_hat, 0.45f},
    {"d_tomlo", low_tom, 0.9f},      {"d_tommd", mid_tom, 0.9f},     {"d_tomhi", high_tom, 0.9f},
    {"d_crash", crash_cymbal, 0.6f}, {"d_ride", ride_cymbal, 0.5f},  {"d_tamb", tambourine, 0.5f},
    {"d_shake", shaker, 0.45f},      {"d_cowbl", cowbell, 0.5f},     {"d_conga", conga, 0.8f},
};

// General MIDI drum keys and their sound. The tunes use 36 37 38 39 42 43 46 47 49 50 51 54 82.
struct DrumKey {
    int key;
    const char *drum;
};

constexpr DrumKey DRUM_KEYS[] = {
    {27, "d_stick"}, {28, "d_clap"},  {29, "d_shake"}, {30, "d_shake"}, {31, "d_stick"}, {32, "d_stick"},
    {33, "d_stick"}, {34, "d_ride"},  {35, "d_kick"},  {36, "d_kick"},  {37, "d_stick"}, {38, "d_snare"},
    {39, "d_clap"},  {40, "d_snare"}, {41, "d_tomlo"}, {42, "d_hatc"},  {43, "d_tomlo"}, {44, "d_hatc"},
    {45, "d_tommd"}, {46, "d_hato"},  {47, "d_tommd"}, {48, "d_tomhi"}, {49, "d_crash"}, {50, "d_tomhi"},
    {51, "d_ride"},  {52, "d_crash"}, {53, "d_ride"},  {54, "d_tamb"},  {55, "d_crash"}, {56, "d_cowbl"},
    {57, "d_crash"}, {58, "d_tamb"},  {59, "d_ride"},  {60, "d_conga"}, {61, "d_conga"}, {62, "d_conga"},
    {63, "d_conga"}, {64, "d_conga"}, {65, "d_tomhi"}, {66, "d_tomhi"}, {67, "d_cowbl"}, {68, "d_cowbl"},
    {69, "d_shake"}, {70, "d_shake"}, {71, "d_stick"}, {72, "d_stick"}, {73, "d_shake"}, {74, "d_shake"},
    {75, "d_stick"}, {76, "d_stick"}, {77, "d_stick"}, {78, "d_conga"}, {79, "d_conga"}, {80, "d_ride"},
    {81, "d_ride"},  {82, "d_shake"}, {83, "d_tamb"},  {84, "d_ride"},  {85, "d_stick"}, {86, "d_tomlo"},
    {87, "d_tomlo"},
};

// Loudness every melodic wave is brought to (RMS, before its instrument's own level).
constexpr float MELODIC_RMS = 0.17f;
constexpr float HIGHEST_PEAK = 0.97f;
// The loudest a drum hits (before its own level): the kit sits a little under the band.
constexpr float DRUM_PEAK = 0.8f;

// The player's mixer steps through a wave in 1/256ths of a sample and rounds the step down,
// so at our rate notes come out some 3.4 cents flat on average: each root is lowered to match.
constexpr double MIXER_FLATNESS_CENTS = 3.4;

double key_hz(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

uint64_t seed_of(const char *name, int key)
{
    uint64_t h = 1469598103934665603ull;   // FNV-1a
    for (const char *c = name; *c; ++c) h = (h ^ static_cast<unsigned char>(*c)) * 1099511628211ull;
    return (h ^ static_cast<uint64_t>(key)) * 1099511628211ull;
}

// The loop of a wave near `target_hz`: a whole number of cycles (a multiple of grid_steps) in
// a whole number of samples, so that the wave's own pitch lands exactly on the grid.
NoteRequest plan_note(const Instrument &inst, int key)
{
    double target = key_hz(key);
    NoteRequest note{target, plan_loop(inst.head_s, 0.0), seed_of(inst.name, key)};
    if (inst.loop_s > 0.0) {
        long cycles = std::max(1L, std::lround(inst.loop_s * target / inst.grid_steps)) * inst.grid_steps;
        note.plan.length = static_cast<int>(std::lround(cycles * PATCH_RATE / target));
        note.f0 = cycles * note.plan.grid_hz();
    }
    return note;
}

void set_loudness(Wave &wave, const LoopPlan &plan, float loudness)
{
    float level = rms_of(wave, 0, plan.head);
    if (plan.length) level = std::max(level, rms_of(wave, plan.head, plan.total()));
    if (level <= 0.0f) return;
    scale(wave, MELODIC_RMS * loudness / level);
    float p = peak_of(wave);
    if (p > HIGHEST_PEAK) scale(wave, HIGHEST_PEAK / p);
}

Patch make_instrument(const Instrument &inst)
{
    Patch patch{inst.name, {}};
    int count = 0;
    while (count < 4 && inst.roots[count]) ++count;
    for (int i = 0; i < count; ++i) {
        int key = inst.roots[i];
        NoteRequest note = plan_note(inst, key);
        PatchWave wave;
        wave.data = inst.recipe(note);
        wave.data.resize(note.plan.total(), 0.0f);
        set_loudness(wave.data, note.plan, inst.loudness);
        wave.rate = PATCH_RATE;
        wave.root_hz = note.f0 * std::pow(2.0, -MIXER_FLATNESS_CENTS / 1200.0);
        // Each wave answers the keys nearer its root than its neighbours'.
        wave.low_hz = i == 0 ? 0.0 : std::sqrt(key_hz(inst.roots[i - 1]) * key_hz(key));
        wave.high_hz = i == count - 1 ? 20000.0 : std::sqrt(key_hz(key) * key_hz(inst.roots[i + 1]));
        if (note.plan.length) {
            wave.loop_start = note.plan.head;
            wave.loop_end = note.plan.total();
        }
        wave.shape = inst.shape;
        patch.waves.push_back(std::move(wave));
    }
    return patch;
}

Patch make_drum(const DrumSound &drum)
{
    PatchWave wave;
    wave.data = drum.recipe(seed_of(drum.name, 0));
    scale(wave.data, drum.level * DRUM_PEAK);
    wave.rate = PATCH_RATE;
    // Played at its own rate whatever the key, so the root only has to be a sane number.
    wave.root_hz = key_hz(60);
    wave.follows_key = false;
    return Patch{drum.name, {wave}};
}

} // namespace

std::vector<Patch> make_patch_set()
{
    std::vector<Patch> set;
    for (const Instrument &inst : INSTRUMENTS) set.push_back(make_instrument(inst));
    for (const DrumSound &drum : DRUMS) set.push_back(make_drum(drum));
    return set;
}

std::string patch_index()
{
    // The player reads this index from the datafile but skips its first line, so the file
    // starts with a comment. Programs are counted from 1 here; the drum kit follows the
    // begin_multipatch line, one key a line.
    std::string out = "# skidrunner's car radio instruments, made by make_patches\n";
    for (const ProgramRange &range : PROGRAMS)
        for (int program = range.first; program <= range.last; ++program)
            out += std::to_string(program + 1) + " " + range.instrument + "\n";
    out += "129-256 begin_multipatch default blank\n";
    for (const DrumKey &drum : DRUM_KEYS) out += std::to_string(drum.key) + " " + drum.drum + "\n";
    out += "end_multipatch\n";
    return out;
}
