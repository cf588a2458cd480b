// The small platform layer of the game: a millisecond clock counting from program start, and
// the table between the library's key codes and the older codes that events and demo files hold.
#pragma once
#include <cstdint>

// Milliseconds since the program started (or the value a test has pinned). Every timer of the
// game reads this clock: the simulation steps, banners, mission texts, fades.
int32_t game_clock();
// Called once by main before anything else: the clock counts from here.
void start_game_clock();
// Tests only: pin the clock to ms; game_clock() then answers ms until it is pinned anew.
void set_game_clock(int32_t ms);
// Tests only: let the clock run free again.
void release_game_clock();
// The main loop between steps and the fades: gives the processor back until game_clock()
// reads ms (at once when it already does, or when a test has pinned the clock).
void sleep_until_clock(int32_t ms);

// Events and demo files carry the key codes of the 4.0 library interface; the library in use
// numbers the modifier keys differently. Codes 0..102 are the same in both.
constexpr int KEY_CODE_COUNT = 128;
// The 4.0 code of a live key code, or -1 when that key has no 4.0 code (it makes no events).
int key_code_40(int live_code);
// The live key code behind a 4.0 code, or -1 when no live key has that code.
int key_code_live(int code_40);

// Files of the game hold little-endian 32-bit integers: the value at bytes, and its bytes.
int32_t le32_at(const unsigned char *bytes);
void put_le32_at(unsigned char *bytes, int32_t value);

// The look of scorched pictures and smoke jitter (the game's decisions draw from the
// random-number table instead).
uint32_t cosmetic_random();
// restart_random_numbers: the jitter starts over with the random table. A puff of smoke is
// still a sprite the spawner steers clear of, so its jitter must replay as the table does.
void restart_cosmetic_random();
