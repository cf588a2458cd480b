// A small source-filter voice for the people of the city: the screams of panicking pedestrians
// and the groans of the dying. A band-limited glottal buzz is shaped by vowel formants that may
// move over time; jitter, shimmer, a rough undertone and breath make it sound like a throat
// rather than an organ.
#pragma once
#include <cstdint>

#include "dsp.h"

struct VoiceShape {
    float seconds;
    Curve pitch;          // fundamental, Hz
    Curve loudness;       // 0 .. 1
    Curve f1, f2, f3;     // formant centres, Hz
    float bandwidth;      // formant bandwidth, Hz: wider for a strained, open throat
    float vibrato_hz;
    float vibrato_depth;  // fraction of the pitch
    float jitter;         // slow random pitch wander, fraction of the pitch
    float shimmer;        // random loudness wander, fraction
    float tilt;           // source slope: harmonic k has level k^-tilt (higher = duller)
    Curve roughness;      // level of the half-pitch undertone that makes a scream harsh
    Curve breath;         // level of breath noise through the same formants
    float drive;          // throat strain: soft clipping
    uint64_t seed;
};

Wave sing(const VoiceShape &shape);
