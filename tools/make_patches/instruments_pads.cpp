// Pads and strings: slow, wide, chorused chords held under the band.
#include <cmath>
#include <vector>

#include "instruments.h"

namespace {

// Copies of one voice spread a grid step or two apart: they beat slowly against each other,
// which is what makes an ensemble (or a chorus pedal) sound wide.
void add_ensemble(Wave &out, const NoteRequest &note, HarmonicVoice voice, const std::vector<int> &steps)
{
    float gain = 1.0f / std::sqrt(static_cast<float>(steps.size()));
    for (size_t i = 0; i < steps.size(); ++i) {
        voice.detune_hz = steps[i] * note.plan.grid_hz();
        voice.phase_seed = note.seed * 31 + i + 1;
        add_harmonics(out, note.plan, voice, gain);
    }
}

} // namespace

Wave new_age_pad(const NoteRequest &note)
{
    // A glassy bell at the front of a soft, bright, chorused pad that swells in behind it.
    double f0 = note.f0;
    std::vector<Partial> bell;
    const double ratio[] = {1.0, 2.0, 3.01, 4.2, 5.43, 6.8};
    const float level[] = {0.5f, 0.35f, 0.22f, 0.18f, 0.12f, 0.08f};
    for (int i = 0; i < 6; ++i)
        if (f0 * ratio[i] < 12000.0)
            bell.push_back({f0 * ratio[i], level[i], 0.0f, static_cast<float>(0.35 / (1.0 + 0.4 * i)), 0.001f});
    Wave out;
    add_partials(out, note.plan, bell);
    HarmonicVoice pad;
    pad.f0 = f0;
    pad.count = 24;
    pad.top_hz = 9000.0;
    pad.level = [f0](int h, double t) {
        return static_cast<float>(rise(t, 0.05, 0.55) * low_pass_gain(h * f0, 2600.0, 0.9) / std::pow(h, 1.3));
    };
    add_ensemble(out, note, pad, {-1, 0, 1});
    return out;
}

Wave halo_pad(const NoteRequest &note)
{
    // A choir singing "aah" far away: formants of the open vowel, several voices drifting a
    // little apart, a touch of breath and a slow swell.
    double f0 = note.f0;
    HarmonicVoice voice;
    voice.f0 = f0;
    voice.count = 40;
    voice.top_hz = 8000.0;
    voice.level = [f0](int h, double t) {
        double hz = h * f0;
        double vowel = bump_gain(hz, 750.0, 0.5, 5.0) * bump_gain(hz, 1200.0, 0.4, 3.5) *
                       bump_gain(hz, 2700.0, 0.35, 2.5) * low_pass_gain(hz, 3500.0, 0.7);
        return static_cast<float>(rise(t, 0.0, 0.6) * vowel / h);
    };
    voice.vibrato = {note.plan.snap(4.0), 0.002, 0.3, 0.3};
    Wave out;
    add_ensemble(out, note, voice, {-2, -1, 1, 2});
    Wave air = looping_noise(note.plan, note.seed ^ 0xA1Bull, {Biquad::band_pass(3000.0, 0.8)});
    for (int i = 0; i < note.plan.total(); ++i)
        out[i] += 0.02f * static_cast<float>(rise(static_cast<double>(i) / PATCH_RATE, 0.0, 0.6)) * air[i];
    return out;
}

Wave sweep_pad(const NoteRequest &note)
{
    // Detuned sawtooths behind a resonant low-pass that opens and closes once every loop.
    double f0 = note.f0;
    double period_s = static_cast<double>(note.plan.length) / PATCH_RATE;
    double loop_from = note.plan.head_s();
    HarmonicVoice saw;
    saw.f0 = f0;
    saw.count = 60;
    saw.top_hz = 9000.0;
    saw.level = [=](int h, double t) {
        double sweep = 0.5 - 0.5 * std::cos(TWO_PI * (t - loop_from) / period_s);
        double cutoff = 300.0 * std::pow(2.0, 3.2 * sweep);
        return static_cast<float>(rise(t, 0.0, 0.4) * low_pass_gain(h * f0, cutoff, 2.5) / h);
    };
    saw.level_repeats = true;
    Wave out;
    add_ensemble(out, note, saw, {-1, 1, 2});
    return out;
}

Wave string_ensemble(const NoteRequest &note)
{
    // Bowed strings in a section: a sawtooth-like bowed tone through the wooden body's
    // resonances, a gentle vibrato and a little bow noise, swelling in.
    double f0 = note.f0;
    HarmonicVoice bow;
    bow.f0 = f0;
    bow.count = 50;
    bow.top_hz = 10000.0;
    bow.level = [f0](int h, double t) {
        double hz = h * f0;
        double body = bump_gain(hz, 450.0, 0.7, 2.0) * bump_gain(hz, 1600.0, 0.8, 1.8) *
                      bump_gain(hz, 3200.0, 0.6, 1.5) * low_pass_gain(hz, 5500.0, 0.7);
        return static_cast<float>(rise(t, 0.0, 0.25) * body / h);
    };
    bow.vibrato = {note.plan.snap(5.0), 0.0025, 0.2, 0.2};
    Wave out;
    add_ensemble(out, note, bow, {-1, 0, 1});
    Wave rosin = looping_noise(note.plan, note.seed ^ 0xB0Bull, {Biquad::band_pass(3500.0, 1.0)});
    for (int i = 0; i < note.plan.total(); ++i)
        out[i] += 0.015f * static_cast<float>(rise(static_cast<double>(i) / PATCH_RATE, 0.0, 0.25)) * rosin[i];
    return out;
}
