// Writes a buffer as the kind of file the datafile packer types as a SAMPLE by itself.
#pragma once
#include <string>

#include "dsp.h"

// 16-bit mono PCM RIFF/WAVE at SAMPLE_RATE. Values are clamped to -1..1. Returns false when the
// file cannot be written.
bool write_wav(const std::string &path, const Wave &wave);
