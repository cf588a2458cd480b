#include <cmath>

#include "recipes.h"

namespace {

// A band-limited pulse wave: the difference of two sawtooths half a duty apart.
float pulse_wave(double phase_cycles, float freq, float duty, float top_hz)
{
    return saw_additive(phase_cycles, freq, top_hz) - saw_additive(phase_cycles + duty, freq, top_hz);
}

// A struck piece of metal: a few decaying partials. `scale` moves every partial, so the same
// clicker gives the light ratchet teeth and the heavier final clack.
void add_metal_ping(Wave &out, float at, float scale, float gain, float ring, Rng &rng)
{
    constexpr float partials[] = {2870.0f, 4130.0f, 5610.0f, 7340.0f};
    constexpr float taus[] = {0.012f, 0.009f, 0.007f, 0.005f};
    constexpr float levels[] = {1.0f, 0.7f, 0.5f, 0.35f};
    int start = samples_for(at);
    int len = samples_for(0.12f * ring);
    Wave ping(len, 0.0f);
    Svf tick;
    for (int i = 0; i < len; ++i) {
        float t = time_of(i);
        float s = 0.0f;
        for (int p = 0; p < 4; ++p) {
            float f = partials[p] * scale;
            if (f > 10000.0f) continue;
            s += levels[p] * std::sin(TWO_PI * f * t) * exp_decay(t, taus[p] * ring);
        }
        s += 0.8f * tick.high(rng.bipolar(), 3000.0f) * exp_decay(t, 0.0008f);
        ping[i] = s;
    }
    mix_into(out, ping, start, gain);
}

// Sheet metal folding: noise bursts at the moments of each small impact, ringing a bank of
// inharmonic panel modes, with a grinding crackle on top.
Wave metal_crunch(float mode_scale, int impacts, float seconds, uint64_t seed)
{
    constexpr float modes[] = {143.0f, 219.0f, 331.0f, 467.0f, 612.0f,
                               829.0f, 1102.0f, 1487.0f, 1964.0f, 2611.0f};
    constexpr int mode_count = sizeof(modes) / sizeof(modes[0]);
    Rng rng{seed};
    const int count = samples_for(seconds);

    Wave excite(count, 0.0f);
    for (int k = 0; k < impacts; ++k) {
        float u = rng.uniform();
        float at = k == 0 ? 0.0f : 0.005f + 0.38f * u * u;
        float strength = k == 0 ? 1.0f : rng.range(0.2f, 0.75f) * (1.0f - at);
        int start = samples_for(at);
        for (int i = 0; i < samples_for(0.006f) && start + i < count; ++i)
            excite[start + i] += rng.bipolar() * strength * exp_decay(time_of(i), 0.0015f);
    }

    std::vector<Svf> banks(mode_count);
    Svf grind_filter;
    Wobble grind_gate{seed + 7, 260.0f};
    Wave out(count, 0.0f);
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float ring = 0.0f;
        for (int m = 0; m < mode_count; ++m) {
            float q = 28.0f + 3.0f * m;
            ring += banks[m].band(excite[i], modes[m] * mode_scale, q) / std::sqrt(q);
        }
        float gate = grind_gate.next() > 0.25f ? 1.0f : 0.0f;
        float grind = grind_filter.band(rng.bipolar() * gate, 2100.0f * mode_scale, 1.1f) *
                      attack_decay(t, 0.01f, 0.12f);
        out[i] = ring * 1.6f + grind * 0.9f + excite[i] * 0.35f;
    }
    fade_out(out, 0.15f);
    return out;
}

// The dull weight of a car body being hit.
Wave impact_thump(float seconds, float start_hz, float end_hz, float tau, uint64_t seed)
{
    Rng rng{seed};
    Svf body;
    const int count = samples_for(seconds);
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float f = end_hz + (start_hz - end_hz) * exp_decay(t, tau * 0.6f);
        phase += f / SAMPLE_RATE;
        float tone = std::sin(TWO_PI * static_cast<float>(phase)) * attack_decay(t, 0.002f, tau);
        float thud = body.low(rng.bipolar(), 320.0f) * attack_decay(t, 0.001f, tau * 0.5f);
        out[i] = tone + thud * 1.5f;
    }
    return out;
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
    normalise(out, 0.7f);
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
    normalise(squeal, 0.55f);
    return squeal;
}

Wave crash_heavy()
{
    Wave out = impact_thump(0.9f, 80.0f, 42.0f, 0.11f, 701);
    mix_into(out, metal_crunch(1.0f, 22, 0.9f, 702), 0, 1.0f);
    for (float &s : out) s = soft_clip(s * 1.6f, 1.0f);
    fade_out(out, 0.2f);
    add_room(out, 0.18f, 1.0f, 0.2f);
    fade_out(out, 0.15f);
    normalise(out, 0.95f);
    return out;
}

Wave crash_glass()
{
    Wave out = impact_thump(0.9f, 95.0f, 55.0f, 0.07f, 801);
    mix_into(out, metal_crunch(1.35f, 12, 0.6f, 802), 0, 0.8f);

    // The windscreen going: a hiss of breaking, then a shower of little shards, each a pair
    // of glassy partials ringing briefly.
    Rng rng{803};
    Svf crack;
    Wave glass(samples_for(0.9f), 0.0f);
    for (int i = 0; i < samples_for(0.15f); ++i) {
        float t = time_of(i);
        glass[samples_for(0.01f) + i] += crack.high(rng.bipolar(), 3500.0f) * attack_decay(t, 0.001f, 0.04f);
    }
    for (int k = 0; k < 55; ++k) {
        float at = 0.015f + 0.55f * std::pow(rng.uniform(), 2.2f);
        float f1 = rng.range(2500.0f, 7500.0f);
        float f2 = std::fmin(f1 * rng.range(1.4f, 2.3f), 10000.0f);
        float tau = rng.range(0.008f, 0.045f);
        float level = rng.range(0.15f, 0.6f) * (1.0f - at) * (1.0f - at);
        int start = samples_for(at);
        for (int i = 0; i < samples_for(tau * 5.0f) && start + i < static_cast<int>(glass.size()); ++i) {
            float t = time_of(i);
            glass[start + i] += level * attack_decay(t, 0.0008f, tau) *
                                (std::sin(TWO_PI * f1 * t) + 0.5f * std::sin(TWO_PI * f2 * t));
        }
    }
    mix_into(out, glass, 0, 0.55f);
    for (float &s : out) s = soft_clip(s * 1.4f, 1.0f);
    fade_out(out, 0.2f);
    add_room(out, 0.15f, 0.9f, 0.15f);
    fade_out(out, 0.1f);
    normalise(out, 0.95f);
    return out;
}

Wave explosion()
{
    const int count = samples_for(2.2f);
    Rng rng{1001};
    Svf body, crack_filter, crackle_filter;
    OnePole brown, brown2;
    Wave out(count, 0.0f);
    double thump_phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float crack = crack_filter.high(n, 1200.0f) * exp_decay(t, 0.012f);
        // A roar whose brightness falls away as the fireball cools.
        float cutoff = 110.0f + 2900.0f * exp_decay(t, 0.22f);
        float roar = body.low(n, cutoff, 0.9f) * attack_decay(t, 0.004f, 0.5f);
        float rumble = brown2.run(brown.run(n, 150.0f), 90.0f) * 14.0f * attack_decay(t, 0.03f, 0.8f);
        float f = 30.0f + 32.0f * exp_decay(t, 0.12f);
        thump_phase += f / SAMPLE_RATE;
        float thump = std::sin(TWO_PI * static_cast<float>(thump_phase)) * attack_decay(t, 0.003f, 0.28f);
        // Debris pattering down for a second after the blast.
        float density = t > 0.08f && t < 1.6f ? 0.004f * exp_decay(t - 0.08f, 0.45f) : 0.0f;
        float impulse = rng.uniform() < density ? rng.bipolar() * 6.0f : 0.0f;
        float crackle = crackle_filter.band(impulse, 1700.0f, 1.3f);
        out[i] = soft_clip(0.6f * crack + 1.1f * roar + rumble + 0.9f * thump + 0.5f * crackle, 1.4f);
    }
    fade_out(out, 0.5f);
    add_room(out, 0.2f, 1.3f, 0.25f);
    fade_out(out, 0.3f);
    remove_dc(out);
    normalise(out, 0.95f);
    return out;
}

Wave gunshot()
{
    const int count = samples_for(0.45f);
    Rng rng{2401};
    Svf crack_filter, body_filter, tail_filter;
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float crack = crack_filter.high(n, 1500.0f) * exp_decay(t, 0.004f);
        float body = body_filter.band(n, 1000.0f, 0.8f) * attack_decay(t, 0.0005f, 0.035f);
        float f = 55.0f + 90.0f * exp_decay(t, 0.02f);
        phase += f / SAMPLE_RATE;
        float boom = std::sin(TWO_PI * static_cast<float>(phase)) * attack_decay(t, 0.001f, 0.06f);
        float tail = tail_filter.low(n, 2500.0f) * exp_decay(t, 0.11f) * 0.25f;
        out[i] = soft_clip(1.2f * crack + 1.5f * body + 0.9f * boom + tail, 2.5f);
    }
    fade_out(out, 0.1f);
    add_room(out, 0.22f, 1.0f, 0.25f);
    fade_out(out, 0.15f);
    normalise(out, 0.95f);
    return out;
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
    normalise(out, 0.85f);
    return out;
}

Wave arrest()
{
    Rng rng{2501};
    Wave out(samples_for(1.0f), 0.0f);
    // Handcuffs: the ratchet teeth, then the lock closing.
    for (int k = 0; k < 6; ++k)
        add_metal_ping(out, 0.02f + k * 0.028f, 1.0f, rng.range(0.5f, 0.8f), 1.0f, rng);
    add_metal_ping(out, 0.26f, 0.55f, 1.2f, 2.0f, rng);

    // The radio: a two-tone chirp, then a short burst of static as the squelch closes.
    const float radio_at = 0.45f;
    Svf band_low, band_high;
    Wave radio(samples_for(0.5f), 0.0f);
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
        float t_static = t - 0.16f;
        float hiss = t_static >= 0.0f ? rng.bipolar() * attack_decay(t_static, 0.004f, 0.09f) * 0.7f : 0.0f;
        float x = band_low.high(tone + hiss, 350.0f);
        radio[i] = soft_clip(band_high.low(x, 3000.0f) * 1.6f, 1.5f);
    }
    mix_into(out, radio, samples_for(radio_at), 1.0f);
    // Squeeze the peaks of the clicks so the whole arrest carries over the street.
    for (float &s : out) s = soft_clip(s * 2.0f, 1.0f);
    fade_out(out, 0.05f);
    normalise(out, 0.85f);
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
    normalise(out, 0.85f);
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
    normalise(out, 0.7f);
    return out;
}
