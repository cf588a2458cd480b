// The one roof of the city, laid over every building and arcade cell. The game draws it 82 px
// square every 80 px, and each cell's roof covers the last two columns (and rows) of the one
// drawn before it. So the picture is a field that repeats every 80 px (columns 80 and 81 would
// repeat columns 0 and 1), and its last two columns and rows, seen only where a block ends on
// its east or south side, are the lip of the parapet. Inside a block no seam shows: the roofing
// runs on in strips, and what stands on it (vents, fan boxes, a hatch) and the stains are
// small and scattered, so that the repeats read as clutter and not as a grid.
#include "game_palette.h"
#include "pictures.h"

#include <cmath>
#include <vector>

namespace {

constexpr int PERIOD = 80;     // the distance between two roofs on the screen
constexpr int ROOF_SIZE = 82;  // the size the game draws a roof at

// The roof as it is painted: a shade of the grey ramp per pixel (fractions are scattered by a
// grain at the end), or a fixed colour where something is not grey. The field wraps at its edges, so
// anything painted across an edge comes back on the other side.
struct roof_field {
    std::vector<float> shade = std::vector<float>(PERIOD * PERIOD, 0.0f);
    std::vector<int> colour = std::vector<int>(PERIOD * PERIOD, 0);
    std::vector<bool> gravel = std::vector<bool>(PERIOD * PERIOD, true);

    static size_t index(int x, int y)
    {
        x = ((x % PERIOD) + PERIOD) % PERIOD;
        y = ((y % PERIOD) + PERIOD) % PERIOD;
        return static_cast<size_t>(y * PERIOD + x);
    }
    float &at(int x, int y) { return shade[index(x, y)]; }
    // Something standing on the roof, not gravel.
    void build(int x, int y, float s)
    {
        shade[index(x, y)] = s;
        gravel[index(x, y)] = false;
    }
    void paint(int x, int y, int c) { colour[index(x, y)] = c; }
    int final_colour(int x, int y) const;
};

// Grain that repeats with the roof: one value in 0..1 per pixel.
float speck(int x, int y, uint32_t seed)
{
    x = (x % PERIOD + PERIOD) % PERIOD;
    y = (y % PERIOD + PERIOD) % PERIOD;
    uint32_t h = seed * 0x9e3779b1u ^ static_cast<uint32_t>(x * 73856093) ^
                 static_cast<uint32_t>(y * 19349663);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0f;
}

int roof_field::final_colour(int x, int y) const
{
    size_t i = index(x, y);
    if (colour[i]) return colour[i];
    float s = shade[i] + speck(x, y, 0x2f13);
    // one stone in eight is warm, as light as the grey ones (the sand ramp is lighter
    // shade for shade)
    if (gravel[i] && speck(x, y, 0x2f14) < 0.125f) return ramp_colour(RAMP_SAND, int(s + 1.2f));
    return ramp_colour(RAMP_GREY, clamp_int(static_cast<int>(s), 0, 15));
}

// Pale gravel spread evenly over the roofing felt, which shows in strips 16 px wide where the
// sheets lap (a lit edge over a faint shaded seam). Nothing varies on a scale larger than a
// strip, or the roofs of a block would show their 80 px repeat.
void lay_roofing(roof_field &f)
{
    for (int y = 0; y < PERIOD; ++y) {
        for (int x = 0; x < PERIOD; ++x) {
            float pebble = speck(x / 2, y / 2, 0x2f11) - 0.5f;  // pebbles two pixels across
            float grain = speck(x, y, 0x2f12) - 0.5f;
            float s = 2.5f + pebble * 1.1f + grain * 0.8f;
            int row = y % 16;
            if (row == 0) s += 0.8f;
            if (row == 1) s -= 0.8f;
            f.at(x, y) = s;
        }
    }
}

// A small damp stain where water stood, its rim ragged.
void stain(roof_field &f, int cx, int cy, float r)
{
    for (int y = cy - int(r); y <= cy + r; ++y) {
        for (int x = cx - int(r); x <= cx + r; ++x) {
            float d = std::hypot(float(x - cx), float(y - cy)) / r;
            if (d < 0.6f + 0.4f * speck(x / 2, y / 2, 0x57a1)) f.at(x, y) += 0.8f;
        }
    }
}

// Rust run down from what stands on the roof, in streaks a few pixels long.
void streak(roof_field &f, int x, int y, int length)
{
    for (int k = 0; k < length; ++k) {
        f.paint(x, y + k, ramp_colour(RAMP_BROWN, 3 + k * 3 / length));
        if (k % 3 == 2) ++x;
    }
}

// A round vent cap lit from the north-west, with its shadow thrown to the south-east.
void vent(roof_field &f, int cx, int cy, int r)
{
    for (int y = -r; y <= r + 2; ++y)
        for (int x = -r; x <= r + 2; ++x)
            if ((x - 1.5f) * (x - 1.5f) + (y - 1.5f) * (y - 1.5f) <= r * r + 0.5f)
                f.at(cx + x, cy + y) += 1.8f;
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) {
            if (x * x + y * y > r * r + 0.5f) continue;
            f.build(cx + x, cy + y, x + y < 0 ? 1.0f : 3.6f);
        }
    }
    f.build(cx, cy, 7.0f);
}

// A box standing on the roof: a lit top with a darker rim on its south and east sides, and
// its shadow thrown down to the right.
void box(roof_field &f, int x0, int y0, int w, int h, float top)
{
    for (int y = y0 + 2; y < y0 + h + 2; ++y)
        for (int x = x0 + 2; x < x0 + w + 2; ++x) f.at(x, y) += 2.0f;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            float s = top;
            if (x == x0 || y == y0) s -= 1.0f;
            if (x == x0 + w - 1 || y == y0 + h - 1) s += 2.5f;
            f.build(x, y, s);
        }
    }
}

// An access hatch: a steel lid in a raised frame.
void hatch(roof_field &f, int x0, int y0)
{
    box(f, x0, y0, 7, 7, 3.0f);
    for (int y = y0 + 2; y < y0 + 5; ++y)
        for (int x = x0 + 2; x < x0 + 5; ++x) f.build(x, y, 4.5f);
}

// The lip of the parapet along the east and south edges: its inner face catches the sun, its
// top is weathered concrete.
void parapet_lip(BITMAP *b)
{
    for (int k = 0; k < ROOF_SIZE; ++k) {
        b->line[k][PERIOD] = ramp_colour(RAMP_GREY, 0);
        b->line[k][PERIOD + 1] = ramp_colour(RAMP_GREY, 3);
        b->line[PERIOD][k] = ramp_colour(RAMP_GREY, 0);
        b->line[PERIOD + 1][k] = ramp_colour(RAMP_GREY, 3);
    }
}

}  // namespace

picture make_roof_picture()
{
    roof_field f;
    lay_roofing(f);
    // Many small things of about the same weight, spread evenly over the roof: the eye takes
    // them for clutter, where one big thing would mark every cell's place.
    vent(f, 9, 11, 2);
    vent(f, 49, 37, 2);
    vent(f, 33, 61, 2);
    vent(f, 36, 7, 1);
    vent(f, 73, 46, 1);
    vent(f, 7, 57, 1);
    box(f, 58, 11, 8, 6, 1.5f);
    box(f, 17, 31, 7, 5, 1.5f);
    hatch(f, 58, 64);
    box(f, 74, 24, 6, 5, 2.0f);
    streak(f, 64, 17, 4);
    stain(f, 25, 47, 5);
    stain(f, 68, 76, 4);
    picture p = new_picture(ROOF_SIZE, ROOF_SIZE);
    for (int y = 0; y < ROOF_SIZE; ++y)
        for (int x = 0; x < ROOF_SIZE; ++x) p->line[y][x] = f.final_colour(x, y);
    parapet_lip(p.get());
    return p;
}
