// The drawing kit of the picture maker: owned bitmaps, a fixed-seed noise source, and the few
// shapes and finishing passes (outlines, shading) that every picture of the game is built from.
#pragma once
#include <allegro.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct bitmap_deleter {
    void operator()(BITMAP *b) const
    {
        if (b) destroy_bitmap(b);
    }
};
using picture = std::unique_ptr<BITMAP, bitmap_deleter>;

// An 8-bit memory bitmap cleared to colour 0 (transparent in every sprite).
picture new_picture(int w, int h);
picture copy_picture(const BITMAP *source);

// One picture of a datafile: its source file name (the zero-padded prefix pins its index).
struct named_picture {
    std::string file;
    picture image;
};
using picture_set = std::vector<named_picture>;

// Our own generator, so every build draws the very same pictures.
struct noise_source {
    uint32_t state;
};
uint32_t next_noise(noise_source &n);
int noise_below(noise_source &n, int limit);
float noise_unit(noise_source &n);  // 0 <= value < 1

// Smooth value noise that repeats every `period` pixels on both axes, so tiles meet seamlessly.
// Result in 0..1.
float wrapped_noise(float x, float y, int period, uint32_t seed);
// A few octaves of wrapped_noise (period halves at each octave). Result in 0..1.
float wrapped_fractal(float x, float y, int period, int octaves, uint32_t seed);

constexpr int clamp_int(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}
float smooth_step(float edge0, float edge1, float x);

// 4x4 ordered-dither threshold in 0..1 for a pixel.
float dither_threshold(int x, int y);

bool is_ink(const BITMAP *b, int x, int y);
// Rings every inked shape with `colour` on the transparent pixels that touch it (4 neighbours).
void outline_picture(BITMAP *b, int colour);
// The same ring, drawn only on the pixels below and to the right: a soft drop shadow.
void shadow_picture(BITMAP *b, int colour);
void fill_rounded_rect(BITMAP *b, int x0, int y0, int x1, int y1, int r, int colour);
// Moves every pixel of ramp `from_ramp` onto ramp `to_ramp`, keeping the shade.
void move_ramp(BITMAP *b, int from_ramp, int to_ramp);
// A filled quadrilateral (corners in order).
void fill_quad(BITMAP *b, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
               int colour);
// A line `thickness` pixels wide.
void thick_line(BITMAP *b, float x0, float y0, float x1, float y1, float thickness, int colour);
// A copy turned by `turns` quarter turns clockwise.
picture quarter_turned(const BITMAP *source, int turns);
