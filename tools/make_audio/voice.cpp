#include "voice.h"

#include <cmath>
#include <vector>

namespace {

constexpr float VOICE_TOP_HZ = 9500.0f;
constexpr int MOST_HARMONICS = 160;

// Bandwidths of the five formants in ordinary speech, Hz.
constexpr float SPEECH_BANDWIDTH[5] = {80.0f, 100.0f, 140.0f, 250.0f, 320.0f};
// The two formants above the vowel's three, for a man's tract.
constexpr float F4_HZ = 3400.0f, F5_HZ = 4400.0f;

// The buzz of the vocal folds: the harmonics of f0 at k^-tilt, and for a rough voice the
// half-harmonics of period doubling, scaled to unit power whatever the pitch. The sines come
// from one recurrence on half the phase: even multiples are the harmonics, odd ones the halves.
float glottal_buzz(double phase, float f0, const std::vector<float> &slope, float rough)
{
    const double half = phase * 0.5;
    const double two_cos = 2.0 * std::cos(half);
    double previous = 0.0, current = std::sin(half);   // sin(0), sin(1 * half)
    float sum = 0.0f, power = 0.0f;
    for (int m = 1; m <= 2 * MOST_HARMONICS; ++m) {
        float f = 0.5f * m * f0;
        if (f >= VOICE_TOP_HZ) break;
        // Harmonics fade in below the top instead of popping in and out as the pitch moves.
        float taper = std::fmin(1.0f, (VOICE_TOP_HZ - f) / 1500.0f);
        float level = taper * slope[(m + 1) / 2];
        if (m % 2 == 1) level *= rough;
        sum += level * static_cast<float>(current);
        power += level * level;
        double next = two_cos * current - previous;
        previous = current;
        current = next;
    }
    return power > 0.0f ? sum / std::sqrt(power * 0.5f) : 0.0f;
}

} // namespace

Wave sing(const VoiceShape &shape)
{
    const int count = samples_for(shape.seconds);
    Wave out(count, 0.0f);
    std::vector<float> slope(MOST_HARMONICS + 2, 0.0f);
    for (int k = 1; k < static_cast<int>(slope.size()); ++k) slope[k] = std::pow(static_cast<float>(k), -shape.tilt);

    Rng noise{shape.seed};
    Wobble pitch_wander{shape.seed + 1, 9.0f};
    Wobble pitch_flutter{shape.seed + 2, 35.0f};
    Wobble level_wander{shape.seed + 3, 14.0f};
    Wobble growl{shape.seed + 4, 20.0f};
    Resonator tract[5];
    Svf edge;
    double phase = 0.0;   // radians; kept within two cycles so the half-harmonics stay continuous

    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float vibrato = shape.vibrato_depth * std::sin(TWO_PI * shape.vibrato_hz * t);
        float wander = shape.jitter * (0.7f * pitch_wander.next() + 0.3f * pitch_flutter.next());
        float f0 = curve_at(shape.pitch, t) * (1.0f + vibrato + wander);
        phase += TWO_PI * f0 / SAMPLE_RATE;
        if (phase >= 2.0 * TWO_PI) phase -= 2.0 * TWO_PI;

        // The growl comes and goes, as a strained throat does.
        float rough = curve_at(shape.roughness, t) * (0.6f + 0.4f * growl.next());
        float buzz = glottal_buzz(phase, f0, slope, rough);
        // Noise is strongest as the folds snap shut: the chaos of a strained voice bursts there,
        // while breath flows all through the cycle.
        float pulse = 0.5f + 0.5f * static_cast<float>(std::cos(phase));
        float chaos = noise.bipolar() * pulse * pulse * pulse * rough * 2.5f;
        float breath = noise.bipolar() * (0.4f + 0.6f * pulse) * curve_at(shape.breath, t) * 1.5f;
        float level = curve_at(shape.loudness, t) * (1.0f + shape.shimmer * level_wander.next());

        const float formants[5] = {curve_at(shape.f1, t), curve_at(shape.f2, t), curve_at(shape.f3, t),
                                   F4_HZ * shape.throat, F5_HZ * shape.throat};
        float y = (buzz + chaos + breath) * level;
        for (int f = 0; f < 5; ++f) y = tract[f].run(y, formants[f], SPEECH_BANDWIDTH[f] * shape.bandwidth);
        out[i] = y + shape.presence * edge.high(y, 2000.0f);
    }
    normalise(out, 1.0f);
    soft_clip_clean(out, shape.drive);
    remove_dc(out);
    return out;
}
