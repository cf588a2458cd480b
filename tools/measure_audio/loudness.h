// How loud and how bright a sound is, the way a listener hears it: the A-weighted level (the
// ear's weak bass and strong presence band), over the loudest 300 ms of a sound effect or over
// the whole of a tune, and how its energy spreads over the spectrum. make_audio sets each sound
// effect's level with it, measure_audio prints it, and the tests keep the sounds to it.
#pragma once
#include <vector>

// The A-weighting curve of the sound level meter standard, from its analogue poles: 0 dB at
// 1 kHz, -19 dB at 100 Hz, +1 dB around 2.5 kHz.
double a_weighting_ideal_db(double hz);

// The digital filter's own response at `hz` when it measures a signal of `rate` Hz (signals
// below 32 kHz are measured at twice their rate; see a_weighted).
double a_weighting_filter_db(double hz, int rate);

// The signal through the A-weighting filter. Signals below 32 kHz are first interpolated to
// twice their rate, so the filter's top poles (12.2 kHz) stay below the Nyquist frequency;
// `out_rate` receives the rate of the result.
std::vector<float> a_weighted(const std::vector<float> &samples, int rate, int &out_rate);

// Mean power of the loudest `window_s` seconds, in dB below a full-scale square wave; a sound
// shorter than the window counts as followed by silence, so a click measures quieter than a
// held note of the same peak, as the ear hears it.
double loudest_window_db(const std::vector<float> &samples, int rate, double window_s);

// The A-weighted level of a sound effect: its loudest 300 ms.
double effect_loudness_db(const std::vector<float> &samples, int rate);

// The A-weighted mean level of a whole piece, over all its channels (a tune on the radio).
double mean_loudness_db(const std::vector<std::vector<float>> &channels, int rate);

// Share of the energy (0..1) between two frequencies, from a Hann-windowed power spectrum
// of the samples from `from_s` for `seconds` (the whole sound when seconds <= 0).
double band_share(const std::vector<float> &samples, int rate, double low_hz, double high_hz,
                  double from_s = 0.0, double seconds = 0.0);
