// tiles.dat: the 64 x 64 floors of the map cells (the roof over buildings is roof.cpp's). Every
// floor repeats every 64 pixels, so a field of one kind meets without a seam, and none varies
// on a scale larger than a few slabs, or a square of it would show a grid of blotches.
//
// Traffic drives on the right, so a lane knows its sides: on the driver's left runs the centre
// line, shared with the lane coming the other way (each paints half of it); on the right lies
// the kerb. Plain lanes carry no arrows: only the three cells before a junction do, where a
// driver picks his lane. Those junction lanes draw no kerb, as the city also lays them inside
// crossings to turn traffic, where a kerb would run across the road.
#include "game_palette.h"
#include "pictures.h"

#include <cmath>

namespace {

constexpr int TILE = 64;

enum heading { NORTH, EAST, SOUTH, WEST };  // quarter turns clockwise from north
enum class lane_style { plain, junction, bridge };

// Per-pixel grain in 0..1 that repeats with the tile.
float grain(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9e3779b1u ^ static_cast<uint32_t>((x & 63) * 73856093) ^
                 static_cast<uint32_t>((y & 63) * 19349663);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0f;
}

// A shade of a ramp from a fractional shade, the fraction scattered by the grain. Sand goes
// no darker than shade 9: the night's light table turns darker sand olive.
int grained(int ramp, float shade, int x, int y, uint32_t seed)
{
    int s = static_cast<int>(std::floor(shade + grain(x, y, seed)));
    return ramp_colour(ramp, ramp == RAMP_SAND && s > 9 ? 9 : s);
}

// Asphalt: dark slate with fine grit; `base` moves it lighter (lower) or darker.
int asphalt_colour(int x, int y, uint32_t seed, float base)
{
    float n = wrapped_fractal(x, y, TILE, 2, seed) - 0.5f;
    return grained(RAMP_SLATE, base + n * 0.9f - 0.5f, x, y, seed + 1);
}

picture asphalt(uint32_t seed, float base = 10.0f)
{
    picture p = new_picture(TILE, TILE);
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < TILE; ++x) p->line[y][x] = asphalt_colour(x, y, seed, base);
    return p;
}

// Road paint wears away in flecks.
void worn_pixel(BITMAP *b, int x, int y, int colour, noise_source &wear)
{
    int roll = noise_below(wear, 100);
    if (roll < 4) return;
    putpixel(b, x, y, roll < 12 ? ramp_colour(RAMP_GREY, 3) : colour);
}

void paint_shape(BITMAP *b, BITMAP *shape, int colour, uint32_t seed)
{
    noise_source wear{seed};
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < TILE; ++x)
            if (is_ink(shape, x, y)) worn_pixel(b, x, y, colour, wear);
}

// The lane arrow, pointing up (north), centred in the lane: a broad head on a short stem,
// small enough to read as road paint and not as a sign.
void paint_arrow(BITMAP *b, uint32_t seed)
{
    picture shape = new_picture(TILE, TILE);
    int points[14] = {32, 17, 41, 28, 34, 28, 34, 46, 29, 46, 29, 28, 22, 28};
    polygon(shape.get(), 7, points, 1);
    paint_shape(b, shape.get(), COLOUR_LINE_WHITE, seed);
}

// Half of the centre line along the left edge of a north-bound lane (the lane coming the
// other way paints the other half): dashes on plain lanes, solid before a junction. The dashes
// lie symmetric about the middle row, so a lane turned half round meets them.
void paint_centre_line(BITMAP *b, bool solid, uint32_t seed)
{
    noise_source wear{seed};
    for (int y = 0; y < TILE; ++y) {
        bool dash = solid || (y >= 8 && y < 24) || (y >= 40 && y < 56);
        if (dash) worn_pixel(b, 0, y, COLOUR_LINE_WHITE, wear);
    }
}

// The kerb along the right edge of a north-bound lane: the stone's lit top against the
// pavement, and the gutter in its shadow on the road side.
void paint_kerb(BITMAP *b, uint32_t seed)
{
    for (int y = 0; y < TILE; ++y) {
        int joint = (y % 16 == 0) ? 2 : 0;  // kerb stones are laid 16 px long
        b->line[y][63] = grained(RAMP_GREY, 2.6f + joint, 63, y, seed);
        b->line[y][62] = grained(RAMP_GREY, 3.8f + joint, 62, y, seed);
        b->line[y][61] = ramp_colour(RAMP_SLATE, 13);
        b->line[y][60] = grained(RAMP_SLATE, 11.2f, 60, y, seed);
    }
}

// Tyres polish two faint tracks along a lane, and engines drip oil between them.
void wear_tracks(BITMAP *b, uint32_t seed)
{
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            bool tyre = (x >= 16 && x < 23) || (x >= 40 && x < 47);
            bool drip = x >= 29 && x < 35 && grain(x, y, seed) < 0.25f;
            if (tyre && grain(x, y, seed + 1) < 0.35f)
                b->line[y][x] = asphalt_colour(x, y, seed, 9.0f);
            if (drip) b->line[y][x] = ramp_colour(RAMP_SLATE, 12);
        }
    }
}

// A bridge deck, north-bound: open steel grating on cross girders, so the deck reads as a
// bridge and not a street; a steel plate runs down the middle, and the footway on the right
// stands on a tall concrete upstand.
picture bridge_deck(uint32_t seed)
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            bool bar_along = x % 4 == 0, bar_across = y % 4 == 0;
            float s = bar_along ? 7.0f : (bar_across ? 8.2f : 12.6f);  // holes show the dark
            if (y % 32 < 3) s = y % 32 == 1 ? 6.0f : 8.0f;  // a cross girder under the grating
            b->line[y][x] = grained(RAMP_SLATE, s, x, y, seed);
        }
    }
    for (int y = 0; y < TILE; ++y) {
        b->line[y][0] = ramp_colour(RAMP_GREY, 6);  // the middle plate
        b->line[y][1] = ramp_colour(RAMP_GREY, 8);
        b->line[y][63] = grained(RAMP_GREY, 2.3f, 63, y, seed);
        b->line[y][62] = grained(RAMP_GREY, 2.8f, 62, y, seed);
        b->line[y][61] = grained(RAMP_GREY, 3.6f, 61, y, seed);
        b->line[y][60] = grained(RAMP_GREY, 6.0f, 60, y, seed);
        b->line[y][59] = ramp_colour(RAMP_SLATE, 14);
    }
    return p;
}

picture lane(heading h, lane_style style, uint32_t seed)
{
    picture p = style == lane_style::bridge ? bridge_deck(seed) : asphalt(seed);
    BITMAP *b = p.get();
    if (style != lane_style::bridge) wear_tracks(b, seed + 3);
    if (style != lane_style::bridge) paint_centre_line(b, style != lane_style::plain, seed + 1);
    if (style == lane_style::plain) paint_kerb(b, seed + 2);
    if (style == lane_style::junction) paint_arrow(b, seed + 4);
    return quarter_turned(b, h);
}

// A zebra crossing: broad bars along the street, side by side across it, with a margin of
// asphalt where the crossing meets the lanes.
picture zebra(bool street_runs_north_south, uint32_t seed)
{
    picture p = asphalt(seed);
    noise_source wear{seed + 9};
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            int along = street_runs_north_south ? y : x, across = street_runs_north_south ? x : y;
            if (along >= 5 && along < 59 && (across + 4) % 12 < 7)
                worn_pixel(p.get(), x, y, COLOUR_LINE_WHITE, wear);
        }
    }
    return p;
}

// A car park: paler, older asphalt with one bay per cell (a car parked in the middle of its
// cell stands inside the lines), and an oil stain where engines stood.
picture car_park(uint32_t seed)
{
    picture p = asphalt(seed, 8.6f);
    BITMAP *b = p.get();
    noise_source wear{seed + 4};
    for (int y = 0; y < TILE; ++y) {
        worn_pixel(b, 0, y, COLOUR_LINE_WHITE, wear);
        worn_pixel(b, TILE - 1, y, COLOUR_LINE_WHITE, wear);
    }
    for (int x = 0; x < 6; ++x) {  // the tee at each end of a bay line
        for (int y : {0, TILE - 1}) {
            worn_pixel(b, x, y, COLOUR_LINE_WHITE, wear);
            worn_pixel(b, TILE - 1 - x, y, COLOUR_LINE_WHITE, wear);
        }
    }
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float dx = (x - 31) / 6.0f, dy = (y - 26) / 9.0f;
            float d = dx * dx + dy * dy + (grain(x, y, seed) - 0.5f) * 0.6f;
            if (d < 1) b->line[y][x] = asphalt_colour(x, y, seed, d < 0.4f ? 10.4f : 9.6f);
        }
    }
    return p;
}

// Junction asphalt: plain, darkened a little where cars wait and turn, with a short sealed
// crack.
picture junction()
{
    picture p = asphalt(0x20, 10.3f);
    BITMAP *b = p.get();
    for (int t = 0; t < 14; ++t)
        b->line[20 + t / 2 + (t % 5 == 3)][36 + t] = ramp_colour(RAMP_SLATE, 13);
    return p;
}

// Grass: blades of several greens, a few clover clumps and daisies; nothing larger than a
// tuft, so a park of many cells shows no repeat.
picture grass()
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float tuft = wrapped_noise(x, y, 32, 0x6a55) - 0.5f;
            float blade = grain(x, y / 2 + (x & 1), 0x6a56);  // blades two pixels tall
            b->line[y][x] = grained(RAMP_GREEN, 6.3f + tuft * 2.2f + (blade - 0.5f) * 2.0f, x, y,
                                    0x6a57);
        }
    }
    noise_source n{0x61ade};
    for (int i = 0; i < 9; ++i) {  // clover, darker and lusher
        int cx = noise_below(n, TILE), cy = noise_below(n, TILE);
        for (int k = 0; k < 4; ++k)
            putpixel(b, (cx + k % 2) & 63, (cy + k / 2) & 63, ramp_colour(RAMP_GREEN, 8));
        putpixel(b, (cx + 1) & 63, cy, ramp_colour(RAMP_GREEN, 4));
    }
    for (int i = 0; i < 6; ++i) {  // daisies and buttercups
        int x = noise_below(n, TILE), y = noise_below(n, TILE);
        putpixel(b, x, y, i % 3 ? COLOUR_WHITE : ramp_colour(RAMP_GOLD, 3));
        putpixel(b, x, (y + 1) & 63, ramp_colour(RAMP_GREEN, 9));
    }
    return p;
}

// A gravel yard: grey and buff stones of several sizes, with brown earth between them.
picture gravel_yard()
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float n = wrapped_fractal(x, y, TILE, 2, 0x6a7e1) - 0.5f;
            float stone = grain(x / 2, y / 2, 0x6a7e3);  // stones two pixels across
            int ramp = stone < 0.5f ? RAMP_GREY : (stone < 0.85f ? RAMP_SAND : RAMP_BROWN);
            // about as light whichever the stone, so the yard reads as one surface
            float s = 7.2f + n * 1.4f;
            if (ramp == RAMP_SAND) s += 1.5f;
            if (ramp == RAMP_BROWN) s -= 1.3f;
            b->line[y][x] = grained(ramp, s, x, y, 0x6a7e2);
        }
    }
    noise_source n{0x9e88};
    for (int i = 0; i < 60; ++i) {  // a bigger stone, lit on top, with its shadow
        int x = noise_below(n, TILE), y = noise_below(n, TILE);
        int lit = noise_below(n, 2) ? ramp_colour(RAMP_SAND, 4) : ramp_colour(RAMP_GREY, 4);
        putpixel(b, x, y, lit);
        putpixel(b, (x + 1) & 63, y, lit);
        putpixel(b, x, (y + 1) & 63, ramp_colour(RAMP_BROWN, 10));
        putpixel(b, (x + 1) & 63, (y + 1) & 63, ramp_colour(RAMP_BROWN, 11));
    }
    return p;
}

// Pavement: square concrete flags, four to a cell, each cast a little differently, the
// concrete speckled with the warm grit it was mixed with; fine joints, lit and shaded arrises
// and the odd gum spot. Darker than the walls above it and the texts printed over it, lighter
// than the road.
picture pavement()
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    constexpr float flag_shade[4] = {0.0f, 0.2f, 0.3f, -0.1f};
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            int flag = (y / 32) * 2 + x / 32, lx = x % 32, ly = y % 32;
            float n = wrapped_fractal(x, y, TILE, 2, 0x5ab) - 0.5f;
            float s = 8.1f + flag_shade[flag] + n * 0.9f;
            if (lx == 1 || ly == 1) s -= 0.8f;    // the lit arris
            if (lx == 31 || ly == 31) s += 0.6f;  // the shaded one
            int ramp = RAMP_GREY;
            if (grain(x, y, 0x5ad) < 0.3f) ramp = RAMP_SAND, s += 1.0f;  // about as light, but warm
            if (lx == 0 || ly == 0) ramp = RAMP_GREY, s = 10.0f;  // the joint
            b->line[y][x] = grained(ramp, s, x, y, 0x5ac);
        }
    }
    noise_source n{0x6a6};
    for (int i = 0; i < 4; ++i) {  // gum, flattened into grey discs
        int x = noise_below(n, TILE), y = noise_below(n, TILE);
        putpixel(b, x, y, ramp_colour(RAMP_GREY, 10));
        putpixel(b, (x + 1) & 63, y, ramp_colour(RAMP_GREY, 6));
    }
    return p;
}

picture water()
{
    picture p = new_picture(TILE, TILE);
    const float two_pi = 6.2831853f;
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float n = wrapped_fractal(x, y, TILE, 4, 0x3a7e);
            float wave = std::sin(two_pi * (3 * x + 2 * y) / TILE + n * 6.0f) +
                         0.6f * std::sin(two_pi * (x - 4 * y) / TILE + n * 4.0f);
            int colour = ramp_colour(
                RAMP_BLUE, static_cast<int>(std::lround(7.6f + (0.5f - n) * 2.5f - wave * 0.6f)));
            if (wave > 1.42f) colour = ramp_colour(RAMP_BLUE, 4);
            if (wave > 1.54f) colour = ramp_colour(RAMP_SKY, 3);
            p->line[y][x] = colour;
        }
    }
    return p;
}

}  // namespace

picture make_tile_picture(int object)
{
    switch (object) {
    case 0: return make_roof_picture();
    case 1: return grass();
    case 2: return zebra(false, 0x2e18);  // crossing an east-west street
    case 3: return zebra(true, 0x2e17);   // crossing a north-south street
    case 4: return car_park(0xca4);
    case 5: return gravel_yard();
    case 7: return pavement();
    case 8: return lane(SOUTH, lane_style::bridge, 0xb08);
    case 9: return lane(EAST, lane_style::bridge, 0xb09);
    case 10: return lane(WEST, lane_style::bridge, 0xb10);
    case 11: return lane(NORTH, lane_style::bridge, 0xb11);
    case 12: return lane(WEST, lane_style::plain, 0x12);
    case 13: return lane(EAST, lane_style::plain, 0x13);
    case 14: return lane(WEST, lane_style::junction, 0x14);
    case 15: return lane(SOUTH, lane_style::junction, 0x15);
    case 16: return lane(NORTH, lane_style::junction, 0x16);
    case 17: return lane(EAST, lane_style::junction, 0x17);
    case 18: return lane(SOUTH, lane_style::plain, 0x18);
    case 19: return lane(NORTH, lane_style::plain, 0x19);
    case 20: return junction();
    case 21: return water();
    default: return asphalt(0x6);  // the unused object
    }
}

picture_set make_tile_pictures()
{
    static constexpr const char *names[] = {
        "roof",        "grass",       "zebra_ew",    "zebra_ns",    "car_park",   "gravel",
        "spare",       "pavement",    "bridge_s",    "bridge_e",    "bridge_w",   "bridge_n",
        "lane_w",      "lane_e",      "turn_w",      "turn_s",      "turn_n",     "turn_e",
        "lane_s",      "lane_n",      "junction",    "water",
    };
    picture_set set;
    for (int i = 0; i < 22; ++i) set.push_back({indexed_name(i, names[i]), make_tile_picture(i)});
    return set;
}
