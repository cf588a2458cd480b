// The radio's whole instrument set: which patch answers each General MIDI program and each
// drum key, and the index file that tells pat2dat (and through it the player) so.
#pragma once
#include <string>
#include <vector>

#include "gus_patch.h"

// Every patch, melodic and drum; a patch's name is its file name without ".pat".
std::vector<Patch> make_patch_set();

// The index (default.cfg): programs 1 .. 128, then the drum kit's keys.
std::string patch_index();
