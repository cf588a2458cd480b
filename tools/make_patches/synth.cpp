#include "synth.h"

#include "../common/splitmix.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int SINE_SIZE = 8192;
constexpr int CONTROL_STEP = 32;   // samples between readings of a level curve

const std::array<float, SINE_SIZE + 1> &sine_table()
{
    static const std::array<float, SINE_SIZE + 1> table = [] {
        std::array<float, SINE_SIZE + 1> t{};
        for (int i = 0; i <= SINE_SIZE; ++i) t[i] = static_cast<float>(std::sin(TWO_PI * i / SINE_SIZE));
        return t;
    }();
    return table;
}

// Sine of a phase counted in cycles.
inline float sine(double phase)
{
    double cycles = phase - std::floor(phase);
    double position = cycles * SINE_SIZE;
    int i = static_cast<int>(position);
    float frac = static_cast<float>(position - i);
    const auto &t = sine_table();
    return t[i] + (t[i + 1] - t[i]) * frac;
}

double vibrato_ratio(const Vibrato &v, double t, double head_s)
{
    if (v.depth == 0.0) return 1.0;
    double onset = t >= head_s ? 1.0 : rise(t, v.delay_s, v.rise_s);
    return 1.0 + v.depth * onset * std::sin(TWO_PI * v.hz * t);
}

} // namespace

uint64_t Rng::next() { return splitmix64(state); }

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) / static_cast<double>(1ull << 53);
}

float Rng::bipolar()
{
    return static_cast<float>(uniform() * 2.0 - 1.0);
}

double LoopPlan::snap(double hz) const
{
    if (!length) return hz;
    double grid = grid_hz();
    return std::max(1.0, std::round(hz / grid)) * grid;
}

LoopPlan plan_loop(double head_s, double loop_s)
{
    LoopPlan plan;
    plan.head = static_cast<int>(std::lround(head_s * PATCH_RATE));
    plan.length = static_cast<int>(std::lround(loop_s * PATCH_RATE));
    return plan;
}

double settle(double t, double tau, double head_s)
{
    if (t >= head_s) return 0.0;
    double end = std::exp(-head_s / tau);
    return (std::exp(-t / tau) - end) / (1.0 - end);
}

double rise(double t, double start, double length)
{
    if (t <= start) return 0.0;
    if (length <= 0.0 || t >= start + length) return 1.0;
    return 0.5 - 0.5 * std::cos(TWO_PI * 0.5 * (t - start) / length);
}

void add_harmonics(Wave &out, const LoopPlan &plan, const HarmonicVoice &voice, float gain)
{
    int total = plan.total();
    if (static_cast<int>(out.size()) < total) out.resize(total, 0.0f);
    double head_s = plan.head_s();
    int count = std::max(1, std::min(voice.count, static_cast<int>(voice.top_hz / voice.f0)));
    Rng rng{voice.phase_seed};
    std::vector<double> phase(count + 1, 0.0);
    for (int h = 1; h <= count; ++h) phase[h] = voice.phase_seed ? rng.uniform() : 0.0;
    std::vector<float> level_from(count + 1), level_to(count + 1);
    auto read_levels = [&](int at, std::vector<float> &into) {
        double t = static_cast<double>(at) / PATCH_RATE;
        if (!voice.level_repeats) t = std::min(t, head_s);
        for (int h = 1; h <= count; ++h) into[h] = voice.level(h, t);
    };
    read_levels(0, level_to);
    for (int block = 0; block < total; block += CONTROL_STEP) {
        level_from.swap(level_to);
        read_levels(block + CONTROL_STEP, level_to);
        int end = std::min(total, block + CONTROL_STEP);
        for (int i = block; i < end; ++i) {
            double t = static_cast<double>(i) / PATCH_RATE;
            double ratio = vibrato_ratio(voice.vibrato, t, head_s);
            if (voice.pitch) ratio *= voice.pitch(std::min(t, head_s));
            float frac = static_cast<float>(i - block) / CONTROL_STEP;
            float sum = 0.0f;
            for (int h = 1; h <= count; ++h) {
                float a = level_from[h] + (level_to[h] - level_from[h]) * frac;
                if (a != 0.0f) sum += a * sine(phase[h]);
                phase[h] += (h * voice.f0 + voice.detune_hz) * ratio / PATCH_RATE;
            }
            out[i] += gain * sum;
        }
    }
}

void add_partials(Wave &out, const LoopPlan &plan, const std::vector<Partial> &partials, float gain)
{
    int total = plan.total();
    if (static_cast<int>(out.size()) < total) out.resize(total, 0.0f);
    double head_s = plan.head_s();
    for (const Partial &p : partials) {
        double end = std::exp(-head_s / p.decay_s);
        double fall = std::exp(-1.0 / (p.decay_s * PATCH_RATE));
        double decaying = 1.0;
        double phase = 0.0;
        for (int i = 0; i < total; ++i) {
            double t = static_cast<double>(i) / PATCH_RATE;
            double weight = i < plan.head ? (decaying - end) / (1.0 - end) : 0.0;
            double a = p.level + (p.peak - p.level) * weight;
            if (t < p.attack_s) a *= rise(t, 0.0, p.attack_s);
            out[i] += gain * static_cast<float>(a) * sine(phase);
            phase += p.hz / PATCH_RATE;
            decaying *= fall;
        }
    }
}

Biquad Biquad::low_pass(double hz, double q)
{
    double w = TWO_PI * hz / PATCH_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double a0 = 1.0 + alpha;
    Biquad b;
    b.b0 = (1.0 - c) / 2.0 / a0;
    b.b1 = (1.0 - c) / a0;
    b.b2 = b.b0;
    b.a1 = -2.0 * c / a0;
    b.a2 = (1.0 - alpha) / a0;
    return b;
}

Biquad Biquad::high_pass(double hz, double q)
{
    double w = TWO_PI * hz / PATCH_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double a0 = 1.0 + alpha;
    Biquad b;
    b.b0 = (1.0 + c) / 2.0 / a0;
    b.b1 = -(1.0 + c) / a0;
    b.b2 = b.b0;
    b.a1 = -2.0 * c / a0;
    b.a2 = (1.0 - alpha) / a0;
    return b;
}

Biquad Biquad::band_pass(double hz, double q)
{
    double w = TWO_PI * hz / PATCH_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double a0 = 1.0 + alpha;
    Biquad b;
    b.b0 = alpha / a0;
    b.b1 = 0.0;
    b.b2 = -alpha / a0;
    b.a1 = -2.0 * c / a0;
    b.a2 = (1.0 - alpha) / a0;
    return b;
}

Biquad Biquad::peak(double hz, double q, double gain_db)
{
    double w = TWO_PI * hz / PATCH_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double a = std::pow(10.0, gain_db / 40.0);
    double a0 = 1.0 + alpha / a;
    Biquad b;
    b.b0 = (1.0 + alpha * a) / a0;
    b.b1 = -2.0 * c / a0;
    b.b2 = (1.0 - alpha * a) / a0;
    b.a1 = -2.0 * c / a0;
    b.a2 = (1.0 - alpha / a) / a0;
    return b;
}

float Biquad::run(float x)
{
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

void filter(Wave &wave, Biquad biquad)
{
    for (float &v : wave) v = biquad.run(v);
}

Wave noise(int samples, uint64_t seed)
{
    Rng rng{seed};
    Wave out(std::max(0, samples));
    for (float &v : out) v = rng.bipolar();
    return out;
}

Wave looping_noise(const LoopPlan &plan, uint64_t seed, const std::vector<Biquad> &filters)
{
    int period = plan.length ? plan.length : plan.total();
    Wave cycle = noise(period, seed);
    for (Biquad f : filters) {
        // Twice round: the second lap starts from the state the first lap ended in.
        for (int lap = 0; lap < 2; ++lap)
            for (float &v : cycle) v = f.run(v);
    }
    Wave out(plan.total());
    for (int i = 0; i < plan.total(); ++i) out[i] = cycle[((i - plan.head) % period + period) % period];
    return out;
}

double low_pass_gain(double hz, double cutoff_hz, double q)
{
    double x = hz / cutoff_hz;
    double real = 1.0 - x * x, imag = x / q;
    return 1.0 / std::sqrt(real * real + imag * imag);
}

double bump_gain(double hz, double hz_centre, double octaves, double gain)
{
    double distance = std::log2(hz / hz_centre) / octaves;
    return 1.0 + (gain - 1.0) * std::exp(-distance * distance);
}

void drive(Wave &wave, float amount)
{
    for (float &v : wave) v = std::tanh(v * amount);
}

void mix_into(Wave &dest, const Wave &src, float gain)
{
    if (dest.size() < src.size()) dest.resize(src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dest[i] += src[i] * gain;
}

float peak_of(const Wave &wave)
{
    float p = 0.0f;
    for (float v : wave) p = std::max(p, std::fabs(v));
    return p;
}

float rms_of(const Wave &wave, int from, int to)
{
    to = std::min(to, static_cast<int>(wave.size()));
    if (to <= from) return 0.0f;
    double sum = 0.0;
    for (int i = from; i < to; ++i) sum += static_cast<double>(wave[i]) * wave[i];
    return static_cast<float>(std::sqrt(sum / (to - from)));
}

void scale(Wave &wave, float gain)
{
    for (float &v : wave) v *= gain;
}

void fade_end(Wave &wave, int samples)
{
    int n = static_cast<int>(wave.size());
    samples = std::min(samples, n);
    for (int i = 0; i < samples; ++i) {
        double from_end = static_cast<double>(i) / samples;
        wave[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(TWO_PI * 0.5 * from_end));
    }
}

void remove_dc(Wave &wave)
{
    // A gentle high-pass, for waves that play once: they must end on the centre line.
    Biquad b = Biquad::high_pass(12.0);
    filter(wave, b);
}
