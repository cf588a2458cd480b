// Pieces that several of the game's sounds are built from.
#pragma once
#include "dsp.h"

// A struck piece of metal: a few decaying partials and the tick of the strike, mixed into
// `out` at `at` seconds. `scale` moves every partial, so the same clicker gives a handcuff's
// light ratchet teeth, its heavier final clack and the bits of a car landing on the road.
void add_metal_ping(Wave &out, float at, float scale, float gain, float ring, Rng &rng);

// A bang heard down a street: the buildings across it answer with echoes, each later, softer
// and duller than the last, before the air settles into a short reverberation.
void add_street_echoes(Wave &wave, float spacing, float first_gain);
