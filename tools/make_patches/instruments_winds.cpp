// Horns, reeds, pipes and the synthesiser leads: held notes, with breath and vibrato.
#include <cmath>
#include <vector>

#include "instruments.h"

namespace {

// A horn's harmonics fall off more steeply when blown softly; the lips need a moment to lock
// on, so a note starts dull and slightly flat, swells past full and settles.
struct Horn {
    double bright_slope;   // falloff per harmonic once settled (smaller is brighter)
    double dull_slope;     // the same at the very start
    double formant_hz;     // where the bell and the player's mouth add a bump
    double attack_s;
};

HarmonicVoice horn_voice(const NoteRequest &note, const Horn &horn, double start_s)
{
    double head_s = note.plan.head_s(), f0 = note.f0;
    HarmonicVoice v;
    v.f0 = f0;
    v.count = 40;
    v.top_hz = 11000.0;
    v.level = [=](int h, double t) {
        double onset = rise(t, start_s, horn.attack_s);
        double settling = settle(t, 0.06, head_s);
        double slope = horn.bright_slope + (horn.dull_slope - horn.bright_slope) * (1.0 - onset);
        double swell = onset * (1.0 + 0.25 * settling * onset);
        double shape = bump_gain(h * f0, horn.formant_hz, 1.2, 2.5) * low_pass_gain(h * f0, 7000.0, 0.7);
        return static_cast<float>(swell * std::exp(-(h - 1) * slope) * shape);
    };
    v.pitch = [=](double t) { return 1.0 - 0.012 * settle(t, 0.025, head_s); };
    v.phase_seed = note.seed;
    return v;
}

// Breath through the instrument: band-passed noise that repeats with the loop, louder at the
// start of the note.
void add_breath(Wave &out, const NoteRequest &note, double centre_hz, double q, float held, float puff)
{
    Wave breath = looping_noise(note.plan, note.seed ^ 0xB8EA7Bull, {Biquad::band_pass(centre_hz, q)});
    double head_s = note.plan.head_s();
    for (int i = 0; i < note.plan.total(); ++i) {
        double t = static_cast<double>(i) / PATCH_RATE;
        double level = held + (puff - held) * settle(t, 0.04, head_s);
        out[i] += static_cast<float>(level * rise(t, 0.0, 0.01)) * breath[i];
    }
}

} // namespace

Wave trumpet(const NoteRequest &note)
{
    HarmonicVoice v = horn_voice(note, {0.32, 1.4, 1300.0, 0.03}, 0.0);
    v.vibrato = {note.plan.snap(5.0), 0.003, 0.25, 0.15};
    Wave out;
    add_harmonics(out, note.plan, v);
    add_breath(out, note, 2500.0, 1.0, 0.01f, 0.06f);
    return out;
}

Wave brass_section(const NoteRequest &note)
{
    // Trumpets, trombones and horns together, each a grid step or two off the others, so the
    // section beats slowly against itself; the players come in a few milliseconds apart.
    struct Player {
        Horn horn;
        double detune_steps, start_s;
        float level;
    };
    const Player players[] = {{{0.34, 1.3, 1300.0, 0.025}, 0.0, 0.0, 1.0f},
                              {{0.45, 1.6, 700.0, 0.035}, 1.0, 0.008, 0.8f},
                              {{0.55, 1.6, 500.0, 0.04}, -1.0, 0.014, 0.7f}};
    Wave out;
    for (const Player &p : players) {
        HarmonicVoice v = horn_voice(note, p.horn, p.start_s);
        v.detune_hz = p.detune_steps * note.plan.grid_hz();
        v.phase_seed = note.seed + static_cast<uint64_t>(p.start_s * 1000.0);
        add_harmonics(out, note.plan, v, p.level);
    }
    add_breath(out, note, 2200.0, 0.8, 0.01f, 0.05f);
    return out;
}

Wave alto_sax(const NoteRequest &note)
{
    // A reed over a conical bore: every harmonic present, shaped by the body's formants, a
    // reedy edge and plenty of breath; the player leans into vibrato.
    double head_s = note.plan.head_s(), f0 = note.f0;
    HarmonicVoice v;
    v.f0 = f0;
    v.count = 40;
    v.top_hz = 10000.0;
    v.level = [=](int h, double t) {
        double hz = h * f0;
        double body = bump_gain(hz, 550.0, 0.8, 3.0) * bump_gain(hz, 1650.0, 0.6, 2.4) *
                      bump_gain(hz, 2900.0, 0.5, 1.6) * low_pass_gain(hz, 6000.0, 0.7);
        double onset = rise(t, 0.0, 0.035);
        double slope = 0.75 + 0.6 * (1.0 - onset) + 0.15 * settle(t, 0.1, head_s);
        return static_cast<float>(onset * body / std::pow(h, slope));
    };
    v.pitch = [=](double t) { return 1.0 - 0.008 * settle(t, 0.03, head_s); };
    v.vibrato = {note.plan.snap(5.0), 0.004, 0.18, 0.15};
    v.phase_seed = note.seed;
    Wave out;
    add_harmonics(out, note.plan, v);
    add_breath(out, note, 2200.0, 0.9, 0.015f, 0.07f);
    float p = peak_of(out);
    if (p > 0.0f) scale(out, 1.0f / p);
    drive(out, 1.5f);
    filter(out, Biquad::high_pass(60.0));
    return out;
}

Wave flute(const NoteRequest &note)
{
    // Air split on an edge: nearly a pure tone with a little of the octave and twelfth, a
    // "chiff" of overblown harmonics and air as the note speaks, and a breathy vibrato that
    // moves the level as much as the pitch.
    double head_s = note.plan.head_s(), f0 = note.f0;
    const float held[] = {1.0f, 0.22f, 0.1f, 0.04f, 0.02f};
    HarmonicVoice v;
    v.f0 = f0;
    v.count = 5;
    v.level = [=](int h, double t) {
        double chiff = h >= 2 ? 0.5 * settle(t, 0.03, head_s) : 0.0;
        return static_cast<float>(rise(t, 0.0, 0.04) * (held[h - 1] + chiff));
    };
    v.vibrato = {note.plan.snap(5.0), 0.003, 0.15, 0.15};
    Wave out;
    add_harmonics(out, note.plan, v);
    add_breath(out, note, 2.0 * f0, 2.0, 0.05f, 0.16f);
    double vibrato_hz = note.plan.snap(5.0);
    for (int i = 0; i < note.plan.total(); ++i) {
        double t = static_cast<double>(i) / PATCH_RATE;
        double onset = t >= head_s ? 1.0 : rise(t, 0.15, 0.15);
        out[i] *= static_cast<float>(1.0 + 0.07 * onset * std::sin(TWO_PI * vibrato_hz * t));
    }
    return out;
}

Wave square_lead(const NoteRequest &note)
{
    // Two square waves a grid step apart, slightly rounded off, with a delayed vibrato.
    double f0 = note.f0;
    Wave out;
    for (int layer = 0; layer < 2; ++layer) {
        HarmonicVoice v;
        v.f0 = f0;
        v.count = 60;
        v.top_hz = 12000.0;
        v.level = [f0](int h, double t) {
            double odd = h % 2 ? 1.0 : 0.06;
            return static_cast<float>(rise(t, 0.0, 0.004) * odd * low_pass_gain(h * f0, 5000.0, 0.8) / h);
        };
        v.detune_hz = layer * note.plan.grid_hz();
        v.vibrato = {note.plan.snap(5.0), 0.004, 0.3, 0.12};
        v.phase_seed = note.seed + layer;
        add_harmonics(out, note.plan, v, layer ? 0.6f : 1.0f);
    }
    return out;
}

Wave charang_lead(const NoteRequest &note)
{
    // A pair of detuned sawtooths through a fuzz box: a hard, buzzing, guitar-like synth.
    double head_s = note.plan.head_s(), f0 = note.f0;
    Wave out;
    for (int layer = -1; layer <= 1; layer += 2) {
        HarmonicVoice v;
        v.f0 = f0;
        v.count = 60;
        v.top_hz = 9000.0;
        v.level = [=](int h, double t) {
            double cutoff = 2500.0 + 4000.0 * settle(t, 0.05, head_s);
            return static_cast<float>(rise(t, 0.0, 0.002) * low_pass_gain(h * f0, cutoff, 1.5) / h);
        };
        v.detune_hz = layer * note.plan.grid_hz();
        v.phase_seed = note.seed + 3 + layer;
        add_harmonics(out, note.plan, v);
    }
    float p = peak_of(out);
    if (p > 0.0f) scale(out, 1.0f / p);
    drive(out, 3.0f);
    filter(out, Biquad::high_pass(150.0));
    filter(out, Biquad::low_pass(4200.0, 1.1));
    return out;
}
