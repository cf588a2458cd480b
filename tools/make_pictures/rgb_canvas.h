// A full-colour working canvas for the big pictures (title, menu): the scene is painted in
// palette colours, lit in RGB (night, street lamps, headlights, glows), then dithered back onto
// the game palette.
#pragma once
#include "game_palette.h"
#include "glyphs.h"
#include "picture_kit.h"

#include <vector>

struct rgb_colour {
    float r, g, b;
};

struct rgb_canvas {
    int w = 0, h = 0;
    std::vector<rgb_colour> px;

    rgb_colour &at(int x, int y) { return px[static_cast<size_t>(y * w + x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

rgb_canvas canvas_from_picture(const BITMAP *b);
// Blends `c` over a pixel with opacity `alpha` (0..1).
void blend_pixel(rgb_canvas &canvas, int x, int y, rgb_colour c, float alpha);
// Adds light to a pixel.
void add_light(rgb_canvas &canvas, int x, int y, rgb_colour c, float amount);
// Multiplies every pixel by a tint (the night).
void tint_canvas(rgb_canvas &canvas, rgb_colour tint);
// A soft pool of light fading to nothing at `radius`.
void add_glow(rgb_canvas &canvas, float cx, float cy, float radius, rgb_colour c, float strength);
// A beam of light from (x, y) toward `angle` (radians, screen convention), `spread` radians
// to each side, fading out by `length`.
void add_beam(rgb_canvas &canvas, float x, float y, float angle, float spread, float length,
              rgb_colour c, float strength);
// A soft dark disc (smoke, shadow) blended over the scene.
void add_haze(rgb_canvas &canvas, float cx, float cy, float radius, rgb_colour c, float opacity);
// Lays a mask on the canvas at (x0, y0) in one colour.
void stamp_mask(rgb_canvas &canvas, const glyph_mask &m, int x0, int y0, rgb_colour c, float alpha);
// Back to the game palette, with ordered dithering so gradients stay smooth.
picture dithered_picture(const rgb_canvas &canvas, const PALETTE pal);
rgb_colour rgb_of_index(int index);
