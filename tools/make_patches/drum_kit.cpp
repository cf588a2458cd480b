// The drum kit: every hit whole, from sines that drop in pitch and from filtered noise.
#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.h"

namespace {

int samples_of(double seconds)
{
    return static_cast<int>(std::lround(seconds * PATCH_RATE));
}

double time_at(int i)
{
    return static_cast<double>(i) / PATCH_RATE;
}

// A drum head: a sine whose pitch falls from `from_hz` to `to_hz` as the skin relaxes.
Wave skin(double seconds, double from_hz, double to_hz, double drop_s, double decay_s)
{
    Wave out(samples_of(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = time_at(static_cast<int>(i));
        double hz = to_hz + (from_hz - to_hz) * std::exp(-t / drop_s);
        out[i] = static_cast<float>(std::sin(TWO_PI * phase) * std::exp(-t / decay_s) * rise(t, 0.0, 0.0005));
        phase += hz / PATCH_RATE;
    }
    return out;
}

// Noise through the given filters, struck and dying away.
Wave rattle(double seconds, uint64_t seed, const std::vector<Biquad> &filters, double decay_s, double attack_s = 0.0005)
{
    Wave out = noise(samples_of(seconds), seed);
    for (const Biquad &f : filters) filter(out, f);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = time_at(static_cast<int>(i));
        out[i] *= static_cast<float>(std::exp(-t / decay_s) * rise(t, 0.0, attack_s));
    }
    return out;
}

// Square waves at clashing frequencies, the classic drum machine's metal.
Wave metal(double seconds, const std::vector<double> &hz)
{
    Wave out(samples_of(seconds));
    for (double f : hz)
        for (size_t i = 0; i < out.size(); ++i) {
            double cycles = f * time_at(static_cast<int>(i));
            out[i] += (cycles - std::floor(cycles) < 0.5 ? 1.0f : -1.0f) / static_cast<float>(hz.size());
        }
    return out;
}

void shape(Wave &wave, double decay_s)
{
    for (size_t i = 0; i < wave.size(); ++i) {
        double t = time_at(static_cast<int>(i));
        wave[i] *= static_cast<float>(std::exp(-t / decay_s) * rise(t, 0.0, 0.0005));
    }
}

// Every hit ends on the centre line, in silence.
Wave finish(Wave wave)
{
    remove_dc(wave);
    fade_end(wave, samples_of(0.02));
    float p = peak_of(wave);
    if (p > 0.0f) scale(wave, 1.0f / p);
    return wave;
}

const std::vector<double> HAT_METAL = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};

Wave hat(uint64_t seed, double seconds, double decay_s)
{
    Wave out = metal(seconds, HAT_METAL);
    filter(out, Biquad::high_pass(7000.0, 0.9));
    filter(out, Biquad::high_pass(7000.0, 0.9));
    mix_into(out, rattle(seconds, seed, {Biquad::high_pass(8000.0), Biquad::band_pass(10000.0, 0.8)}, 1.0), 0.5f);
    shape(out, decay_s);
    return finish(out);
}

Wave tom(uint64_t seed, double from_hz, double to_hz)
{
    Wave out = skin(0.55, from_hz, to_hz, 0.05, 0.2);
    mix_into(out, skin(0.55, from_hz * 1.6, to_hz * 1.55, 0.04, 0.08), 0.3f);
    mix_into(out, rattle(0.55, seed, {Biquad::band_pass(1200.0, 0.8)}, 0.012), 0.25f);
    return finish(out);
}

} // namespace

Wave kick_drum(uint64_t seed)
{
    Wave out = skin(0.5, 170.0, 48.0, 0.03, 0.17);
    mix_into(out, rattle(0.5, seed, {Biquad::high_pass(2500.0)}, 0.0025), 0.25f);
    drive(out, 1.8f);
    return finish(out);
}

Wave side_stick(uint64_t seed)
{
    Wave out = skin(0.15, 1700.0, 1650.0, 0.01, 0.012);
    mix_into(out, skin(0.15, 500.0, 470.0, 0.01, 0.02), 0.6f);
    mix_into(out, rattle(0.15, seed, {Biquad::band_pass(2200.0, 1.2)}, 0.008), 0.7f);
    return finish(out);
}

Wave snare_drum(uint64_t seed)
{
    Wave out = skin(0.45, 205.0, 188.0, 0.02, 0.06);
    mix_into(out, skin(0.45, 355.0, 338.0, 0.02, 0.04), 0.5f);
    Wave wires = rattle(0.45, seed, {Biquad::high_pass(1800.0), Biquad::low_pass(9000.0)}, 0.13);
    mix_into(out, wires, 1.1f);
    mix_into(out, rattle(0.45, seed + 1, {Biquad::band_pass(4500.0, 1.0)}, 0.01), 0.6f);
    return finish(out);
}

Wave hand_clap(uint64_t seed)
{
    // A few hands a little apart, then the room.
    Wave out = noise(samples_of(0.4), seed);
    filter(out, Biquad::band_pass(1150.0, 1.3));
    filter(out, Biquad::high_pass(600.0));
    const double claps[] = {0.0, 0.011, 0.021, 0.032};
    for (size_t i = 0; i < out.size(); ++i) {
        double t = time_at(static_cast<int>(i)), level = 0.0;
        for (double c : claps)
            if (t >= c) level = std::max(level, std::exp(-(t - c) / 0.005));
        if (t >= claps[3]) level = std::max(level, 0.6 * std::exp(-(t - claps[3]) / 0.1));
        out[i] *= static_cast<float>(level * rise(t, 0.0, 0.0005));
    }
    return finish(out);
}

Wave closed_hat(uint64_t seed)
{
    return hat(seed, 0.15, 0.035);
}

Wave open_hat(uint64_t seed)
{
    return hat(seed, 0.7, 0.25);
}

Wave low_tom(uint64_t seed)
{
    return tom(seed, 115.0, 88.0);
}

Wave mid_tom(uint64_t seed)
{
    return tom(seed, 155.0, 120.0);
}

Wave high_tom(uint64_t seed)
{
    return tom(seed, 205.0, 162.0);
}

Wave crash_cymbal(uint64_t seed)
{
    // A thin, wide plate: a burst, then a dense cloud of clashing partials over a bright wash
    // that takes a good second and a half to die.
    Rng rng{seed};
    Wave out(samples_of(1.8));
    for (int k = 0; k < 48; ++k) {
        double hz = 350.0 * std::pow(2.0, rng.uniform() * 4.6), decay = 0.4 + rng.uniform() * 1.0;
        double phase = rng.uniform();
        for (size_t i = 0; i < out.size(); ++i) {
            double t = time_at(static_cast<int>(i));
            out[i] += static_cast<float>(0.04 * std::sin(TWO_PI * (phase + hz * t)) * std::exp(-t / decay));
        }
    }
    filter(out, Biquad::high_pass(2500.0));
    mix_into(out, rattle(1.8, seed + 7, {Biquad::high_pass(4000.0)}, 0.6), 0.45f);
    mix_into(out, rattle(1.8, seed + 8, {Biquad::high_pass(2000.0)}, 0.05), 0.6f);
    shape(out, 2.5);
    return finish(out);
}

Wave ride_cymbal(uint64_t seed)
{
    // The stick pings the bow of a heavy plate: a clear bell-like tone over a soft wash.
    const double bell_hz[] = {523.0, 1097.0, 1652.0, 2317.0, 3410.0, 4660.0};
    const float bell_level[] = {0.3f, 0.5f, 0.4f, 0.35f, 0.25f, 0.2f};
    Wave out(samples_of(1.3));
    for (int k = 0; k < 6; ++k)
        for (size_t i = 0; i < out.size(); ++i) {
            double t = time_at(static_cast<int>(i));
            out[i] += bell_level[k] * static_cast<float>(std::sin(TWO_PI * bell_hz[k] * t) * std::exp(-t / (0.9 - 0.1 * k)));
        }
    filter(out, Biquad::high_pass(800.0));
    scale(out, 0.35f);
    mix_into(out, rattle(1.3, seed, {Biquad::high_pass(5000.0)}, 0.5), 0.35f);
    mix_into(out, rattle(1.3, seed + 1, {Biquad::band_pass(6000.0, 1.0)}, 0.006), 0.6f);
    shape(out, 0.8);
    return finish(out);
}

Wave tambourine(uint64_t seed)
{
    // Pairs of jingles shaken against each other, a few clashes in quick succession.
    Wave out = noise(samples_of(0.35), seed);
    filter(out, Biquad::band_pass(7500.0, 2.0));
    Wave high = noise(samples_of(0.35), seed + 1);
    filter(high, Biquad::band_pass(11000.0, 1.5));
    mix_into(out, high, 0.8f);
    const double clashes[] = {0.0, 0.007, 0.016};
    for (size_t i = 0; i < out.size(); ++i) {
        double t = time_at(static_cast<int>(i)), level = 0.0;
        for (double c : clashes)
            if (t >= c) level += std::exp(-(t - c) / 0.06) / 2.0;
        out[i] *= static_cast<float>(level * rise(t, 0.0, 0.0005));
    }
    return finish(out);
}

Wave shaker(uint64_t seed)
{
    Wave out = rattle(0.18, seed, {Biquad::band_pass(6500.0, 1.5), Biquad::high_pass(3000.0)}, 0.035, 0.012);
    return finish(out);
}

Wave cowbell(uint64_t seed)
{
    Wave out = metal(0.4, {540.0, 800.0});
    filter(out, Biquad::band_pass(800.0, 1.2));
    mix_into(out, rattle(0.4, seed, {Biquad::band_pass(2000.0, 1.0)}, 0.004), 0.4f);
    shape(out, 0.09);
    return finish(out);
}

Wave conga(uint64_t seed)
{
    Wave out = skin(0.45, 235.0, 205.0, 0.02, 0.14);
    mix_into(out, rattle(0.45, seed, {Biquad::band_pass(1800.0, 1.0)}, 0.008), 0.4f);
    return finish(out);
}
