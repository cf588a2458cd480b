// The building blocks of the game's sound effects: oscillators, seeded noise, filters,
// envelopes and the loop maker. Everything runs on float buffers at one rate; the writer turns
// them into 16-bit samples at the end.
#pragma once
#include <cstdint>
#include <vector>

constexpr int SAMPLE_RATE = 22050;
constexpr float PI = 3.14159265358979f;
constexpr float TWO_PI = 2.0f * PI;

using Wave = std::vector<float>;

int samples_for(float seconds);
float time_of(int sample_index);

// The tools' own random stream (splitmix64): a fixed seed gives the same sounds on every build.
struct Rng {
    uint64_t state;
    uint64_t next();
    float uniform();                 // 0 .. 1
    float bipolar();                 // -1 .. 1
    float range(float low, float high);
    int below(int count);            // 0 .. count-1
};

// A breakpoint curve: value at time t by straight lines between the points, held flat outside.
struct Point {
    float t;
    float v;
};
using Curve = std::vector<Point>;
float curve_at(const Curve &curve, float t);

// Envelopes that nearly every hit uses.
float exp_decay(float t, float tau);                 // 1 at t = 0, falling with time constant tau
float attack_decay(float t, float attack, float tau); // linear rise, then exponential fall

// A zero-delay state variable filter: stays well behaved while its cutoff sweeps, which the
// explosion's falling rumble and the voices' moving formants need.
struct Svf {
    float ic1 = 0.0f;
    float ic2 = 0.0f;
    struct Out {
        float low, band, high;
    };
    Out run(float input, float cutoff_hz, float q);
    float low(float input, float cutoff_hz, float q = 0.707f) { return run(input, cutoff_hz, q).low; }
    float band(float input, float cutoff_hz, float q) { return run(input, cutoff_hz, q).band; }
    float high(float input, float cutoff_hz, float q = 0.707f) { return run(input, cutoff_hz, q).high; }
};

// One formant of a vocal tract: a two-pole resonance with unit gain at 0 Hz, so a cascade of
// them shapes a vowel with the levels a throat gives each formant by itself.
struct Resonator {
    float y1 = 0.0f, y2 = 0.0f;
    float run(float input, float centre_hz, float bandwidth_hz);
};

// A one-pole smoother, for brown noise and gentle tone tilts.
struct OnePole {
    float state = 0.0f;
    float run(float input, float cutoff_hz);
};

// Smooth random motion: a new random target every 1/rate_hz seconds, glided to by cosine
// interpolation. Gives tyres their chatter and voices their jitter.
struct Wobble {
    Rng rng;
    float rate_hz;
    float from = 0.0f, to = 0.0f, phase = 1.0f;
    Wobble(uint64_t seed, float rate) : rng{seed}, rate_hz(rate) {}
    float next();   // -1 .. 1
};

// Motion that repeats exactly every `period` seconds (a sum of whole-cycle sines), so that a
// looping sample can be modulated without a seam.
struct PeriodicWobble {
    std::vector<float> amplitude, phase;
    std::vector<int> cycles;
    float period;
    PeriodicWobble(uint64_t seed, float period_s, int first_cycle, int last_cycle);
    float at(float t) const;   // roughly -1 .. 1
};

// Band-limited sawtooth by sum of harmonics at a phase given in cycles (unwrapped).
float saw_additive(double phase_cycles, float freq_hz, float top_hz = 9000.0f);

// Shaping and housekeeping on whole buffers.
float soft_clip(float x, float drive);    // tanh curve, unit gain for small signals
// The same curve over a whole buffer, worked at twice the rate so that the overtones it adds
// above our band are filtered away instead of folding back as whistles (a high scream's would).
void soft_clip_clean(Wave &wave, float drive);
void mix_into(Wave &dest, const Wave &src, int at_sample, float gain = 1.0f);
void normalise(Wave &wave, float peak);
void scale(Wave &wave, float gain);
float db_to_gain(float db);
// Brings every peak above `ceiling` down to it: the gain dips smoothly a moment before the
// peak and recovers over `release` seconds, so a loud crack keeps its shape.
void limit_peaks(Wave &wave, float ceiling, float release = 0.05f);
void fade_out(Wave &wave, float seconds);
void remove_dc(Wave &wave);
float peak_of(const Wave &wave);

// A small room: four damped combs and two allpasses. The tail is appended to the buffer.
void add_room(Wave &wave, float wet, float size, float tail_seconds);

// Turns a buffer of at least loop_len + fade samples into exactly loop_len samples that loop
// without a click: the extra tail is cross-faded into the head. Equal-power fades suit noise;
// equal-gain fades suit material that is already nearly periodic.
Wave make_loop(const Wave &wave, int loop_len, int fade, bool equal_power);
