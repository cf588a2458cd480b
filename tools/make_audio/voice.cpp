#include "voice.h"

#include <cmath>

namespace {

constexpr float VOICE_TOP_HZ = 9500.0f;
constexpr float F4_HZ = 3600.0f;

// Magnitude of one vocal-tract resonance, unit gain at 0 Hz. Multiplying several of them gives
// the vowel's spectral envelope, the way a cascade formant synthesiser does.
float resonance(float f, float centre, float bandwidth)
{
    float c2 = centre * centre;
    float d = c2 - f * f;
    return c2 / std::sqrt(d * d + (f * bandwidth) * (f * bandwidth));
}

float tract_gain(float f, float f1, float f2, float f3, float bandwidth)
{
    return resonance(f, f1, bandwidth) * resonance(f, f2, bandwidth * 1.2f) *
           resonance(f, f3, bandwidth * 1.6f) * resonance(f, F4_HZ, bandwidth * 2.2f);
}

struct Formants {
    float f1, f2, f3;
};

// The buzz of the vocal folds, already weighted by the vowel: sums the harmonics (and, for a
// rough voice, the half-harmonics of period doubling) at their tract gains.
float voiced_sample(double phase, float f0, const Formants &fm, const VoiceShape &shape,
                    float rough)
{
    float sum = 0.0f;
    for (int k = 1; k * f0 < VOICE_TOP_HZ; ++k) {
        float f = k * f0;
        // Harmonics fade in below the top instead of popping in and out as the pitch moves.
        float taper = std::fmin(1.0f, (VOICE_TOP_HZ - f) / 1500.0f);
        float level = taper * std::pow(static_cast<float>(k), -shape.tilt) *
                      tract_gain(f, fm.f1, fm.f2, fm.f3, shape.bandwidth);
        sum += level * static_cast<float>(std::sin(phase * k));
        if (rough > 0.0f) {
            float fh = (k - 0.5f) * f0;
            float lh = taper * std::pow(static_cast<float>(k), -shape.tilt) *
                       tract_gain(fh, fm.f1, fm.f2, fm.f3, shape.bandwidth);
            sum += rough * lh * static_cast<float>(std::sin(phase * (k - 0.5)));
        }
    }
    return sum;
}

} // namespace

Wave sing(const VoiceShape &shape)
{
    const int count = samples_for(shape.seconds);
    Wave out(count, 0.0f);
    Rng noise{shape.seed};
    Wobble pitch_wander{shape.seed + 1, 9.0f};
    Wobble pitch_flutter{shape.seed + 2, 35.0f};
    Wobble level_wander{shape.seed + 3, 14.0f};
    Wobble growl{shape.seed + 4, 20.0f};
    Svf breath_f1, breath_f2, breath_f3;
    double phase = 0.0;   // radians, unwrapped so the half-harmonics stay continuous

    // Scale the voiced part so that a typical vowel sits near unit level before the strain.
    float reference = 1.0f / tract_gain(0.0f, 1000.0f, 2000.0f, 3000.0f, shape.bandwidth);

    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float vibrato = shape.vibrato_depth * std::sin(TWO_PI * shape.vibrato_hz * t);
        float wander = shape.jitter * (0.7f * pitch_wander.next() + 0.3f * pitch_flutter.next());
        float f0 = curve_at(shape.pitch, t) * (1.0f + vibrato + wander);
        phase += TWO_PI * f0 / SAMPLE_RATE;

        Formants fm{curve_at(shape.f1, t), curve_at(shape.f2, t), curve_at(shape.f3, t)};
        // The growl comes and goes, as a strained throat does.
        float rough = curve_at(shape.roughness, t) * (0.6f + 0.4f * growl.next());
        float voiced = voiced_sample(phase, f0, fm, shape, rough) * reference;

        // Breath is loudest while the folds are open, so it pulses with the pitch.
        float pulse = 0.6f + 0.4f * static_cast<float>(std::cos(phase));
        float n = noise.bipolar() * pulse;
        // Each band is scaled to unit gain at its centre, whatever its sharpness.
        float q1 = fm.f1 / shape.bandwidth, q2 = fm.f2 / (shape.bandwidth * 1.2f),
              q3 = fm.f3 / (shape.bandwidth * 1.6f);
        float breath = breath_f1.band(n, fm.f1, q1) / q1 + 0.7f * breath_f2.band(n, fm.f2, q2) / q2 +
                       0.5f * breath_f3.band(n, fm.f3, q3) / q3;
        breath *= curve_at(shape.breath, t) * 1.2f;

        float level = curve_at(shape.loudness, t) * (1.0f + shape.shimmer * level_wander.next());
        out[i] = soft_clip((voiced * 0.09f + breath) * level * shape.drive, 1.0f);
    }
    remove_dc(out);
    return out;
}
