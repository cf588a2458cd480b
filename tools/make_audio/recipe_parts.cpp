#include "recipe_parts.h"

#include <cmath>

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

void add_street_echoes(Wave &wave, float spacing, float first_gain)
{
    // Irregular spacings, as the faces of a street are: a regular train would ring as a pitch.
    constexpr float delays[] = {1.0f, 1.9f, 3.2f, 4.9f, 6.8f};
    constexpr float tops[] = {4500.0f, 3400.0f, 2600.0f, 2000.0f, 1500.0f};
    const Wave dry = wave;
    float gain = first_gain;
    for (int k = 0; k < 5; ++k) {
        Wave echo = dry;
        Svf dull, thin;
        // Walls send back the bright part of a bang; its bass mostly goes round them.
        for (float &s : echo) s = thin.high(dull.low(s, tops[k]), 250.0f);
        mix_into(wave, echo, samples_for(delays[k] * spacing), gain);
        gain *= 0.68f;
    }
    add_room(wave, 0.25f, 1.2f, 0.35f);
}
