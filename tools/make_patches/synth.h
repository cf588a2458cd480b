// The building blocks of the radio's instruments: harmonic and inharmonic sines, seeded noise,
// filters and the loop plan that lets a held note ring on without a seam.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

constexpr int PATCH_RATE = 44100;
constexpr double PI = 3.141592653589793;
constexpr double TWO_PI = 2.0 * PI;

using Wave = std::vector<float>;

// The tool's own random stream (splitmix64): fixed seeds give the same instruments every build.
struct Rng {
    uint64_t state;
    uint64_t next();
    double uniform();    // 0 .. 1
    float bipolar();     // -1 .. 1
};

// A wave is a head, free to change, then a loop the player repeats while the key is held.
// Whatever still sounds in the loop runs a whole number of cycles per loop: its frequency sits
// on the loop's grid (multiples of rate / loop length), so the loop's end meets its start.
struct LoopPlan {
    int head = 0;      // samples before the loop
    int length = 0;    // loop samples; 0: no loop, the head is the whole wave and ends in silence
    int total() const { return head + length; }
    double head_s() const { return static_cast<double>(head) / PATCH_RATE; }
    double grid_hz() const { return length ? static_cast<double>(PATCH_RATE) / length : 0.0; }
    double snap(double hz) const;   // the nearest grid frequency (any frequency without a loop)
};

LoopPlan plan_loop(double head_s, double loop_s);

// 1 at t = 0, falling with time constant tau, and exactly 0 from the end of the head on: what
// decays in the head has gone by the time the loop starts.
double settle(double t, double tau, double head_s);
// 0 before `start`, rising along a raised cosine to 1 at start + length.
double rise(double t, double start, double length);

// Levels of harmonic h (1-based) at time t, and the pitch as a ratio to f0. Both are read at
// most at the end of the head, so they hold still through the loop; the pitch must be 1 there.
using HarmonicLevel = std::function<float(int harmonic, double t)>;
using PitchCurve = std::function<double(double t)>;

struct Vibrato {
    double hz = 0.0;       // whole cycles per loop
    double depth = 0.0;    // peak deviation as a frequency ratio (0.003 is about 5 cents)
    double delay_s = 0.0;
    double rise_s = 0.1;   // fully on by the end of the head
};

struct HarmonicVoice {
    double f0 = 0.0;            // on the grid
    int count = 1;              // harmonics 1 .. count, none above top_hz
    HarmonicLevel level;
    bool level_repeats = false; // the levels keep moving through the loop, whole cycles per loop
    PitchCurve pitch;           // empty: steady
    Vibrato vibrato;
    double detune_hz = 0.0;     // added to every harmonic: whole grid steps
    uint64_t phase_seed = 0;    // 0: every sine starts at phase zero
    double top_hz = 16000.0;
};

void add_harmonics(Wave &out, const LoopPlan &plan, const HarmonicVoice &voice, float gain = 1.0f);

// One sine with a strike, a decay towards `level` (reached at the loop start and held through
// the loop, where its frequency must be on the grid) and a short attack.
struct Partial {
    double hz;
    float peak;
    float level = 0.0f;
    float decay_s = 0.1f;
    float attack_s = 0.001f;
};

void add_partials(Wave &out, const LoopPlan &plan, const std::vector<Partial> &partials, float gain = 1.0f);

// Robert Bristow-Johnson's biquads.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    static Biquad low_pass(double hz, double q = 0.707);
    static Biquad high_pass(double hz, double q = 0.707);
    static Biquad band_pass(double hz, double q);
    static Biquad peak(double hz, double q, double gain_db);
    float run(float x);
};

void filter(Wave &wave, Biquad biquad);

// White noise, -1 .. 1.
Wave noise(int samples, uint64_t seed);
// Noise for the whole plan that repeats every loop, filtered round the loop so that the
// filtered noise repeats exactly too. Breath and bow noise can then sound through the loop.
Wave looping_noise(const LoopPlan &plan, uint64_t seed, const std::vector<Biquad> &filters);

// Gain of a resonant two-pole low-pass at hz: the analogue synthesiser filter, applied to
// harmonic levels instead of to samples, so that a sweep costs nothing and stays seamless.
double low_pass_gain(double hz, double cutoff_hz, double q);
// Gain of a bump of `gain` (linear, above 1) centred on hz_centre, `octaves` wide.
double bump_gain(double hz, double hz_centre, double octaves, double gain);

void drive(Wave &wave, float amount);     // tanh saturation
void mix_into(Wave &dest, const Wave &src, float gain = 1.0f);
float peak_of(const Wave &wave);
float rms_of(const Wave &wave, int from, int to);
void scale(Wave &wave, float gain);
void fade_end(Wave &wave, int samples);   // ends a wave that plays once in silence
void remove_dc(Wave &wave);
