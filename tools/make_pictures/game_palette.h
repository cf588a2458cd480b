// The game's one palette, as the picture maker paints with it: the named ramps, the fixed
// colours 1..15, and the RGB values behind them (pal.pcx is written from these).
#pragma once
#include "display/palette.h"

#include <allegro.h>

// The fifteen ramps in palette order; ramp r covers 16 + 16 r .. 31 + 16 r, shade 0 the lightest.
enum ramp_name : int {
    RAMP_GREY,    // walls, concrete, smoke; its darkest shades are the wreck's charcoal
    RAMP_SLATE,   // asphalt and roofs
    RAMP_GOLD,    // banner, menu and mission text; flames and sparks
    RAMP_ORANGE,  // terracotta, fire
    RAMP_GREEN,   // grass, trees
    RAMP_BLUE,    // water, police uniforms
    RAMP_SAND,    // paving stone, sand
    RAMP_PAINT,   // cherry red: the paint of cars and clothes as stored
    RAMP_TEAL,
    RAMP_PURPLE,
    RAMP_BROWN,   // earth, wood, leather, hair
    RAMP_OLIVE,
    RAMP_SKY,     // light blue: glass, splashes
    RAMP_SKIN,
    RAMP_WINE,    // dark red: blood, tail-light glow, the felony bar
};

constexpr int ramp_colour(int ramp, int shade)
{
    return RAMP_FIRST + ramp * RAMP_SIZE + (shade < 0 ? 0 : (shade > 15 ? 15 : shade));
}
constexpr int paint(int shade)
{
    return ramp_colour(RAMP_PAINT, shade);
}

static_assert(ramp_colour(RAMP_PAINT, 0) == PAINT_FIRST, "paint ramp must be 128..143");
static_assert(ramp_colour(RAMP_GREY, 5) == COLOUR_WALL, "walls are a grey");
static_assert(ramp_colour(RAMP_GREY, 14) == COLOUR_WRECK_LIGHT, "wreck shades are charcoal");
static_assert(ramp_colour(RAMP_GOLD, 0) == COLOUR_MENU_HIGHLIGHT, "menu text is gold");
static_assert(ramp_colour(RAMP_GOLD, 12) == COLOUR_MENU_PLAIN, "plain menu rows are amber");

// Fixed colours outside the ramps: they never change when a picture is recoloured.
constexpr int COLOUR_LIGHT_RED = 1;    // tail lights, siren
constexpr int COLOUR_LIGHT_BLUE = 2;   // siren
constexpr int COLOUR_HEADLAMP = 3;     // headlights
constexpr int COLOUR_GLASS_DARK = 4;   // windscreens and windows
constexpr int COLOUR_GLASS = 5;
constexpr int COLOUR_GLASS_SHINE = 6;
constexpr int COLOUR_TYRE = 7;
constexpr int COLOUR_LINE_WHITE = 8;   // road markings
constexpr int COLOUR_LINE_YELLOW = 9;
constexpr int COLOUR_GAUGE_GREEN = 10;
constexpr int COLOUR_AMBER = 11;       // indicators, warning stripes
constexpr int COLOUR_SPARK = 12;       // the hottest white of flames and glints
constexpr int COLOUR_OUTLINE = 13;     // near-black rim of sprites (0 would be transparent)
constexpr int COLOUR_GUNMETAL = 14;    // bumpers, guns, trim
constexpr int COLOUR_WHITE = COLOUR_HUD_TEXT;

struct rgb8 {
    int r, g, b;
};

// Fills `pal` with the game palette (components 0..63).
void make_game_palette(PALETTE pal);
// The 0..255 colour of a palette entry of the game palette.
rgb8 colour_rgb(int index);
// The palette entry (never 0, the transparent one) closest to a 0..255 colour.
int nearest_colour(rgb8 c);
