#include <cmath>

#include "recipes.h"
#include "voice.h"

namespace {

// A scream is loud, strained and open-throated; these are shared by all four.
VoiceShape scream_base(float seconds, uint64_t seed)
{
    VoiceShape v{};
    v.seconds = seconds;
    v.bandwidth = 160.0f;
    v.vibrato_hz = 6.0f;
    v.vibrato_depth = 0.03f;
    v.jitter = 0.02f;
    v.shimmer = 0.15f;
    v.tilt = 0.9f;
    v.roughness = {{0.0f, 0.1f}};
    v.breath = {{0.0f, 0.25f}};
    v.drive = 1.3f;
    v.seed = seed;
    return v;
}

Wave finish_voice(Wave wave, float room, float peak)
{
    add_room(wave, room, 0.8f, 0.15f);
    fade_out(wave, 0.08f);
    normalise(wave, peak);
    return wave;
}

} // namespace

Wave scream_woman()
{
    // "Aaaah!": up to a held high note, sagging as the breath runs out.
    VoiceShape v = scream_base(1.15f, 1501);
    v.pitch = {{0.0f, 520.0f}, {0.12f, 880.0f}, {0.5f, 830.0f}, {0.9f, 760.0f}, {1.15f, 600.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.06f, 0.9f}, {0.2f, 1.0f}, {0.85f, 0.85f}, {1.15f, 0.0f}};
    v.f1 = {{0.0f, 850.0f}, {0.2f, 1050.0f}, {1.15f, 950.0f}};
    v.f2 = {{0.0f, 1350.0f}, {1.15f, 1450.0f}};
    v.f3 = {{0.0f, 3000.0f}};
    v.vibrato_hz = 6.5f;
    v.vibrato_depth = 0.035f;
    v.roughness = {{0.0f, 0.05f}, {0.3f, 0.15f}, {1.15f, 0.1f}};
    return finish_voice(sing(v), 0.12f, 0.68f);
}

Wave scream_man()
{
    // "Aaargh!": lower, harsher, with a strong rough undertone.
    VoiceShape v = scream_base(1.0f, 1601);
    v.pitch = {{0.0f, 260.0f}, {0.1f, 430.0f}, {0.6f, 410.0f}, {1.0f, 320.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.05f, 1.0f}, {0.7f, 0.9f}, {1.0f, 0.0f}};
    v.f1 = {{0.0f, 700.0f}, {0.15f, 820.0f}, {1.0f, 760.0f}};
    v.f2 = {{0.0f, 1150.0f}, {1.0f, 1250.0f}};
    v.f3 = {{0.0f, 2600.0f}};
    v.vibrato_hz = 5.5f;
    v.jitter = 0.035f;
    v.tilt = 0.8f;
    v.roughness = {{0.0f, 0.3f}, {0.2f, 0.5f}, {1.0f, 0.4f}};
    v.breath = {{0.0f, 0.3f}};
    v.drive = 1.8f;
    return finish_voice(sing(v), 0.12f, 0.68f);
}

Wave scream_yelp()
{
    // A short startled "Ah!".
    VoiceShape v = scream_base(0.5f, 1801);
    v.pitch = {{0.0f, 600.0f}, {0.07f, 950.0f}, {0.25f, 880.0f}, {0.5f, 640.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.03f, 1.0f}, {0.3f, 0.8f}, {0.5f, 0.0f}};
    v.f1 = {{0.0f, 900.0f}};
    v.f2 = {{0.0f, 1700.0f}, {0.5f, 1400.0f}};
    v.f3 = {{0.0f, 2900.0f}};
    v.vibrato_hz = 7.0f;
    v.vibrato_depth = 0.02f;
    return finish_voice(sing(v), 0.1f, 0.68f);
}

Wave scream_shriek()
{
    // A piercing "Eeeek!": very high, thin vowel, fast vibrato.
    VoiceShape v = scream_base(1.0f, 2101);
    v.pitch = {{0.0f, 900.0f}, {0.1f, 1250.0f}, {0.6f, 1180.0f}, {1.0f, 950.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.05f, 1.0f}, {0.75f, 0.85f}, {1.0f, 0.0f}};
    v.f1 = {{0.0f, 1100.0f}};
    v.f2 = {{0.0f, 2800.0f}};
    v.f3 = {{0.0f, 3400.0f}};
    v.vibrato_hz = 7.5f;
    v.vibrato_depth = 0.04f;
    v.tilt = 0.7f;
    v.breath = {{0.0f, 0.2f}};
    v.drive = 1.1f;
    return finish_voice(sing(v), 0.1f, 0.62f);
}

Wave groan_long()
{
    // A dying "uuuhhh": the pitch sinks into a creak, the breath takes over.
    VoiceShape v{};
    v.seconds = 1.5f;
    v.pitch = {{0.0f, 120.0f}, {0.25f, 132.0f}, {0.8f, 105.0f}, {1.5f, 72.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.12f, 0.8f}, {0.35f, 1.0f}, {1.0f, 0.6f}, {1.5f, 0.0f}};
    v.f1 = {{0.0f, 620.0f}, {0.6f, 560.0f}, {1.5f, 450.0f}};
    v.f2 = {{0.0f, 1150.0f}, {1.5f, 880.0f}};
    v.f3 = {{0.0f, 2450.0f}};
    v.bandwidth = 90.0f;
    v.jitter = 0.025f;
    v.shimmer = 0.2f;
    v.tilt = 1.6f;
    v.roughness = {{0.0f, 0.05f}, {1.5f, 0.4f}};
    v.breath = {{0.0f, 0.15f}, {1.5f, 0.4f}};
    v.drive = 1.2f;
    v.seed = 501;
    return finish_voice(sing(v), 0.1f, 0.9f);
}

Wave groan_short()
{
    // "Ugh... uhh": a hit, then a last breath.
    VoiceShape v{};
    v.seconds = 0.9f;
    v.pitch = {{0.0f, 165.0f}, {0.2f, 140.0f}, {0.34f, 150.0f}, {0.9f, 95.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.03f, 1.0f}, {0.18f, 0.9f}, {0.24f, 0.0f},
                  {0.34f, 0.0f}, {0.42f, 0.85f}, {0.9f, 0.0f}};
    v.f1 = {{0.0f, 560.0f}, {0.24f, 500.0f}, {0.34f, 650.0f}, {0.9f, 520.0f}};
    v.f2 = {{0.0f, 1100.0f}, {0.3f, 1000.0f}, {0.9f, 900.0f}};
    v.f3 = {{0.0f, 2450.0f}};
    v.bandwidth = 100.0f;
    v.jitter = 0.035f;
    v.shimmer = 0.25f;
    v.tilt = 1.4f;
    v.roughness = {{0.0f, 0.3f}};
    v.breath = {{0.0f, 0.35f}};
    v.drive = 1.5f;
    v.seed = 1901;
    return finish_voice(sing(v), 0.1f, 0.9f);
}

Wave body_thud()
{
    const int count = samples_for(0.5f);
    Rng rng{1701};
    Svf body, rustle;
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        // The body lands, then the limbs a moment later, softer.
        float hit = attack_decay(t, 0.003f, 0.09f) + 0.45f * attack_decay(t - 0.13f, 0.004f, 0.06f);
        float f = 40.0f + 28.0f * exp_decay(t, 0.05f);
        phase += f / SAMPLE_RATE;
        float tone = std::sin(TWO_PI * static_cast<float>(phase)) * hit;
        float n = rng.bipolar();
        float thump = body.low(n, 350.0f) * hit * 2.0f;
        float cloth = rustle.band(n, 1500.0f, 0.7f) * attack_decay(t, 0.01f, 0.06f) * 0.15f;
        out[i] = soft_clip(tone + thump + cloth, 1.5f);
    }
    fade_out(out, 0.1f);
    normalise(out, 0.9f);
    return out;
}

Wave body_splat()
{
    const int count = samples_for(0.5f);
    Rng rng{2801};
    Svf impact_filter, spray_filter;
    Wobble flutter{2802, 60.0f};
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float impact = impact_filter.low(n, 900.0f) * attack_decay(t, 0.002f, 0.045f) * 2.0f;
        float f = 55.0f + 40.0f * exp_decay(t, 0.03f);
        phase += f / SAMPLE_RATE;
        float thump = std::sin(TWO_PI * static_cast<float>(phase)) * attack_decay(t, 0.002f, 0.05f) * 0.8f;
        float gate = 0.5f + 0.5f * flutter.next();
        float spray = spray_filter.band(n, 2200.0f, 1.5f) * attack_decay(t, 0.005f, 0.08f) * gate;
        out[i] = impact + thump + spray * 0.8f;
    }
    // Wet squelches: short blips whose pitch shoots up, like bubbles bursting.
    for (int k = 0; k < 7; ++k) {
        float at = rng.range(0.02f, 0.3f);
        float f0 = rng.range(250.0f, 500.0f);
        float len = rng.range(0.02f, 0.05f);
        float level = rng.range(0.3f, 0.6f);
        Wave bubble(samples_for(len), 0.0f);
        double ph = 0.0;
        for (int i = 0; i < static_cast<int>(bubble.size()); ++i) {
            float u = static_cast<float>(i) / bubble.size();
            ph += f0 * (1.0f + 1.5f * u * u) / SAMPLE_RATE;
            bubble[i] = std::sin(TWO_PI * static_cast<float>(ph)) * std::sin(PI * u) * level;
        }
        mix_into(out, bubble, samples_for(at));
    }
    for (float &s : out) s = soft_clip(s, 1.3f);
    fade_out(out, 0.1f);
    normalise(out, 0.9f);
    return out;
}

Wave footstep(bool left)
{
    // A heel and a scuff. Left and right differ a little, as two shoes on a pavement do.
    const int count = samples_for(0.12f);
    Rng rng{left ? 2601u : 2701u};
    Svf heel, scuff;
    const float heel_hz = left ? 600.0f : 720.0f;
    const float tone_hz = left ? 90.0f : 105.0f;
    Wave out(count, 0.0f);
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float h = heel.low(n, heel_hz) * attack_decay(t, 0.002f, 0.02f) * 2.0f;
        float tone = std::sin(TWO_PI * tone_hz * t) * attack_decay(t, 0.002f, 0.015f) * 0.6f;
        float s = scuff.band(n, left ? 2400.0f : 2800.0f, 0.9f) * attack_decay(t - 0.015f, 0.005f, 0.03f);
        out[i] = h + tone + 0.3f * s;
    }
    fade_out(out, 0.03f);
    normalise(out, 0.35f);
    return out;
}
