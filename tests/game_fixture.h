// A headless game for the tests: the display state without a screen, the random numbers, the
// sprite pictures and tile set loaded, an open city of pavement, and helpers to set a scene.
#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "sprites/sprites.h"
#include "title/title.h"

#include <utility>
#include <vector>

// Builds the display state and loads the sounds once for the whole test program.
void ensure_display_state();

// A behaviour that only writes down who was called with which event.
extern std::vector<std::pair<Sprite *, int>> behaviour_calls;
void recording_behaviour(Sprite *s, int event);
int calls_of(Sprite *s, int event);

class GameTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Every cell of the city becomes code.
    static void fill_map(int code);
    static void set_cell(int cx, int cy, int code) { tile_map[cy * MAP_SIZE + cx] = code; }
    // A sprite of the template at (x, y), heading angle units.
    static Sprite *make(const Sprite &source, int x, int y, int angle_units = 0);
    // Replaces every picture of s with a solid w x h block (colour 1) for exact geometry.
    static void give_block_picture(Sprite *s, int w, int h);
    // The random table becomes value everywhere, the index restarts.
    static void fill_random(int32_t value);
    static int list_length();
};
