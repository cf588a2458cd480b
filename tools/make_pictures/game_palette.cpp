#include "game_palette.h"

#include <array>

namespace {

struct ramp_anchor {
    int shade;
    rgb8 colour;
};

// Each ramp is given by a few anchor shades and blended between them. All ramps share one
// shape: shade 0 a near-white tint, shade 5 the full colour, shade 15 almost black, so a car
// painted in the paint ramp looks as well shaded on any other ramp it is moved to.
struct ramp_recipe {
    std::array<ramp_anchor, 6> anchors;
    int count;
};

constexpr std::array<ramp_recipe, RAMP_COUNT> ramp_recipes = {{
    // grey: shade 5 is the wall grey, 14 and 15 the charcoal of a burnt-out wreck
    {{{{0, {238, 238, 234}}, {5, {150, 150, 150}}, {11, {74, 74, 76}}, {14, {42, 41, 40}},
       {15, {26, 25, 24}}}}, 5},
    // slate: asphalt, roofs, gunmetal cars
    {{{{0, {194, 202, 214}}, {5, {116, 122, 134}}, {15, {14, 16, 20}}}}, 3},
    // gold: stays bright down to shade 9 (the pulsing banner); shade 12 is the plain menu amber
    {{{{0, {255, 250, 196}}, {3, {255, 228, 100}}, {6, {252, 192, 44}}, {9, {236, 150, 20}},
       {12, {184, 106, 16}}, {15, {72, 36, 6}}}}, 6},
    // orange
    {{{{0, {255, 216, 172}}, {5, {236, 122, 40}}, {15, {42, 14, 4}}}}, 3},
    // green
    {{{{0, {204, 242, 164}}, {5, {98, 172, 62}}, {15, {8, 28, 6}}}}, 3},
    // blue
    {{{{0, {192, 212, 255}}, {5, {52, 102, 222}}, {15, {4, 8, 40}}}}, 3},
    // sand
    {{{{0, {250, 242, 222}}, {5, {202, 186, 152}}, {15, {40, 34, 26}}}}, 3},
    // paint: cherry red
    {{{{0, {255, 204, 194}}, {3, {250, 96, 84}}, {5, {216, 36, 36}}, {15, {38, 4, 4}}}}, 4},
    // teal
    {{{{0, {182, 246, 236}}, {5, {30, 162, 150}}, {15, {2, 28, 30}}}}, 3},
    // purple
    {{{{0, {232, 208, 255}}, {5, {132, 72, 204}}, {15, {20, 6, 36}}}}, 3},
    // brown
    {{{{0, {236, 206, 172}}, {5, {152, 102, 58}}, {15, {28, 16, 8}}}}, 3},
    // olive
    {{{{0, {234, 234, 178}}, {5, {152, 152, 70}}, {15, {24, 24, 8}}}}, 3},
    // sky
    {{{{0, {228, 246, 255}}, {5, {112, 182, 236}}, {15, {10, 28, 48}}}}, 3},
    // skin
    {{{{0, {255, 234, 214}}, {5, {224, 168, 126}}, {15, {48, 28, 16}}}}, 3},
    // wine
    {{{{0, {250, 192, 202}}, {5, {172, 30, 60}}, {15, {28, 2, 8}}}}, 3},
}};

constexpr std::array<rgb8, 16> fixed_colours = {{
    {0, 0, 0},
    {255, 34, 24},    // light red
    {40, 90, 255},    // light blue
    {255, 252, 200},  // headlamp
    {28, 40, 58},     // glass dark
    {64, 96, 130},    // glass
    {160, 200, 224},  // glass shine
    {24, 24, 26},     // tyre
    {236, 236, 226},  // white line
    {244, 204, 44},   // yellow line
    {44, 222, 64},    // gauge green
    {255, 156, 0},    // amber
    {255, 255, 236},  // spark
    {10, 10, 12},     // outline
    {62, 64, 70},     // gunmetal
    {252, 252, 252},  // HUD white
}};

rgb8 ramp_shade(const ramp_recipe &recipe, int shade)
{
    for (int i = 0; i + 1 < recipe.count; ++i) {
        const ramp_anchor &a = recipe.anchors[i], &b = recipe.anchors[i + 1];
        if (shade < a.shade || shade > b.shade) continue;
        int span = b.shade - a.shade, t = shade - a.shade;
        auto mix = [&](int u, int v) { return (u * (span - t) + v * t + span / 2) / span; };
        return {mix(a.colour.r, b.colour.r), mix(a.colour.g, b.colour.g),
                mix(a.colour.b, b.colour.b)};
    }
    return recipe.anchors[recipe.count - 1].colour;
}

}  // namespace

rgb8 colour_rgb(int index)
{
    if (index < RAMP_FIRST) return fixed_colours[index & 15];
    int ramp = (index - RAMP_FIRST) / RAMP_SIZE, shade = (index - RAMP_FIRST) % RAMP_SIZE;
    return ramp_shade(ramp_recipes[ramp], shade);
}

void make_game_palette(PALETTE pal)
{
    for (int i = 0; i < PAL_SIZE; ++i) {
        rgb8 c = colour_rgb(i);
        pal[i].r = static_cast<unsigned char>((c.r * 63 + 127) / 255);
        pal[i].g = static_cast<unsigned char>((c.g * 63 + 127) / 255);
        pal[i].b = static_cast<unsigned char>((c.b * 63 + 127) / 255);
        pal[i].filler = 0;
    }
}

int nearest_colour(rgb8 c)
{
    int best = 1;
    long best_distance = -1;
    for (int i = 1; i < PAL_SIZE; ++i) {
        rgb8 p = colour_rgb(i);
        // weighted toward green, as the eye is
        long d = 3L * (p.r - c.r) * (p.r - c.r) + 4L * (p.g - c.g) * (p.g - c.g) +
                 2L * (p.b - c.b) * (p.b - c.b);
        if (best_distance < 0 || d < best_distance) best = i, best_distance = d;
    }
    return best;
}
