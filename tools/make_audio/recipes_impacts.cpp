// The bangs of the street: gunshots, explosions and car crashes. Each starts with the bright
// crack or crunch that says what it is, in the band small speakers play well, and only then
// lets its weight follow; a bang carried by its bass alone is lost on a laptop.
#include <cmath>

#include "recipe_parts.h"
#include "recipes.h"

namespace {

// The front of a blast: the pressure wave over `width` seconds (up, then down past zero),
// which a listener hears as a hard click.
float pressure_front(float t, float width)
{
    if (t >= width) return 0.0f;
    float u = t / width;
    return std::sin(TWO_PI * u) * (1.0f - 0.4f * u);
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

// A car body taking a blow: the bang of the panel (broadband, strongest in the middle), the
// boom of the door skin, and a little weight under them.
Wave body_blow(float seconds, float weight, float boom_scale, uint64_t seed)
{
    constexpr float booms[] = {185.0f, 297.0f, 430.0f, 610.0f};
    Rng rng{seed};
    Svf bang, click, boom_filters[4];
    const int count = samples_for(seconds);
    Wave out(count, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float hit = bang.band(n, 1600.0f, 0.6f) * attack_decay(t, 0.0005f, 0.014f) * 3.0f +
                    click.high(n, 2500.0f) * exp_decay(t, 0.004f) * 1.5f;
        float boom = 0.0f;
        float strike = n * exp_decay(t, 0.004f);
        for (int b = 0; b < 4; ++b) boom += boom_filters[b].band(strike, booms[b] * boom_scale, 12.0f);
        float f = 65.0f + 45.0f * exp_decay(t, 0.03f);
        phase += f / SAMPLE_RATE;
        float low = std::sin(TWO_PI * static_cast<float>(phase)) * attack_decay(t, 0.002f, 0.07f);
        out[i] = hit + 1.2f * boom + weight * low;
    }
    return out;
}

// Bits of trim and glass landing on the road after a crash or a blast.
void add_debris(Wave &out, int pieces, float from, float to, float scale, Rng &rng)
{
    for (int k = 0; k < pieces; ++k) {
        float u = rng.uniform();
        float at = from + (to - from) * u * u;
        // One draw a statement: the order of a call's arguments is the compiler's choice, and
        // every compiler must make the same sounds. (The draws keep the order that made the
        // shipped sounds.)
        float ring = rng.range(0.5f, 1.2f);
        float gain = rng.range(0.08f, 0.22f) * (1.0f - u * 0.6f);
        float size = scale * rng.range(0.7f, 1.4f);
        add_metal_ping(out, at, size, gain, ring, rng);
    }
}

// A windscreen going: a hiss of breaking, then a shower of little shards, each a pair of
// glassy partials ringing briefly.
Wave glass_shatter(float seconds, int shards, uint64_t seed)
{
    Rng rng{seed};
    Svf crack;
    Wave glass(samples_for(seconds), 0.0f);
    for (int i = 0; i < samples_for(0.15f); ++i) {
        float t = time_of(i);
        glass[samples_for(0.003f) + i] += crack.high(rng.bipolar(), 3000.0f) * attack_decay(t, 0.001f, 0.04f) * 1.5f;
    }
    for (int k = 0; k < shards; ++k) {
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
    return glass;
}

} // namespace

Wave crash_heavy()
{
    // The car that was hit: the blow, then its panels crunching and bits falling off.
    Rng rng{703};
    Wave out = body_blow(1.0f, 0.6f, 1.0f, 701);
    mix_into(out, metal_crunch(1.6f, 26, 0.9f, 702), 0, 1.1f);
    add_debris(out, 7, 0.12f, 0.6f, 0.8f, rng);
    for (float &s : out) s = soft_clip(s * 1.4f, 1.0f);
    fade_out(out, 0.2f);
    add_room(out, 0.16f, 1.0f, 0.2f);
    fade_out(out, 0.15f);
    remove_dc(out);
    return out;
}

Wave crash_glass()
{
    // The car that hit: a lighter blow and crunch, and its windscreen going.
    Wave out = body_blow(0.9f, 0.45f, 1.25f, 801);
    mix_into(out, metal_crunch(1.9f, 12, 0.6f, 802), 0, 1.0f);
    mix_into(out, glass_shatter(0.9f, 55, 803), 0, 0.6f);
    for (float &s : out) s = soft_clip(s * 1.4f, 1.0f);
    fade_out(out, 0.2f);
    add_room(out, 0.15f, 0.9f, 0.15f);
    fade_out(out, 0.1f);
    remove_dc(out);
    return out;
}

Wave explosion()
{
    // The crack of the blast wave first, alone for a moment; then the fireball's roar, bright
    // at first and darkening as it cools, over a rumble; debris patters down after.
    const int count = samples_for(1.9f);
    const float roar_at = 0.025f;
    Rng rng{1001};
    Svf crack_high, crack_low, roar_filter, roar_body, crackle_filter;
    OnePole brown, brown2;
    Wave out(count, 0.0f);
    double thump_phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float front = pressure_front(t, 0.0025f);
        float crack = crack_low.low(crack_high.high(n, 1000.0f), 8000.0f) * attack_decay(t, 0.0003f, 0.009f);
        float tr = t - roar_at;
        float cutoff = 300.0f + 3500.0f * exp_decay(tr, 0.16f);
        float roar = roar_filter.low(n, cutoff, 0.9f) * attack_decay(tr, 0.035f, 0.42f);
        // Driven hard, the roar's body turns to grit that small speakers still play.
        roar = soft_clip(roar * 4.0f + roar_body.band(n, 450.0f, 0.9f) * 4.0f * attack_decay(tr, 0.03f, 0.3f), 1.0f);
        float rumble = brown2.run(brown.run(n, 150.0f), 90.0f) * 12.0f * attack_decay(tr, 0.05f, 0.6f);
        thump_phase += (32.0f + 40.0f * exp_decay(tr, 0.1f)) / SAMPLE_RATE;
        float thump = std::sin(TWO_PI * static_cast<float>(thump_phase)) * attack_decay(tr, 0.02f, 0.22f);
        // The weight is saturated too: its overtones carry it where the speaker cannot.
        float weight = soft_clip((rumble + thump) * 1.8f, 1.0f);
        float density = t > 0.08f && t < 1.6f ? 0.006f * exp_decay(t - 0.08f, 0.4f) : 0.0f;
        float impulse = rng.uniform() < density ? rng.bipolar() * 6.0f : 0.0f;
        float crackle = crackle_filter.band(impulse, 2200.0f, 1.2f);
        out[i] = 0.9f * front + 2.5f * crack + 0.9f * roar + 0.45f * weight + 0.5f * crackle;
    }
    add_debris(out, 9, 0.25f, 1.3f, 0.5f, rng);
    fade_out(out, 0.5f);
    add_street_echoes(out, 0.07f, 0.3f);
    fade_out(out, 0.3f);
    remove_dc(out);
    return out;
}

Wave gunshot()
{
    // The crack of the muzzle (a millisecond's pressure wave and a spray of bright noise), the
    // hard mid-range blast of the gases, the pop of the gun's body; the street echoes it.
    const int count = samples_for(0.3f);
    Rng rng{2401};
    Svf crack_high, crack_low, blast_filter;
    Wave out(count, 0.0f);
    double pop_phase = 0.0, boom_phase = 0.0;
    for (int i = 0; i < count; ++i) {
        float t = time_of(i);
        float n = rng.bipolar();
        float front = pressure_front(t, 0.0012f);
        float crack = crack_low.low(crack_high.high(n, 1500.0f), 7000.0f) * attack_decay(t, 0.0002f, 0.005f);
        float blast = blast_filter.band(n, 1500.0f, 0.7f) * attack_decay(t, 0.0004f, 0.022f);
        pop_phase += (200.0f + 300.0f * exp_decay(t, 0.01f)) / SAMPLE_RATE;
        float pop = std::sin(TWO_PI * static_cast<float>(pop_phase)) * attack_decay(t, 0.0006f, 0.025f);
        // A little weight underneath, light enough that small speakers keep the rest.
        boom_phase += (60.0f + 60.0f * exp_decay(t, 0.02f)) / SAMPLE_RATE;
        float boom = std::sin(TWO_PI * static_cast<float>(boom_phase)) * attack_decay(t, 0.001f, 0.05f);
        out[i] = soft_clip((0.8f * front + 3.0f * crack + 4.0f * blast + 0.5f * pop + 0.25f * boom) * 2.0f, 1.0f);
    }
    add_street_echoes(out, 0.045f, 0.5f);
    fade_out(out, 0.25f);
    remove_dc(out);
    return out;
}
