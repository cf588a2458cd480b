// tiles.dat: the 64 x 64 floors of the map cells, and the roof laid over buildings. Every
// texture repeats every 64 pixels, so neighbouring cells of one kind meet without a seam; lane
// markings are symmetric, so a lane beside one of another direction still looks right.
#include "game_palette.h"
#include "pictures.h"

#include <cmath>

namespace {

constexpr int TILE = 64;

enum heading { NORTH, EAST, SOUTH, WEST };  // quarter turns clockwise from north
enum class lane_style { ordinary, junction, bridge };

// Per-pixel grain that repeats with the tile.
float lattice_grain(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9e3779b1u ^ static_cast<uint32_t>((x & 63) * 73856093) ^
                 static_cast<uint32_t>((y & 63) * 19349663);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0f;
}

int asphalt_colour(int x, int y, uint32_t seed, float lift)
{
    float n = wrapped_fractal(x, y, TILE, 3, seed);
    float grit = wrapped_noise(x, y, 8, seed + 5) + (lattice_grain(x, y, seed) - 0.5f) * 0.5f;
    float s = 10.2f - lift + (n - 0.5f) * 1.5f + (grit > 0.8f ? -1 : 0) + (grit < 0.2f ? 1 : 0);
    return ramp_colour(RAMP_SLATE, static_cast<int>(std::lround(s)));
}

picture asphalt(uint32_t seed, float lift = 0)
{
    picture p = new_picture(TILE, TILE);
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < TILE; ++x) p->line[y][x] = asphalt_colour(x, y, seed, lift);
    return p;
}

// Road paint wears away in flecks.
void worn_pixel(BITMAP *b, int x, int y, int colour, noise_source &wear)
{
    int roll = noise_below(wear, 100);
    if (roll < 3) return;
    putpixel(b, x, y, roll < 10 ? ramp_colour(RAMP_GREY, 3) : colour);
}

void paint_shape(BITMAP *b, BITMAP *shape, int colour, uint32_t seed)
{
    noise_source wear{seed};
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < TILE; ++x)
            if (is_ink(shape, x, y)) worn_pixel(b, x, y, colour, wear);
}

// A painted arrow pointing up (north), centred in the lane.
void paint_arrow(BITMAP *b, int colour, int length, uint32_t seed, bool edged)
{
    picture shape = new_picture(TILE, TILE);
    int top = (TILE - length) / 2, head = length * 2 / 5;
    int points[14] = {32, top, 43, top + head, 35, top + head, 35, top + length,
                      28, top + length, 28, top + head, 20, top + head};
    polygon(shape.get(), 7, points, 1);
    if (edged) {
        picture ring = copy_picture(shape.get());
        outline_picture(ring.get(), 2);
        for (int y = 0; y < TILE; ++y)
            for (int x = 0; x < TILE; ++x)
                if (ring->line[y][x] == 2) putpixel(b, x, y, ramp_colour(RAMP_GREY, 11));
    }
    paint_shape(b, shape.get(), colour, seed);
}

// Short dashes on both long edges of a north-south lane: two neighbouring lanes make one
// dashed line between them, and the pattern repeats every cell.
void paint_edge_dashes(BITMAP *b, uint32_t seed)
{
    noise_source wear{seed};
    for (int y = 0; y < TILE; ++y) {
        if ((y + 8) % 32 >= 16) continue;
        worn_pixel(b, 0, y, COLOUR_LINE_WHITE, wear);
        worn_pixel(b, TILE - 1, y, COLOUR_LINE_WHITE, wear);
    }
}

// A concrete bridge deck: slabs with expansion joints across the lane.
picture bridge_deck(uint32_t seed)
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float n = wrapped_fractal(x, y, TILE, 4, seed);
            float s = 6.6f + (n - 0.5f) * 2.0f + (wrapped_noise(x, y, 8, seed + 3) > 0.85f ? 1 : 0);
            b->line[y][x] = ramp_colour(RAMP_GREY, static_cast<int>(std::lround(s)));
        }
    }
    for (int x = 0; x < TILE; ++x) {
        putpixel(b, x, 0, ramp_colour(RAMP_GREY, 12));
        putpixel(b, x, 1, x % 4 == 0 ? ramp_colour(RAMP_GREY, 2) : ramp_colour(RAMP_GREY, 10));
        putpixel(b, x, 32, ramp_colour(RAMP_GREY, 9));  // the seam between two slabs
    }
    for (int y = 2; y < TILE; ++y) {  // worn wheel tracks
        for (int x : {16, 17, 46, 47}) putpixel(b, x, y, ramp_colour(RAMP_GREY, 8));
    }
    return p;
}

picture lane(heading h, lane_style style, uint32_t seed)
{
    picture p = style == lane_style::bridge ? bridge_deck(seed) : asphalt(seed);
    if (style == lane_style::ordinary) {
        paint_edge_dashes(p.get(), seed + 1);
        paint_arrow(p.get(), COLOUR_LINE_WHITE, 38, seed + 2, false);
    } else if (style == lane_style::junction) {
        paint_arrow(p.get(), COLOUR_LINE_WHITE, 30, seed + 2, false);
    } else {
        paint_arrow(p.get(), COLOUR_LINE_WHITE, 34, seed + 2, true);
    }
    return quarter_turned(p.get(), h);
}

picture zebra(bool horizontal_bars, uint32_t seed)
{
    picture p = asphalt(seed);
    noise_source wear{seed + 9};
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            int along = horizontal_bars ? y : x;
            if ((along + 12) % 16 < 8)
                worn_pixel(p.get(), x, y, COLOUR_LINE_WHITE, wear);
        }
    }
    return p;
}

picture car_park(uint32_t seed)
{
    picture p = asphalt(seed, 1.0f);
    BITMAP *b = p.get();
    noise_source wear{seed + 4};
    // one bay per cell, so a car parked in the middle of its cell stands inside the lines
    for (int y = 0; y < TILE; ++y) {
        for (int x : {0, TILE - 1}) worn_pixel(b, x, y, COLOUR_LINE_WHITE, wear);
    }
    for (int x = 0; x < TILE; ++x) {
        worn_pixel(b, x, 0, COLOUR_LINE_WHITE, wear);
        worn_pixel(b, x, TILE - 1, COLOUR_LINE_WHITE, wear);
    }
    // oil where cars stand
    ellipsefill(b, 30, 22, 4, 5, ramp_colour(RAMP_SLATE, 12));
    ellipsefill(b, 35, 44, 3, 3, ramp_colour(RAMP_SLATE, 12));
    putpixel(b, 29, 21, ramp_colour(RAMP_PURPLE, 12));
    return p;
}

// A texture whose shade follows wrapped noise, with sprinkled flecks that wrap too.
picture textured(int ramp, float base, float spread, uint32_t seed)
{
    picture p = new_picture(TILE, TILE);
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            float n = wrapped_fractal(x, y, TILE, 5, seed);
            float fine = wrapped_noise(x, y, 8, seed + 17) - 0.5f;
            float s = base + (n - 0.5f) * spread + fine * 1.4f;
            p->line[y][x] = ramp_colour(ramp, static_cast<int>(std::lround(s)));
        }
    }
    return p;
}

void sprinkle(BITMAP *b, int count, uint32_t seed, int colour_a, int colour_b, int size)
{
    noise_source n{seed};
    for (int i = 0; i < count; ++i) {
        int x = noise_below(n, TILE), y = noise_below(n, TILE);
        int c = noise_below(n, 2) ? colour_a : colour_b;
        for (int dy = 0; dy < size; ++dy)
            for (int dx = 0; dx < size; ++dx) putpixel(b, (x + dx) % TILE, (y + dy) % TILE, c);
    }
}

picture grass()
{
    picture p = textured(RAMP_GREEN, 6.6f, 3.0f, 0x6a55);
    BITMAP *b = p.get();
    noise_source n{0x61ade};
    for (int i = 0; i < 260; ++i) {  // blades catching the light
        int x = noise_below(n, TILE), y = noise_below(n, TILE);
        putpixel(b, x, y, ramp_colour(RAMP_GREEN, 3 + noise_below(n, 2)));
        putpixel(b, x, (y + 1) % TILE, ramp_colour(RAMP_GREEN, 5));
    }
    sprinkle(b, 7, 0xf10, COLOUR_WHITE, ramp_colour(RAMP_GOLD, 2), 1);
    return p;
}

picture gravel_yard()
{
    picture p = textured(RAMP_BROWN, 6.0f, 3.2f, 0x6a7e1);
    sprinkle(p.get(), 110, 0x9e88, ramp_colour(RAMP_SAND, 5), ramp_colour(RAMP_GREY, 7), 1);
    sprinkle(p.get(), 18, 0x9e89, ramp_colour(RAMP_SAND, 4), ramp_colour(RAMP_BROWN, 10), 2);
    return p;
}

picture pavement()
{
    picture p = new_picture(TILE, TILE);
    BITMAP *b = p.get();
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            int sx = x / 16, sy = y / 16, lx = x % 16, ly = y % 16;
            // weathered stone, darker than the banner and mission texts printed over it
            float slab = 7.4f + ((sx * 5 + sy * 3) % 4) * 0.3f;  // each slab its own shade
            float n = wrapped_fractal(x, y, TILE, 3, 0x5ab) - 0.5f;
            float s = slab + n * 1.2f;
            if (lx == 1 || ly == 1) s -= 1.0f;   // the lit bevel
            if (lx == 15 || ly == 15) s += 1.2f;  // the shaded bevel
            if (lx == 0 || ly == 0) s = 10.6f;    // the joint
            b->line[y][x] = ramp_colour(RAMP_SAND, static_cast<int>(std::lround(s)));
        }
    }
    sprinkle(b, 10, 0x6a6, ramp_colour(RAMP_SAND, 10), ramp_colour(RAMP_GREY, 10), 1);
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

// The flat roof of a building, stretched over its cell. Roofs of neighbouring building cells
// overlap into one roof over the whole block, so the picture is a seamless field of tar and
// gravel (no parapet per cell: a block must not look like a stack of boxes); the walls drawn
// below show where the building ends. One small vent keeps the field from looking flat.
picture roof()
{
    // Pale gravel, unlike the dark asphalt of the streets and the mid grey of the walls.
    picture p = textured(RAMP_GREY, 4.0f, 2.2f, 0x2007);
    BITMAP *b = p.get();
    sprinkle(b, 140, 0x2008, ramp_colour(RAMP_GREY, 2), ramp_colour(RAMP_GREY, 7), 1);
    circlefill(b, 47, 45, 2, ramp_colour(RAMP_GREY, 8));
    putpixel(b, 47, 45, COLOUR_OUTLINE);
    putpixel(b, 49, 47, ramp_colour(RAMP_GREY, 10));
    return p;
}

}  // namespace

picture make_tile_picture(int object)
{
    switch (object) {
    case 0: return roof();
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
    case 12: return lane(WEST, lane_style::ordinary, 0x12);
    case 13: return lane(EAST, lane_style::ordinary, 0x13);
    case 14: return lane(WEST, lane_style::junction, 0x14);
    case 15: return lane(SOUTH, lane_style::junction, 0x15);
    case 16: return lane(NORTH, lane_style::junction, 0x16);
    case 17: return lane(EAST, lane_style::junction, 0x17);
    case 18: return lane(SOUTH, lane_style::ordinary, 0x18);
    case 19: return lane(NORTH, lane_style::ordinary, 0x19);
    case 20: return asphalt(0x20);
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
