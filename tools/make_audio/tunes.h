// The six tunes of the car radio, in the order of midi.dat.
#pragma once
#include <vector>

#include "composer.h"

constexpr int TUNE_COUNT = 6;

std::vector<Song> radio_songs();
