// The car radio's instruments as Gravis UltraSound patch files (.pat), the form the library's
// pat2dat packs into patches.dat for its DIGMID player.
//
// How that player reads a patch (worked out by playing patches through it):
//  - every note starts at full (velocity) volume: any attack must be in the wave itself;
//  - with the sustain flag it ramps straight from there to the sustain level over the "decay"
//    time, holds while the key is down, and at note off ramps to silence over the "release"
//    time (a release under 10 ms stops the voice dead, which clicks);
//  - a sustain level of 15 or less means "fade to silence while the key is held";
//  - drums ignore note off and, when the envelope adds up to no time at all, play the wave once
//    to its end; a drum with a scale factor of 0 sounds at its own pitch whatever its key.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// How the player shapes the loudness of a held note.
struct VolumeShape {
    int fade_ms = 0;       // 0: hold full volume while the key is down; else fade to silence
    int release_ms = 60;   // from note off to silence
};

struct PatchWave {
    std::vector<float> data;      // -1 .. 1
    int rate = 44100;
    double root_hz = 261.626;     // the pitch the wave sounds at when played at its own rate
    double low_hz = 0.0;          // the notes this wave answers (inclusive)
    double high_hz = 20000.0;
    int loop_start = 0;           // in samples; loop_end == 0: the wave plays once
    int loop_end = 0;
    VolumeShape shape;
    bool follows_key = true;      // false: sounds at its own pitch on every key (drums)
};

struct Patch {
    std::string name;
    std::vector<PatchWave> waves;
};

// The six rate and six offset bytes of a wave's volume envelope.
struct EnvelopeBytes {
    uint8_t rate[6];
    uint8_t offset[6];
};

EnvelopeBytes envelope_bytes(const VolumeShape &shape, bool follows_key);

// How many milliseconds the player takes to move `delta` offset steps at envelope rate `rate`.
int envelope_segment_ms(int delta, uint8_t rate);

std::string encode_patch(const Patch &patch);
bool write_patch(const std::string &path, const Patch &patch);
