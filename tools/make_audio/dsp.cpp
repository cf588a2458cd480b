#include "dsp.h"

#include "../common/splitmix.h"

#include <algorithm>
#include <cmath>

int samples_for(float seconds)
{
    return static_cast<int>(std::lround(seconds * SAMPLE_RATE));
}

float time_of(int sample_index)
{
    return static_cast<float>(sample_index) / SAMPLE_RATE;
}

uint64_t Rng::next() { return splitmix64(state); }

float Rng::uniform()
{
    return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24);
}

float Rng::bipolar()
{
    return uniform() * 2.0f - 1.0f;
}

float Rng::range(float low, float high)
{
    return low + (high - low) * uniform();
}

int Rng::below(int count)
{
    return static_cast<int>(next() % static_cast<uint64_t>(count));
}

float curve_at(const Curve &curve, float t)
{
    if (curve.empty()) return 0.0f;
    if (t <= curve.front().t) return curve.front().v;
    for (size_t i = 1; i < curve.size(); ++i) {
        const Point &a = curve[i - 1];
        const Point &b = curve[i];
        if (t <= b.t) {
            float span = b.t - a.t;
            float f = span > 0.0f ? (t - a.t) / span : 1.0f;
            return a.v + (b.v - a.v) * f;
        }
    }
    return curve.back().v;
}

float exp_decay(float t, float tau)
{
    return t < 0.0f ? 0.0f : std::exp(-t / tau);
}

float attack_decay(float t, float attack, float tau)
{
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

Svf::Out Svf::run(float input, float cutoff_hz, float q)
{
    float fc = std::clamp(cutoff_hz, 10.0f, SAMPLE_RATE * 0.45f);
    float g = std::tan(PI * fc / SAMPLE_RATE);
    float k = 1.0f / q;
    float a1 = 1.0f / (1.0f + g * (g + k));
    float a2 = g * a1;
    float a3 = g * a2;
    float v3 = input - ic2;
    float v1 = a1 * ic1 + a2 * v3;
    float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    return {v2, v1, input - k * v1 - v2};
}

float Resonator::run(float input, float centre_hz, float bandwidth_hz)
{
    float f = std::clamp(centre_hz, 20.0f, SAMPLE_RATE * 0.45f);
    float c = -std::exp(-TWO_PI * bandwidth_hz / SAMPLE_RATE);
    float b = 2.0f * std::exp(-PI * bandwidth_hz / SAMPLE_RATE) * std::cos(TWO_PI * f / SAMPLE_RATE);
    float a = 1.0f - b - c;
    float y = a * input + b * y1 + c * y2;
    y2 = y1;
    y1 = y;
    return y;
}

float OnePole::run(float input, float cutoff_hz)
{
    float a = 1.0f - std::exp(-TWO_PI * cutoff_hz / SAMPLE_RATE);
    state += a * (input - state);
    return state;
}

float Wobble::next()
{
    phase += rate_hz / SAMPLE_RATE;
    if (phase >= 1.0f) {
        phase -= std::floor(phase);
        from = to;
        to = rng.bipolar();
    }
    float f = 0.5f - 0.5f * std::cos(PI * phase);
    return from + (to - from) * f;
}

PeriodicWobble::PeriodicWobble(uint64_t seed, float period_s, int first_cycle, int last_cycle)
    : period(period_s)
{
    Rng rng{seed};
    float total = 0.0f;
    for (int c = first_cycle; c <= last_cycle; ++c) {
        float a = rng.range(0.3f, 1.0f);
        cycles.push_back(c);
        amplitude.push_back(a);
        phase.push_back(rng.range(0.0f, TWO_PI));
        total += a;
    }
    // Scale so the sum rarely leaves -1..1 (random phases rarely line up).
    float scale = total > 0.0f ? 1.8f / total : 0.0f;
    for (float &a : amplitude) a *= scale;
}

float PeriodicWobble::at(float t) const
{
    float sum = 0.0f;
    for (size_t i = 0; i < cycles.size(); ++i)
        sum += amplitude[i] * std::sin(TWO_PI * cycles[i] * t / period + phase[i]);
    return sum;
}

float saw_additive(double phase_cycles, float freq_hz, float top_hz)
{
    double base = 2.0 * 3.14159265358979323846 * phase_cycles;
    float sum = 0.0f;
    // The top fifth of the band tapers, so a sweeping pitch gains and loses harmonics smoothly.
    const float taper_from = top_hz * 0.8f;
    for (int k = 1; k * freq_hz < top_hz; ++k) {
        float f = k * freq_hz;
        float taper = f < taper_from ? 1.0f : (top_hz - f) / (top_hz - taper_from);
        sum += taper * static_cast<float>(std::sin(base * k)) / k;
    }
    return sum * (2.0f / PI);
}

float soft_clip(float x, float drive)
{
    return std::tanh(x * drive) / drive;
}

namespace {

// The low-pass that keeps the lower half of a doubled rate's band: a windowed sinc.
std::vector<float> half_band_taps()
{
    constexpr int SIDE = 32;
    std::vector<float> taps(2 * SIDE + 1);
    for (int k = -SIDE; k <= SIDE; ++k) {
        double x = k * 0.5;
        double sinc = k == 0 ? 1.0 : std::sin(3.14159265358979 * x) / (3.14159265358979 * x);
        double window = 0.42 + 0.5 * std::cos(3.14159265358979 * k / (SIDE + 1)) +
                        0.08 * std::cos(2.0 * 3.14159265358979 * k / (SIDE + 1));
        taps[k + SIDE] = static_cast<float>(0.5 * sinc * window);
    }
    return taps;
}

Wave filtered(const Wave &in, const std::vector<float> &taps, float gain)
{
    const int side = static_cast<int>(taps.size() / 2), n = static_cast<int>(in.size());
    Wave out(in.size(), 0.0f);
    for (int i = 0; i < n; ++i) {
        float sum = 0.0f;
        for (int k = -side; k <= side; ++k)
            if (i - k >= 0 && i - k < n) sum += taps[k + side] * in[i - k];
        out[i] = sum * gain;
    }
    return out;
}

} // namespace

void soft_clip_clean(Wave &wave, float drive)
{
    const std::vector<float> taps = half_band_taps();
    Wave doubled(wave.size() * 2, 0.0f);
    for (size_t i = 0; i < wave.size(); ++i) doubled[2 * i] = wave[i];
    doubled = filtered(doubled, taps, 2.0f);
    for (float &s : doubled) s = soft_clip(s, drive);
    doubled = filtered(doubled, taps, 1.0f);
    for (size_t i = 0; i < wave.size(); ++i) wave[i] = doubled[2 * i];
}

void mix_into(Wave &dest, const Wave &src, int at_sample, float gain)
{
    if (at_sample < 0) at_sample = 0;
    if (dest.size() < at_sample + src.size()) dest.resize(at_sample + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dest[at_sample + i] += src[i] * gain;
}

float peak_of(const Wave &wave)
{
    float peak = 0.0f;
    for (float s : wave) peak = std::max(peak, std::fabs(s));
    return peak;
}

void normalise(Wave &wave, float peak)
{
    float current = peak_of(wave);
    if (current <= 0.0f) return;
    float gain = peak / current;
    for (float &s : wave) s *= gain;
}

void scale(Wave &wave, float gain)
{
    for (float &s : wave) s *= gain;
}

float db_to_gain(float db)
{
    return std::pow(10.0f, db / 20.0f);
}

void limit_peaks(Wave &wave, float ceiling, float release)
{
    const int n = static_cast<int>(wave.size());
    std::vector<float> gain(n, 1.0f);
    for (int i = 0; i < n; ++i)
        if (std::fabs(wave[i]) > ceiling) gain[i] = ceiling / std::fabs(wave[i]);
    // Look ahead: the gain may rise by at most this much a sample toward a dip, so it is on its
    // way down about a millisecond before the peak arrives.
    const float approach = 1.0f / samples_for(0.001f);
    for (int i = n - 2; i >= 0; --i) gain[i] = std::min(gain[i], gain[i + 1] + approach);
    const float recover = 1.0f - std::exp(-1.0f / (release * SAMPLE_RATE));
    for (int i = 1; i < n; ++i) gain[i] = std::min(gain[i], gain[i - 1] + (1.0f - gain[i - 1]) * recover);
    for (int i = 0; i < n; ++i) wave[i] *= gain[i];
}

void fade_out(Wave &wave, float seconds)
{
    int n = std::min<int>(samples_for(seconds), static_cast<int>(wave.size()));
    int start = static_cast<int>(wave.size()) - n;
    for (int i = 0; i < n; ++i) {
        float f = 1.0f - static_cast<float>(i + 1) / n;
        wave[start + i] *= f * f;
    }
}

void remove_dc(Wave &wave)
{
    // A gentle 20 Hz high-pass: keeps the thumps, drops any offset the shaping left behind.
    float previous_in = 0.0f, previous_out = 0.0f;
    float r = std::exp(-TWO_PI * 20.0f / SAMPLE_RATE);
    for (float &s : wave) {
        float out = s - previous_in + r * previous_out;
        previous_in = s;
        previous_out = out;
        s = out;
    }
}

namespace {

struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float damp_state = 0.0f;
    float run(float input, float feedback, float damp)
    {
        float out = line[pos];
        damp_state = out * (1.0f - damp) + damp_state * damp;
        line[pos] = input + damp_state * feedback;
        pos = (pos + 1) % line.size();
        return out;
    }
};

struct Allpass {
    std::vector<float> line;
    size_t pos = 0;
    float run(float input)
    {
        float delayed = line[pos];
        float out = delayed - input;
        line[pos] = input + delayed * 0.5f;
        pos = (pos + 1) % line.size();
        return out;
    }
};

} // namespace

void add_room(Wave &wave, float wet, float size, float tail_seconds)
{
    constexpr int comb_lengths[] = {557, 593, 641, 677};
    constexpr int allpass_lengths[] = {277, 113};
    std::vector<Comb> combs;
    for (int len : comb_lengths)
        combs.push_back(Comb{std::vector<float>(static_cast<size_t>(len * size) + 1, 0.0f)});
    std::vector<Allpass> allpasses;
    for (int len : allpass_lengths) allpasses.push_back(Allpass{std::vector<float>(len, 0.0f)});

    wave.resize(wave.size() + samples_for(tail_seconds), 0.0f);
    for (float &s : wave) {
        float sum = 0.0f;
        for (Comb &c : combs) sum += c.run(s * 0.25f, 0.78f, 0.35f);
        for (Allpass &a : allpasses) sum = a.run(sum);
        s += sum * wet;
    }
}

Wave make_loop(const Wave &wave, int loop_len, int fade, bool equal_power)
{
    Wave out(wave.begin(), wave.begin() + loop_len);
    for (int i = 0; i < fade; ++i) {
        float t = static_cast<float>(i) / fade;
        float in_gain = equal_power ? std::sin(t * PI * 0.5f) : t;
        float out_gain = equal_power ? std::cos(t * PI * 0.5f) : 1.0f - t;
        out[i] = wave[i] * in_gain + wave[loop_len + i] * out_gain;
    }
    return out;
}
