// The night city scene shared by the title picture and the menu background.
#pragma once
#include "picture_kit.h"
#include "rgb_canvas.h"

struct placed_car {
    float x, y;
    int heading;  // the game's angle units: 0 east, 64 south
    float scale;
};

struct city_scene {
    picture ground;       // streets, walls and roofs in palette colours
    picture sprites;      // cars and people, colour 0 where there is none
    picture window_glow;  // non-zero where a window is lit
    placed_car hero, police;
    struct {
        float w, h;
    } hero_size;
};

city_scene make_city_scene();
void draw_skid_marks(rgb_canvas &canvas, const city_scene &s);
// Night: darkens everything, `brightness` 1 for the title and less for the calmer menu; then
// lights the lamps, windows, headlights and the siren.
void light_the_night(rgb_canvas &canvas, const city_scene &s, float brightness);
void add_tyre_smoke(rgb_canvas &canvas, const city_scene &s);
