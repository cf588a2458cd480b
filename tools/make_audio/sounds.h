// The game's sound effects, one per object of sound.dat. The index is the object number the
// game plays (the packer sorts by name, and each file name starts with its zero-padded index).
#pragma once
#include <string>
#include <vector>

#include "dsp.h"

struct SoundEffect {
    int index;
    std::string name;   // file name without extension, e.g. "02_horn"
    Wave wave;
};

constexpr int SOUND_OBJECT_COUNT = 29;

// All 29 objects in index order; unused indices hold a short silent spare.
std::vector<SoundEffect> make_sound_effects();
