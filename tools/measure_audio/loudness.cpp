#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double PI = 3.14159265358979323846;

// The poles of the A-weighting curve, in Hz: a double one at 20.6, single ones at 107.7 and
// 737.9 (the low-frequency roll-off), a double one at 12194 (the top).
constexpr double POLE_LOW = 20.598997, POLE_MID = 107.65265, POLE_HIGH = 737.86223, POLE_TOP = 12194.217;

// Below this rate the top pole would sit too near the Nyquist frequency to be modelled well.
constexpr int LOWEST_FILTER_RATE = 32000;

// One first-order section made from its analogue prototype by the bilinear transform, with the
// pole pre-warped so that it lands exactly where the analogue one is.
struct Section {
    double b0, b1, a1;
    double x1 = 0.0, y1 = 0.0;
    double run(double x)
    {
        double y = b0 * x + b1 * x1 - a1 * y1;
        x1 = x;
        y1 = y;
        return y;
    }
    std::complex<double> response(double hz, int rate) const
    {
        std::complex<double> z1 = std::polar(1.0, -2.0 * PI * hz / rate);
        return (b0 + b1 * z1) / (1.0 + a1 * z1);
    }
};

Section high_pass(double hz, int rate)
{
    double g = std::tan(PI * hz / rate);
    return {1.0 / (1.0 + g), -1.0 / (1.0 + g), (g - 1.0) / (1.0 + g)};
}

// The top poles are warped to match the analogue curve at 8 kHz rather than at the pole itself:
// nearer the Nyquist frequency a bilinear low-pass falls too slowly, and 8 kHz is where the
// game's hiss and crack still carry energy.
Section low_pass(double hz, int rate)
{
    constexpr double MATCH_HZ = 8000.0;
    double g = std::tan(PI * MATCH_HZ / rate) * hz / MATCH_HZ;
    return {g / (1.0 + g), g / (1.0 + g), (g - 1.0) / (1.0 + g)};
}

struct AFilter {
    std::vector<Section> sections;
    double gain = 1.0;

    explicit AFilter(int rate)
    {
        sections = {high_pass(POLE_LOW, rate), high_pass(POLE_LOW, rate), high_pass(POLE_MID, rate),
                    high_pass(POLE_HIGH, rate), low_pass(POLE_TOP, rate),  low_pass(POLE_TOP, rate)};
        gain = 1.0 / std::abs(response(1000.0, rate));
    }
    std::complex<double> response(double hz, int rate) const
    {
        std::complex<double> h = gain;
        for (const Section &s : sections) h *= s.response(hz, rate);
        return h;
    }
    double run(double x)
    {
        x *= gain;
        for (Section &s : sections) x = s.run(x);
        return x;
    }
};

int filter_rate(int rate)
{
    return rate < LOWEST_FILTER_RATE ? rate * 2 : rate;
}

// Twice as many samples, the new ones between the old by a windowed-sinc interpolator: flat
// to within a hair up to 90% of the old Nyquist frequency.
std::vector<float> doubled_rate(const std::vector<float> &in)
{
    constexpr int TAPS = 24;   // each side
    double h[TAPS];
    for (int k = 0; k < TAPS; ++k) {
        double x = k + 0.5;
        double window = 0.42 + 0.5 * std::cos(PI * x / (TAPS + 0.5)) + 0.08 * std::cos(2.0 * PI * x / (TAPS + 0.5));
        h[k] = std::sin(PI * x) / (PI * x) * window;
    }
    const long n = static_cast<long>(in.size());
    auto at = [&](long i) { return i >= 0 && i < n ? static_cast<double>(in[i]) : 0.0; };
    std::vector<float> out(in.size() * 2);
    for (long i = 0; i < n; ++i) {
        out[2 * i] = in[i];
        double between = 0.0;
        for (int k = 0; k < TAPS; ++k) between += h[k] * (at(i - k) + at(i + 1 + k));
        out[2 * i + 1] = static_cast<float>(between);
    }
    return out;
}

void fft(std::vector<std::complex<double>> &a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> step = std::polar(1.0, -2.0 * PI / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double to_db(double power)
{
    return 10.0 * std::log10(std::max(power, 1e-20));
}

} // namespace

double a_weighting_ideal_db(double hz)
{
    double f2 = hz * hz;
    double ra = POLE_TOP * POLE_TOP * f2 * f2 /
                ((f2 + POLE_LOW * POLE_LOW) * std::sqrt((f2 + POLE_MID * POLE_MID) * (f2 + POLE_HIGH * POLE_HIGH)) *
                 (f2 + POLE_TOP * POLE_TOP));
    return 20.0 * std::log10(ra) + 2.0;
}

double a_weighting_filter_db(double hz, int rate)
{
    int measured_at = filter_rate(rate);
    return 20.0 * std::log10(std::abs(AFilter(measured_at).response(hz, measured_at)));
}

std::vector<float> a_weighted(const std::vector<float> &samples, int rate, int &out_rate)
{
    out_rate = filter_rate(rate);
    std::vector<float> out = out_rate == rate ? samples : doubled_rate(samples);
    AFilter filter(out_rate);
    for (float &s : out) s = static_cast<float>(filter.run(s));
    return out;
}

double loudest_window_db(const std::vector<float> &samples, int rate, double window_s)
{
    const size_t window = std::max<size_t>(1, static_cast<size_t>(std::lround(window_s * rate)));
    double sum = 0.0, loudest = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        if (i >= window) sum -= static_cast<double>(samples[i - window]) * samples[i - window];
        loudest = std::max(loudest, sum);
    }
    return to_db(loudest / window);
}

double effect_loudness_db(const std::vector<float> &samples, int rate)
{
    int weighted_rate = rate;
    std::vector<float> weighted = a_weighted(samples, rate, weighted_rate);
    return loudest_window_db(weighted, weighted_rate, 0.3);
}

double mean_loudness_db(const std::vector<std::vector<float>> &channels, int rate)
{
    double sum = 0.0;
    size_t count = 0;
    for (const std::vector<float> &channel : channels) {
        int weighted_rate = rate;
        for (float s : a_weighted(channel, rate, weighted_rate)) sum += static_cast<double>(s) * s;
        count += channel.size() * static_cast<size_t>(weighted_rate / rate);
    }
    return to_db(count ? sum / count : 0.0);
}

double band_share(const std::vector<float> &samples, int rate, double low_hz, double high_hz, double from_s,
                  double seconds)
{
    constexpr size_t FRAME = 2048, HOP = FRAME / 2;
    size_t from = std::min(samples.size(), static_cast<size_t>(from_s * rate));
    size_t to = seconds > 0.0 ? std::min(samples.size(), from + static_cast<size_t>(seconds * rate)) : samples.size();
    std::vector<double> power(FRAME / 2 + 1, 0.0);
    std::vector<std::complex<double>> frame(FRAME);
    for (size_t start = from; start < to; start += HOP) {
        // A stretch shorter than a frame is windowed over its own length, then padded.
        const size_t length = std::min(FRAME, to - start);
        for (size_t i = 0; i < FRAME; ++i) {
            double hann = 0.5 - 0.5 * std::cos(2.0 * PI * i / length);
            frame[i] = i < length ? samples[start + i] * hann : 0.0;
        }
        fft(frame);
        for (size_t k = 0; k <= FRAME / 2; ++k) power[k] += std::norm(frame[k]);
        if (start + FRAME >= to) break;
    }
    double total = 0.0, inside = 0.0;
    for (size_t k = 1; k <= FRAME / 2; ++k) {
        double hz = static_cast<double>(k) * rate / FRAME;
        total += power[k];
        if (hz >= low_hz && hz < high_hz) inside += power[k];
    }
    return total > 0.0 ? inside / total : 0.0;
}
