// Keyboards: the pianos, the clavinet and the organ.
#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.h"

namespace {

constexpr double TOP_HZ = 15000.0;

// A short knock of filtered noise: hammers, keys and picks.
Wave knock(const NoteRequest &note, double centre_hz, double q, double length_s, float level)
{
    Wave out = noise(static_cast<int>(length_s * PATCH_RATE), note.seed);
    filter(out, Biquad::band_pass(centre_hz, q));
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / PATCH_RATE;
        out[i] *= level * static_cast<float>(rise(t, 0.0, 0.0008) * std::exp(-t / (length_s / 4.0)));
    }
    out.resize(note.plan.total(), 0.0f);
    return out;
}

} // namespace

Wave acoustic_piano(const NoteRequest &note)
{
    // A struck string: stiff, so its partials run a little sharp of the harmonics, the hammer
    // (an eighth of the way along) leaves out every eighth, and the high ones die first.
    // Only the lowest few ring on into the loop, on the loop's grid.
    double stiffness = 0.0003 * std::pow(note.f0 / 261.6, 0.6);
    std::vector<Partial> partials;
    const float tail[] = {0.42f, 0.16f, 0.07f, 0.03f};
    for (int h = 1; h <= 40; ++h) {
        double hz = h * note.f0 * std::sqrt(1.0 + stiffness * h * h);
        if (hz > TOP_HZ) break;
        float strike = static_cast<float>(std::fabs(std::sin(PI * h / 8.3)) / std::pow(h, 0.85));
        float level = h <= 4 ? tail[h - 1] * strike : 0.0f;
        if (level > 0.0f) hz = note.plan.snap(h * note.f0);
        partials.push_back({hz, strike, level, static_cast<float>(1.4 / (1.0 + 0.35 * h)), 0.0015f});
    }
    Wave out;
    add_partials(out, note.plan, partials);
    mix_into(out, knock(note, 900.0, 0.8, 0.03, 0.25f));
    return out;
}

Wave electric_piano(const NoteRequest &note)
{
    // A hammered tine: a nearly pure, round tone, with a bright inharmonic clang at the strike
    // that is gone in a few tens of milliseconds.
    const float strike[] = {1.0f, 0.34f, 0.15f, 0.08f, 0.045f, 0.025f};
    const float tail[] = {0.58f, 0.07f, 0.02f, 0.0f, 0.0f, 0.0f};
    std::vector<Partial> partials;
    for (int h = 1; h <= 6 && h * note.f0 < TOP_HZ; ++h)
        partials.push_back({h * note.f0, strike[h - 1], tail[h - 1], static_cast<float>(0.9 / std::pow(h, 1.3)),
                            0.0015f});
    const double clang_ratio[] = {7.07, 11.3, 16.2};
    const float clang_level[] = {0.22f, 0.1f, 0.05f};
    for (int i = 0; i < 3; ++i)
        if (note.f0 * clang_ratio[i] < TOP_HZ)
            partials.push_back({note.f0 * clang_ratio[i], clang_level[i], 0.0f, 0.035f / (i + 1), 0.0005f});
    Wave out;
    add_partials(out, note.plan, partials);
    return out;
}

Wave fm_piano(const NoteRequest &note)
{
    // Two pairs of sines, one modulating the other as on the classic digital electric piano:
    // a 1:1 pair whose brightness falls after the strike, and a 1:14 pair for the glassy tine.
    const LoopPlan &plan = note.plan;
    double head_s = plan.head_s();
    double tine_ratio = std::max(3.0, std::min(14.0, std::floor(4500.0 / note.f0)));
    Wave out(plan.total());
    for (int i = 0; i < plan.total(); ++i) {
        double t = static_cast<double>(i) / PATCH_RATE;
        double cycles = note.f0 * t;
        double index = 0.35 + 1.9 * settle(t, 0.22, head_s);
        double body = 0.6 + 0.4 * settle(t, 0.5, head_s);
        double tine = 0.32 * settle(t, 0.06, head_s);
        double y = body * std::sin(TWO_PI * cycles + index * std::sin(TWO_PI * cycles));
        y += tine * std::sin(TWO_PI * cycles + 0.6 * std::sin(TWO_PI * tine_ratio * cycles));
        out[i] = static_cast<float>(y * rise(t, 0.0, 0.001));
    }
    return out;
}

Wave clavinet(const NoteRequest &note)
{
    // A short string struck from below by a rubber-tipped key, picked up close to its end: a
    // bright, nasal, hollow spectrum (the comb of the strike point) that dies away quickly.
    std::vector<Partial> partials;
    for (int h = 1; h <= 60 && h * note.f0 < TOP_HZ; ++h) {
        double hz = h * note.f0;
        double comb = std::fabs(std::sin(PI * h * 0.13)) + 0.15;
        double honk = bump_gain(hz, 1300.0, 1.0, 2.2) * low_pass_gain(hz, 6000.0, 0.7);
        float strike = static_cast<float>(comb * honk / std::pow(h, 0.6));
        float level = h <= 5 ? strike * 0.3f / h : 0.0f;
        partials.push_back({hz, strike, level, static_cast<float>(0.45 / (1.0 + 0.1 * h)), 0.0008f});
    }
    Wave out;
    add_partials(out, note.plan, partials);
    return out;
}

Wave drawbar_organ(const NoteRequest &note)
{
    // Tonewheels set by drawbars, counted here in harmonics of the sub-octave (16') so that the
    // 5 1/3' fifth has a whole number too; the wave's pitch is on an even grid step, so the
    // sub-octave is on the grid as well. A third-harmonic "percussion" and a key click start
    // the note; the rotating speaker's tremolo and shimmer run through the loop.
    struct Drawbar {
        int harmonic;   // of the 16' sub-octave
        int setting;    // 0 .. 8
    };
    constexpr Drawbar DRAWBARS[] = {{1, 8}, {3, 8}, {2, 8}, {4, 6}, {6, 0}, {8, 3}, {10, 0}, {12, 0}, {16, 3}};
    std::vector<float> bars(17, 0.0f);
    for (const Drawbar &d : DRAWBARS)
        if (d.setting) bars[d.harmonic] = static_cast<float>(std::pow(10.0, -3.0 * (8 - d.setting) / 20.0));
    double head_s = note.plan.head_s();
    HarmonicVoice wheels;
    wheels.f0 = note.f0 / 2.0;
    wheels.count = 16;
    wheels.level = [&](int h, double t) {
        float percussion = h == 6 ? static_cast<float>(0.55 * settle(t, 0.12, head_s)) : 0.0f;
        return (bars[h] + percussion) * static_cast<float>(rise(t, 0.0, 0.004));
    };
    wheels.vibrato = {note.plan.snap(6.0), 0.0012, 0.0, 0.0};
    Wave out;
    add_harmonics(out, note.plan, wheels, 0.3f);
    double tremolo_hz = note.plan.snap(6.0);
    for (int i = 0; i < note.plan.total(); ++i)
        out[i] *= static_cast<float>(1.0 + 0.13 * std::sin(TWO_PI * tremolo_hz * i / PATCH_RATE + 1.0));
    mix_into(out, knock(note, 2500.0, 0.7, 0.008, 0.12f));
    drive(out, 1.6f);
    return out;
}
