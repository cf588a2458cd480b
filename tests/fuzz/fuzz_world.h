// What every fuzz target shares: the game started once without a screen in the game folder, a
// way back from a fatal error to the next input, the input written to a file for the loaders
// (they read files by name), and a fresh world on the real city between inputs.
#pragma once
#include <csetjmp>
#include <cstddef>
#include <cstdint>

// The jump back from fatal_error: a loader that gives up with a clear message is a right answer.
extern jmp_buf fuzz_escape;
// Once, before the first input: the game headless, fatal errors caught.
void fuzz_start();
// The input as a file of the fuzzer's own; its path.
const char *fuzz_input_file(const uint8_t *data, size_t size, const char *name);
// Every sprite gone; a map file and a mission file read (the real city's unless a target reads
// its input in their place); a player at the start; counters, felony, banner, missions cleared.
void fuzz_fresh_world(const char *map_file = "map.map", const char *mission_file = "map.mis");
// The world and the missions moved on, as the main loop moves them (no keys).
void fuzz_run_ticks(int ticks);
