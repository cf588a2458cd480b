// A small formant voice for the people of the city: the screams of panicking pedestrians, the
// groans of the dying and the police radio. A band-limited glottal buzz runs through a cascade
// of five vocal-tract resonances, the first three set by the vowel and free to move, so "aah"
// sounds like "aah" and an "ow" closes as it ends. Breath and the chaotic noise of a strained
// throat go through the same tract; jitter and shimmer keep it from sounding like an organ.
#pragma once
#include <cstdint>

#include "dsp.h"

struct VoiceShape {
    float seconds;
    Curve pitch;          // fundamental, Hz
    Curve loudness;       // 0 .. 1
    Curve f1, f2, f3;     // the vowel's formants, Hz
    float throat;         // 1 a man's vocal tract, about 1.15 a woman's: moves F4 and F5
    float bandwidth;      // formant bandwidths against speech: above 1 for an open, yelling throat
    float vibrato_hz;
    float vibrato_depth;  // fraction of the pitch
    float jitter;         // slow random pitch wander, fraction of the pitch
    float shimmer;        // random loudness wander, fraction
    float tilt;           // source slope: harmonic k at k^-tilt (1 speech, lower for a pressed yell)
    float presence;       // extra level above 2 kHz, 0 for none: the edge a yell carries on
    Curve roughness;      // harshness: half-pitch undertone and noise at each glottal pulse
    Curve breath;         // aspiration noise through the tract
    float drive;          // throat strain: soft clipping of the finished voice
    uint64_t seed;
};

Wave sing(const VoiceShape &shape);

// Formants of the vowels the city's people use, for a man's tract (a woman's are about 15%
// higher; a yell opens the jaw and lifts F1).
struct Vowel {
    float f1, f2, f3;
};
constexpr Vowel VOWEL_AH = {730.0f, 1090.0f, 2440.0f};   // "aah"
constexpr Vowel VOWEL_EE = {300.0f, 2300.0f, 3000.0f};   // "eee"
constexpr Vowel VOWEL_OO = {320.0f, 870.0f, 2240.0f};    // "ooh"
constexpr Vowel VOWEL_UH = {640.0f, 1190.0f, 2390.0f};   // "uhh"
constexpr Vowel VOWEL_EH = {530.0f, 1840.0f, 2480.0f};   // "eh"
