// Guitars and basses: plucked, picked, slapped and synthesised strings.
#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.h"

namespace {

constexpr double TOP_HZ = 14000.0;

// A plucked string seen through a pickup: the pluck point and the pickup point each cut a comb
// into the harmonics, the high ones die first, and the lowest few ring on into the loop.
struct Pluck {
    double position;     // of the pluck along the string, 0 .. 0.5
    double pickup;       // of the pickup, 0: heard as a whole
    double slope;        // harmonic h starts at 1 / h^slope
    double tone_hz;      // the pickup and amplifier roll off above this
    double decay_s;      // time constant of the fundamental
    double damping;      // each harmonic up dies this much faster
    int ringing;         // harmonics that ring on into the loop
    float ring_level;    // their loop level against their strike
};

std::vector<Partial> pluck_partials(const NoteRequest &note, const Pluck &p)
{
    std::vector<Partial> partials;
    for (int h = 1; h <= 80 && h * note.f0 < TOP_HZ; ++h) {
        double comb = std::fabs(std::sin(PI * h * p.position)) + 0.05;
        if (p.pickup > 0.0) comb *= std::fabs(std::sin(PI * h * p.pickup)) + 0.25;
        float strike = static_cast<float>(comb * low_pass_gain(h * note.f0, p.tone_hz, 0.7) / std::pow(h, p.slope));
        float level = h <= p.ringing ? strike * p.ring_level * static_cast<float>(std::exp(-0.3 * (h - 1))) : 0.0f;
        partials.push_back({h * note.f0, strike, level, static_cast<float>(p.decay_s / (1.0 + p.damping * h)), 0.0006f});
    }
    return partials;
}

// The pick, finger or thumb meeting the string: a click of band-passed noise.
void add_click(Wave &out, uint64_t seed, double centre_hz, double q, double length_s, float level)
{
    Wave click = noise(static_cast<int>(length_s * PATCH_RATE), seed);
    filter(click, Biquad::band_pass(centre_hz, q));
    for (size_t i = 0; i < click.size(); ++i) {
        double t = static_cast<double>(i) / PATCH_RATE;
        click[i] *= level * static_cast<float>(rise(t, 0.0, 0.0005) * std::exp(-t / (length_s / 5.0)));
    }
    for (size_t i = 0; i < click.size() && i < out.size(); ++i) out[i] += click[i];
}

// An electric guitar held on a saturating amplifier: the string's sustained harmonics (with
// the pluck's extra brightness in the head) driven into the valves, then a speaker cabinet.
Wave driven_guitar(const NoteRequest &note, double gain, double cabinet_hz, const Vibrato &vibrato)
{
    double head_s = note.plan.head_s();
    HarmonicVoice string;
    string.f0 = note.f0;
    string.count = 24;
    string.level = [head_s](int h, double t) {
        double held = std::exp(-0.28 * (h - 1)) * (h % 2 ? 1.0 : 0.8);
        double pluck = std::fabs(std::sin(PI * h * 0.2)) / std::pow(h, 0.8);
        return static_cast<float>((held + (pluck - held) * settle(t, 0.06, head_s)) * rise(t, 0.0, 0.002));
    };
    string.vibrato = vibrato;
    string.phase_seed = note.seed;
    string.top_hz = 6000.0;
    Wave out;
    add_harmonics(out, note.plan, string);
    float p = peak_of(out);
    if (p > 0.0f) scale(out, 1.0f / p);
    filter(out, Biquad::high_pass(120.0));
    drive(out, static_cast<float>(gain));
    // The valves clip the waveform's peaks unevenly; the output transformer takes off the
    // offset that leaves.
    filter(out, Biquad::high_pass(70.0));
    filter(out, Biquad::peak(110.0, 0.8, 3.0));
    filter(out, Biquad::peak(750.0, 1.0, -3.0));
    filter(out, Biquad::low_pass(cabinet_hz, 0.9));
    filter(out, Biquad::low_pass(cabinet_hz * 1.4, 0.6));
    return out;
}

} // namespace

Wave clean_guitar(const NoteRequest &note)
{
    Wave out;
    add_partials(out, note.plan, pluck_partials(note, {0.2, 0.11, 1.0, 5000.0, 1.1, 0.22, 5, 0.35f}));
    add_click(out, note.seed, 3500.0, 1.2, 0.004, 0.08f);
    return out;
}

Wave muted_guitar(const NoteRequest &note)
{
    // The palm rests on the strings by the bridge: a dull thunk of a note gone in a moment.
    Wave out;
    add_partials(out, note.plan, pluck_partials(note, {0.16, 0.12, 1.3, 3500.0, 0.14, 0.3, 0, 0.0f}));
    add_click(out, note.seed, 2200.0, 1.0, 0.006, 0.12f);
    fade_end(out, PATCH_RATE / 50);
    return out;
}

Wave overdriven_guitar(const NoteRequest &note)
{
    // A singing lead: moderate drive, and the player's vibrato once the note has settled.
    Vibrato vibrato{note.plan.snap(5.0), 0.0035, 0.22, 0.15};
    return driven_guitar(note, 3.5, 5000.0, vibrato);
}

Wave distortion_guitar(const NoteRequest &note)
{
    // Heavy drive for power chords: more saturation, a darker cabinet, no vibrato.
    return driven_guitar(note, 10.0, 3800.0, {});
}

Wave finger_bass(const NoteRequest &note)
{
    // Plucked with the side of a finger over the neck: round, with little top.
    Wave out;
    add_partials(out, note.plan, pluck_partials(note, {0.3, 0.2, 1.6, 2500.0, 0.9, 0.3, 4, 0.55f}));
    add_click(out, note.seed, 400.0, 0.9, 0.012, 0.1f);
    return out;
}

Wave pick_bass(const NoteRequest &note)
{
    // Picked near the bridge: a brighter, harder front to every note for a driving eighth line.
    Wave out;
    add_partials(out, note.plan, pluck_partials(note, {0.12, 0.15, 1.15, 4000.0, 0.7, 0.3, 6, 0.45f}));
    add_click(out, note.seed, 2800.0, 1.0, 0.004, 0.14f);
    return out;
}

Wave slap_bass(const NoteRequest &note)
{
    // The thumb snaps the string against the last fret: a bright crack of high harmonics that
    // dies at once, over a round low note.
    std::vector<Partial> partials = pluck_partials(note, {0.08, 0.15, 0.9, 6000.0, 0.6, 0.25, 4, 0.5f});
    for (Partial &p : partials)
        if (p.hz > 4.0 * note.f0) p.decay_s = std::min(p.decay_s, 0.05f);
    Wave out;
    add_partials(out, note.plan, partials);
    add_click(out, note.seed, 3000.0, 0.8, 0.01, 0.3f);
    add_click(out, note.seed + 1, 700.0, 1.5, 0.02, 0.12f);
    return out;
}

Wave synth_bass(const NoteRequest &note)
{
    // A sawtooth through a resonant low-pass whose cutoff drops quickly after the key goes
    // down: the squelchy, punchy analogue bass.
    double head_s = note.plan.head_s();
    double f0 = note.f0;
    HarmonicVoice saw;
    saw.f0 = f0;
    saw.count = 80;
    saw.level = [head_s, f0](int h, double t) {
        double cutoff = f0 * (2.2 + 11.0 * settle(t, 0.07, head_s)) + 120.0;
        double body = 0.8 + 0.2 * settle(t, 0.25, head_s);
        return static_cast<float>(body * low_pass_gain(h * f0, cutoff, 3.0) / h * rise(t, 0.0, 0.002));
    };
    saw.top_hz = 9000.0;
    Wave out;
    add_harmonics(out, note.plan, saw);
    return out;
}
