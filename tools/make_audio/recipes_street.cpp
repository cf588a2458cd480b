#include <cmath>

#include "recipe_parts.h"
#include "recipes.h"
#include "voice.h"

namespace {

// A band-limited pulse wave: the difference of two sawtooths half a duty apart.
float pulse_wave(double phase_cycles, float freq, float duty, float top_hz)
{
    return saw_additive(phase_cycles, freq, top_hz) - saw_additive(phase_cycles + duty, freq, top_hz);
}

} // namespace

Wave horn()
{
    // Two horn units a major third apart, each a nasal buzz. Their pitches are whole multiples
    // of 2 Hz, so half a second holds whole cycles of both and the loop is exact.
    const int loop_len = samples_for(0.5f);
    constexpr float tones[] = {420.0f, 524.0f};
    Svf low_cut, bell, top_cut;
    Wave raw(loop_len * 2, 0.0f);
    for (int i = 0; i < loop_len * 2; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        float x = 0.0f;
        for (float f : tones) x += soft_clip(pulse_wave(f * t, f, 0.32f, 5000.0f) * 0.8f, 1.4f);
        float y = low_cut.high(x, 330.0f) + 0.9f * bell.band(x, 2500.0f, 1.8f);
        raw[i] = top_cut.low(soft_clip(y, 1.2f), 6000.0f);
    }
    // The second half has the filters settled: it repeats exactly.
    Wave out(raw.begin() + loop_len, raw.end());
    return out;
}

Wave tyre_screech()
{
    // The squeal itself is built periodic over the loop (whole-hertz pitches, whole-cycle
    // wobbles); only the road noise under it needs a cross-fade.
    const float loop_s = 1.0f;
    const int loop_len = samples_for(loop_s);
    const int fade = samples_for(0.25f);
    PeriodicWobble slow{2201, loop_s, 2, 9}, chatter{2202, loop_s, 18, 45};
    PeriodicWobble grip{2203, loop_s, 3, 12}, second_grip{2204, loop_s, 4, 15};

    Wave squeal(loop_len, 0.0f);
    double phase_a = 0.0, phase_b = 0.0;
    for (int i = 0; i < loop_len; ++i) {
        float t = time_of(i);
        float fa = 1150.0f + 70.0f * slow.at(t) + 22.0f * chatter.at(t);
        float fb = 1630.0f + 90.0f * slow.at(t) - 30.0f * chatter.at(t);
        float pa = TWO_PI * static_cast<float>(phase_a), pb = TWO_PI * static_cast<float>(phase_b);
        float a = std::sin(pa) + 0.35f * std::sin(2 * pa) + 0.15f * std::sin(3 * pa);
        float b = std::sin(pb) + 0.2f * std::sin(2 * pb);
        float level_a = 0.75f + 0.25f * grip.at(t);
        float level_b = std::fmax(0.0f, 0.15f + 0.35f * second_grip.at(t));
        squeal[i] = a * level_a + b * level_b;
        phase_a += fa / SAMPLE_RATE;
        phase_b += fb / SAMPLE_RATE;
    }

    Rng rng{2205};
    Svf hiss, hiss_top, grind;
    Wave road(loop_len + fade, 0.0f);
    for (float &s : road) {
        float n = rng.bipolar();
        s = 0.35f * hiss_top.low(hiss.band(n, 2800.0f, 0.8f), 5000.0f) + 0.3f * grind.low(n, 300.0f);
    }
    Wave looped = make_loop(road, loop_len, fade, true);
    for (int i = 0; i < loop_len; ++i) squeal[i] = soft_clip(squeal[i] * 0.6f + looped[i], 1.5f);
    return squeal;
}

Wave police_whoop()
{
    // Two rising yelps of an electronic siren through its horn speaker.
    const Curve pitch = {{0.00f, 450.0f}, {0.28f, 1300.0f}, {0.36f, 1180.0f}, {0.40f, 450.0f},
                         {0.68f, 1300.0f}, {0.80f, 1150.0f}};
    const Curve level = {{0.00f, 0.0f}, {0.02f, 1.0f}, {0.34f, 1.0f}, {0.39f, 0.1f},
                         {0.42f, 1.0f}, {0.74f, 1.0f}, {0.84f, 0.0f}};
    const int count = samples_for(0.85f);
    Svf speaker, low_cut;
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float f = curve_at(pitch, t);
        phase += f / SAMPLE_RATE;
        float x = soft_clip(pulse_wave(phase, f, 0.5f, 5000.0f) * 0.5f, 1.0f);
        float y = speaker.band(x, 1400.0f, 0.7f) + 0.3f * low_cut.high(x, 500.0f);
        out[i] = y * curve_at(level, t);
    }
    add_room(out, 0.25f, 1.2f, 0.3f);
    fade_out(out, 0.1f);
    return out;
}

namespace {

// The dispatcher answering over the radio: a few clipped syllables, "ten-four, got him", too
// squashed by the little speaker to make out, but a man's voice moving through its vowels.
Wave dispatcher_voice()
{
    VoiceShape v{};
    v.seconds = 0.62f;
    v.pitch = {{0.0f, 128.0f}, {0.12f, 140.0f}, {0.3f, 122.0f}, {0.42f, 135.0f}, {0.62f, 105.0f}};
    // Five syllables, the gaps between them the stops of the consonants.
    v.loudness = {{0.0f, 0.0f}, {0.01f, 1.0f}, {0.09f, 0.9f}, {0.11f, 0.0f}, {0.13f, 0.0f}, {0.14f, 1.0f},
                  {0.24f, 0.8f}, {0.27f, 0.0f}, {0.32f, 0.0f}, {0.33f, 1.0f}, {0.41f, 0.9f}, {0.43f, 0.0f},
                  {0.45f, 0.0f}, {0.46f, 0.9f}, {0.53f, 0.8f}, {0.62f, 0.0f}};
    // "eh" "oh" "ah" "ee" "uh".
    v.f1 = {{0.0f, VOWEL_EH.f1}, {0.12f, VOWEL_OO.f1 + 150.0f}, {0.3f, VOWEL_AH.f1}, {0.44f, VOWEL_EE.f1},
            {0.55f, VOWEL_UH.f1}};
    v.f2 = {{0.0f, VOWEL_EH.f2}, {0.12f, VOWEL_OO.f2}, {0.3f, VOWEL_AH.f2}, {0.44f, VOWEL_EE.f2},
            {0.55f, VOWEL_UH.f2}};
    v.f3 = {{0.0f, VOWEL_EH.f3}, {0.3f, VOWEL_AH.f3}, {0.44f, VOWEL_EE.f3}, {0.55f, VOWEL_UH.f3}};
    v.throat = 1.0f;
    v.bandwidth = 1.0f;
    v.jitter = 0.02f;
    v.shimmer = 0.1f;
    v.tilt = 0.8f;
    v.presence = 1.0f;
    v.roughness = {{0.0f, 0.05f}};
    v.breath = {{0.0f, 0.08f}};
    v.drive = 1.5f;
    v.seed = 2511;
    return sing(v);
}

} // namespace

Wave arrest()
{
    Rng rng{2501};
    Wave out(samples_for(1.35f), 0.0f);
    // Handcuffs: the ratchet teeth, then the lock closing.
    for (int k = 0; k < 6; ++k)
        add_metal_ping(out, 0.02f + k * 0.028f, 1.0f, rng.range(0.5f, 0.8f), 1.0f, rng);
    add_metal_ping(out, 0.26f, 0.55f, 1.2f, 2.0f, rng);

    // The radio: a two-tone chirp, the dispatcher over an open squelch's hiss, then a short
    // burst of static as the squelch closes. All of it through a small speaker's narrow band.
    const float radio_at = 0.38f;
    const float voice_at = 0.17f, voice_end = voice_at + 0.62f;
    Wave voice = dispatcher_voice();
    Svf band_low, band_low2, band_high, band_high2, honk;
    Wave radio(samples_for(0.95f), 0.0f);
    double phase = 0.0;
    for (int i = 0; i < static_cast<int>(radio.size()); ++i) {
        float t = time_of(i);
        float tone = 0.0f;
        if (t < 0.13f) {
            float f = t < 0.065f ? 1250.0f : 1650.0f;
            phase += f / SAMPLE_RATE;
            float edge = std::fmin(1.0f, std::fmin(t, 0.13f - t) / 0.004f);
            tone = std::sin(TWO_PI * static_cast<float>(phase)) * edge * 0.8f;
        }
        int v = i - samples_for(voice_at);
        float speech = v >= 0 && v < static_cast<int>(voice.size()) ? voice[v] : 0.0f;
        float open = t > voice_at - 0.02f && t < voice_end ? 0.03f : 0.0f;
        float t_static = t - (voice_end + 0.02f);
        float burst = t_static >= 0.0f ? attack_decay(t_static, 0.004f, 0.07f) * 0.7f : 0.0f;
        float x = band_low2.high(band_low.high(tone + speech * 1.5f + rng.bipolar() * (open + burst), 400.0f), 400.0f);
        x = soft_clip((x + 0.6f * honk.band(x, 1500.0f, 1.5f)) * 2.0f, 1.5f);
        radio[i] = band_high2.low(band_high.low(x, 3000.0f), 3000.0f);
    }
    mix_into(out, radio, samples_for(radio_at), 1.0f);
    fade_out(out, 0.05f);
    return out;
}

Wave banner_sting()
{
    // A low minor stab for weight, and over it a high-low beep.
    constexpr float stab_notes[] = {82.41f, 123.47f, 164.81f, 196.0f};
    const int count = samples_for(0.8f);
    Svf stab_filter;
    Wave out(count, 0.0f);
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        float tf = static_cast<float>(t);
        float stab = 0.0f;
        for (float f : stab_notes)
            stab += saw_additive(f * t, f, 6000.0f) + saw_additive(f * 1.004 * t, f * 1.004f, 6000.0f);
        float cutoff = 400.0f + 2600.0f * exp_decay(tf, 0.12f);
        stab = stab_filter.low(stab * 0.15f, cutoff, 1.2f) * attack_decay(tf, 0.005f, 0.3f);

        float beep = 0.0f;
        float f = tf < 0.12f ? 987.77f : 659.26f;
        float start = tf < 0.12f ? 0.0f : 0.13f;
        float stop = tf < 0.12f ? 0.11f : 0.42f;
        if (tf >= start && tf < stop) {
            float edge = std::fmin(1.0f, std::fmin(tf - start, stop - tf) / 0.012f);
            double ph = 2.0 * 3.14159265358979 * f * t;
            beep = (std::sin(ph) + std::sin(3 * ph) / 3.0f + std::sin(5 * ph) / 8.0f) * edge * 0.45f;
        }
        out[i] = stab + beep;
    }
    fade_out(out, 0.3f);
    add_room(out, 0.2f, 1.0f, 0.25f);
    fade_out(out, 0.2f);
    return out;
}

Wave menu_click()
{
    const int count = samples_for(0.06f);
    Rng rng{2301};
    Svf tick;
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float f = 1500.0f + 700.0f * exp_decay(t, 0.01f);
        phase += f / SAMPLE_RATE;
        float p = TWO_PI * static_cast<float>(phase);
        float blip = (std::sin(p) + 0.3f * std::sin(2 * p)) * attack_decay(t, 0.001f, 0.012f);
        float click = tick.high(rng.bipolar(), 4000.0f) * exp_decay(t, 0.0015f) * 0.3f;
        out[i] = blip + click;
    }
    fade_out(out, 0.01f);
    return out;
}
