// The radio's instruments. Each recipe renders the wave of one key of a patch: its attack and
// early decay in the head, then, for notes that can be held, a loop of the sound that carries on.
#pragma once
#include <cstdint>

#include "synth.h"

// What a recipe is asked for: the wave's pitch (on the plan's grid) and its plan.
struct NoteRequest {
    double f0;
    LoopPlan plan;
    uint64_t seed;
};

using Recipe = Wave (*)(const NoteRequest &);

// Keyboards.
Wave acoustic_piano(const NoteRequest &note);
Wave electric_piano(const NoteRequest &note);
Wave fm_piano(const NoteRequest &note);
Wave clavinet(const NoteRequest &note);
Wave drawbar_organ(const NoteRequest &note);

// Guitars and basses.
Wave clean_guitar(const NoteRequest &note);
Wave muted_guitar(const NoteRequest &note);
Wave overdriven_guitar(const NoteRequest &note);
Wave distortion_guitar(const NoteRequest &note);
Wave finger_bass(const NoteRequest &note);
Wave pick_bass(const NoteRequest &note);
Wave slap_bass(const NoteRequest &note);
Wave synth_bass(const NoteRequest &note);

// Horns, reeds, pipes and synthesiser leads.
Wave trumpet(const NoteRequest &note);
Wave brass_section(const NoteRequest &note);
Wave alto_sax(const NoteRequest &note);
Wave flute(const NoteRequest &note);
Wave square_lead(const NoteRequest &note);
Wave charang_lead(const NoteRequest &note);

// Pads and strings.
Wave new_age_pad(const NoteRequest &note);
Wave halo_pad(const NoteRequest &note);
Wave sweep_pad(const NoteRequest &note);
Wave string_ensemble(const NoteRequest &note);

// The drum kit: each renders one whole hit at its own pitch.
using DrumRecipe = Wave (*)(uint64_t seed);
Wave kick_drum(uint64_t seed);
Wave side_stick(uint64_t seed);
Wave snare_drum(uint64_t seed);
Wave hand_clap(uint64_t seed);
Wave closed_hat(uint64_t seed);
Wave open_hat(uint64_t seed);
Wave low_tom(uint64_t seed);
Wave mid_tom(uint64_t seed);
Wave high_tom(uint64_t seed);
Wave crash_cymbal(uint64_t seed);
Wave ride_cymbal(uint64_t seed);
Wave tambourine(uint64_t seed);
Wave shaker(uint64_t seed);
Wave cowbell(uint64_t seed);
Wave conga(uint64_t seed);
