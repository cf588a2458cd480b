#include <cmath>
#include <initializer_list>

#include "recipes.h"
#include "voice.h"

namespace {

// A scream is loud, strained and open-throated: the jaw wide (F1 up), the folds pressed (a flat
// source, strong high harmonics) and a harsh edge of noise. These are shared by all four.
VoiceShape scream_base(float seconds, uint64_t seed)
{
    VoiceShape v{};
    v.seconds = seconds;
    v.throat = 1.0f;
    v.bandwidth = 1.1f;
    v.vibrato_hz = 6.0f;
    v.vibrato_depth = 0.03f;
    v.jitter = 0.02f;
    v.shimmer = 0.15f;
    v.tilt = 0.3f;
    v.presence = 3.0f;
    v.roughness = {{0.0f, 0.15f}};
    v.breath = {{0.0f, 0.12f}};
    v.drive = 1.6f;
    v.seed = seed;
    return v;
}

// A dying voice is slack: soft folds (a steep source), breathy, and sinking.
VoiceShape groan_base(float seconds, uint64_t seed)
{
    VoiceShape v{};
    v.seconds = seconds;
    v.throat = 1.0f;
    v.bandwidth = 1.0f;
    v.jitter = 0.03f;
    v.shimmer = 0.2f;
    v.tilt = 1.0f;
    v.presence = 1.0f;
    v.drive = 1.4f;
    v.seed = seed;
    return v;
}

// A vowel's formant, scaled for the throat that says it.
Curve formant(std::initializer_list<Point> points, float scale)
{
    Curve c(points);
    for (Point &p : c) p.v *= scale;
    return c;
}

Wave finish_voice(Wave wave, float room)
{
    add_room(wave, room, 0.8f, 0.15f);
    fade_out(wave, 0.08f);
    return wave;
}

} // namespace

Wave scream_woman()
{
    // "Aaaah!": up to a held high note, the jaw wide open, sagging into "aaw" as the breath
    // runs out.
    VoiceShape v = scream_base(1.15f, 1501);
    const float woman = 1.15f;
    v.throat = woman;
    v.pitch = {{0.0f, 520.0f}, {0.12f, 880.0f}, {0.5f, 830.0f}, {0.9f, 760.0f}, {1.15f, 600.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.04f, 0.9f}, {0.2f, 1.0f}, {0.85f, 0.85f}, {1.15f, 0.0f}};
    v.f1 = formant({{0.0f, 800.0f}, {0.2f, 950.0f}, {0.8f, 920.0f}, {1.15f, 760.0f}}, woman);
    v.f2 = formant({{0.0f, 1200.0f}, {0.8f, 1250.0f}, {1.15f, 1000.0f}}, woman);
    v.f3 = formant({{0.0f, 2500.0f}}, woman);
    v.vibrato_hz = 6.5f;
    v.vibrato_depth = 0.035f;
    v.roughness = {{0.0f, 0.1f}, {0.3f, 0.25f}, {1.15f, 0.15f}};
    return finish_voice(sing(v), 0.12f);
}

Wave scream_man()
{
    // "Aaargh!": lower and harsher, the rough undertone strong; the tongue curls into the "rgh"
    // at the end (F3 falls).
    VoiceShape v = scream_base(1.0f, 1601);
    v.pitch = {{0.0f, 260.0f}, {0.1f, 430.0f}, {0.6f, 410.0f}, {1.0f, 320.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.04f, 1.0f}, {0.7f, 0.9f}, {1.0f, 0.0f}};
    v.f1 = {{0.0f, 760.0f}, {0.15f, 850.0f}, {0.55f, 820.0f}, {0.85f, 600.0f}};
    v.f2 = {{0.0f, 1150.0f}, {0.55f, 1200.0f}, {0.85f, 1250.0f}};
    v.f3 = {{0.0f, 2550.0f}, {0.55f, 2550.0f}, {0.85f, 1750.0f}};
    v.vibrato_hz = 5.5f;
    v.jitter = 0.035f;
    v.presence = 6.0f;
    v.roughness = {{0.0f, 0.3f}, {0.2f, 0.55f}, {1.0f, 0.45f}};
    v.breath = {{0.0f, 0.18f}};
    v.drive = 2.0f;
    return finish_voice(sing(v), 0.12f);
}

Wave scream_yelp()
{
    // A short startled "Ow!": "ah" closing to "oo".
    VoiceShape v = scream_base(0.5f, 1801);
    const float woman = 1.15f;
    v.throat = woman;
    v.pitch = {{0.0f, 600.0f}, {0.07f, 950.0f}, {0.25f, 880.0f}, {0.5f, 640.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.03f, 1.0f}, {0.3f, 0.8f}, {0.5f, 0.0f}};
    v.f1 = formant({{0.0f, 850.0f}, {0.12f, 850.0f}, {0.4f, 450.0f}}, woman);
    v.f2 = formant({{0.0f, 1300.0f}, {0.12f, 1250.0f}, {0.4f, 850.0f}}, woman);
    v.f3 = formant({{0.0f, 2500.0f}, {0.4f, 2300.0f}}, woman);
    v.vibrato_hz = 7.0f;
    v.vibrato_depth = 0.02f;
    return finish_voice(sing(v), 0.1f);
}

Wave scream_shriek()
{
    // A piercing "Eeeek!": very high, the bright vowel "ee" with the jaw dropped, fast vibrato.
    VoiceShape v = scream_base(1.0f, 2101);
    const float woman = 1.15f;
    v.throat = woman;
    v.pitch = {{0.0f, 900.0f}, {0.1f, 1250.0f}, {0.6f, 1180.0f}, {1.0f, 950.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.04f, 1.0f}, {0.75f, 0.85f}, {1.0f, 0.0f}};
    v.f1 = formant({{0.0f, 950.0f}}, woman);   // tuned up to the pitch, as a screamer does
    v.f2 = formant({{0.0f, 2250.0f}, {1.0f, 2150.0f}}, woman);
    v.f3 = formant({{0.0f, 2950.0f}}, woman);
    v.vibrato_hz = 7.5f;
    v.vibrato_depth = 0.04f;
    v.presence = 1.5f;
    v.breath = {{0.0f, 0.1f}};
    v.drive = 1.3f;
    return finish_voice(sing(v), 0.1f);
}

Wave groan_long()
{
    // A dying "uuuhhh": "uh" closing to "oo", the pitch sinking into a creak, the breath taking
    // over.
    VoiceShape v = groan_base(1.5f, 501);
    v.pitch = {{0.0f, 120.0f}, {0.25f, 132.0f}, {0.8f, 105.0f}, {1.5f, 72.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.05f, 0.7f}, {0.35f, 1.0f}, {1.0f, 0.6f}, {1.5f, 0.0f}};
    v.f1 = {{0.0f, VOWEL_UH.f1}, {0.6f, 560.0f}, {1.5f, 380.0f}};
    v.f2 = {{0.0f, VOWEL_UH.f2}, {0.6f, 1100.0f}, {1.5f, 850.0f}};
    v.f3 = {{0.0f, VOWEL_UH.f3}, {1.5f, 2250.0f}};
    v.roughness = {{0.0f, 0.05f}, {1.5f, 0.4f}};
    v.breath = {{0.0f, 0.1f}, {1.5f, 0.35f}};
    return finish_voice(sing(v), 0.1f);
}

Wave groan_short()
{
    // "Ugh... uhh": a hit that knocks the wind out, then a last breath.
    VoiceShape v = groan_base(0.9f, 1901);
    v.pitch = {{0.0f, 165.0f}, {0.2f, 140.0f}, {0.34f, 150.0f}, {0.9f, 95.0f}};
    v.loudness = {{0.0f, 0.0f}, {0.02f, 1.0f}, {0.16f, 0.9f}, {0.22f, 0.0f},
                  {0.34f, 0.0f}, {0.42f, 0.85f}, {0.9f, 0.0f}};
    // The "g" closes the throat: the formants fall together just before the stop.
    v.f1 = {{0.0f, VOWEL_UH.f1}, {0.14f, 620.0f}, {0.22f, 300.0f}, {0.34f, VOWEL_AH.f1}, {0.9f, 520.0f}};
    v.f2 = {{0.0f, VOWEL_UH.f2}, {0.14f, 1250.0f}, {0.22f, 1700.0f}, {0.34f, VOWEL_AH.f2}, {0.9f, 950.0f}};
    v.f3 = {{0.0f, VOWEL_UH.f3}, {0.9f, 2300.0f}};
    v.tilt = 0.8f;
    v.roughness = {{0.0f, 0.3f}};
    v.breath = {{0.0f, 0.25f}};
    v.drive = 1.8f;
    return finish_voice(sing(v), 0.1f);
}

Wave body_thud()
{
    // A body landing on the tarmac: the slap of it and of its clothes, the thump of its weight,
    // then the limbs a moment later, softer.
    const int count = samples_for(0.5f);
    Rng rng{1701};
    Svf flesh, slap, rustle;
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float hit = attack_decay(t, 0.002f, 0.05f) + 0.45f * attack_decay(t - 0.13f, 0.003f, 0.04f);
        float sharp = attack_decay(t, 0.0008f, 0.012f) + 0.4f * attack_decay(t - 0.13f, 0.001f, 0.01f);
        float f = 75.0f + 60.0f * exp_decay(t, 0.04f);
        phase += f / SAMPLE_RATE;
        float weight = std::sin(TWO_PI * static_cast<float>(phase)) * hit;
        float n = rng.bipolar();
        float thump = flesh.band(n, 380.0f, 0.8f) * hit * 5.0f;
        float smack = slap.band(n, 1600.0f, 0.7f) * sharp * 3.0f;
        float cloth = rustle.band(n, 3200.0f, 0.8f) * attack_decay(t, 0.01f, 0.07f) * 0.8f;
        out[i] = soft_clip(0.35f * weight + thump + smack + cloth, 1.5f);
    }
    fade_out(out, 0.1f);
    remove_dc(out);
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
        out[i] = impact + thump + spray * 2.0f;
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
    return out;
}

Wave footstep(bool left)
{
    // A heel and a scuff. Left and right differ a little, as two shoes on a pavement do.
    const int count = samples_for(0.12f);
    Rng rng{left ? 2601u : 2701u};
    Svf heel, scuff;
    const float heel_hz = left ? 900.0f : 1050.0f;
    const float tone_hz = left ? 90.0f : 105.0f;
    Wave out(count, 0.0f);
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float h = heel.band(n, heel_hz, 0.7f) * attack_decay(t, 0.001f, 0.018f) * 4.0f;
        float tone = std::sin(TWO_PI * tone_hz * t) * attack_decay(t, 0.002f, 0.015f) * 0.25f;
        float s = scuff.band(n, left ? 2400.0f : 2800.0f, 0.9f) * attack_decay(t - 0.015f, 0.005f, 0.03f);
        out[i] = h + tone + 0.8f * s;
    }
    fade_out(out, 0.03f);
    return out;
}
