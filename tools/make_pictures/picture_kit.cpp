#include "picture_kit.h"

#include "game_palette.h"

#include <algorithm>
#include <cmath>

picture new_picture(int w, int h)
{
    picture p(create_bitmap_ex(8, w, h));
    clear_to_color(p.get(), 0);
    return p;
}

picture copy_picture(const BITMAP *source)
{
    picture p = new_picture(source->w, source->h);
    blit(const_cast<BITMAP *>(source), p.get(), 0, 0, 0, 0, source->w, source->h);
    return p;
}

uint32_t next_noise(noise_source &n)
{
    // xorshift32: never reaches 0 from a non-zero seed.
    uint32_t x = n.state ? n.state : 0x9e3779b9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    n.state = x;
    return x;
}

int noise_below(noise_source &n, int limit)
{
    return limit > 0 ? static_cast<int>(next_noise(n) % static_cast<uint32_t>(limit)) : 0;
}

float noise_unit(noise_source &n)
{
    return (next_noise(n) >> 8) / 16777216.0f;
}

static float lattice(int x, int y, uint32_t seed)
{
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x8da6b343u) ^
                 (static_cast<uint32_t>(y) * 0xd8163841u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h & 0xffffff) / 16777215.0f;
}

float wrapped_noise(float x, float y, int period, uint32_t seed)
{
    // A lattice of 8 cells per period, wrapped so the pattern repeats.
    const int cells = 8;
    float fx = x * cells / period, fy = y * cells / period;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    auto wrap = [&](int v) { return ((v % cells) + cells) % cells; };
    float a = lattice(wrap(ix), wrap(iy), seed), b = lattice(wrap(ix + 1), wrap(iy), seed);
    float c = lattice(wrap(ix), wrap(iy + 1), seed), d = lattice(wrap(ix + 1), wrap(iy + 1), seed);
    float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

float wrapped_fractal(float x, float y, int period, int octaves, uint32_t seed)
{
    float sum = 0, weight = 0, amp = 1;
    for (int o = 0; o < octaves && period >= 8; ++o) {
        sum += amp * wrapped_noise(x, y, period, seed + o * 101);
        weight += amp;
        amp *= 0.5f;
        period /= 2;
    }
    return weight > 0 ? sum / weight : 0.5f;
}

float smooth_step(float edge0, float edge1, float x)
{
    float t = (x - edge0) / (edge1 - edge0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}

float dither_threshold(int x, int y)
{
    static constexpr int bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (bayer[y & 3][x & 3] + 0.5f) / 16.0f;
}

bool is_ink(const BITMAP *b, int x, int y)
{
    if (x < 0 || y < 0 || x >= b->w || y >= b->h) return false;
    return b->line[y][x] != 0;
}

static void ring_picture(BITMAP *b, int colour, bool shadow_only)
{
    picture source = copy_picture(b);
    for (int y = 0; y < b->h; ++y) {
        for (int x = 0; x < b->w; ++x) {
            if (is_ink(source.get(), x, y)) continue;
            bool touch = is_ink(source.get(), x - 1, y) || is_ink(source.get(), x, y - 1);
            if (!shadow_only)
                touch = touch || is_ink(source.get(), x + 1, y) || is_ink(source.get(), x, y + 1);
            if (touch) b->line[y][x] = static_cast<unsigned char>(colour);
        }
    }
}

void outline_picture(BITMAP *b, int colour)
{
    ring_picture(b, colour, false);
}

void shadow_picture(BITMAP *b, int colour)
{
    ring_picture(b, colour, true);
}

void fill_rounded_rect(BITMAP *b, int x0, int y0, int x1, int y1, int r, int colour)
{
    r = std::min(r, std::min((x1 - x0) / 2, (y1 - y0) / 2));
    if (r <= 0) {
        rectfill(b, x0, y0, x1, y1, colour);
        return;
    }
    for (int y = y0; y <= y1; ++y) {
        int dy = 0;
        if (y < y0 + r) dy = y0 + r - y;
        if (y > y1 - r) dy = y - (y1 - r);
        float inset = r - std::sqrt(std::max(0.0f, float(r * r) - (dy - 0.5f) * (dy - 0.5f)));
        int in = dy > 0 ? static_cast<int>(std::lround(inset)) : 0;
        hline(b, x0 + in, y, x1 - in, colour);
    }
}

void move_ramp(BITMAP *b, int from_ramp, int to_ramp)
{
    const int first = ramp_colour(from_ramp, 0), shift = (to_ramp - from_ramp) * RAMP_SIZE;
    for (int y = 0; y < b->h; ++y) {
        for (int x = 0; x < b->w; ++x) {
            int c = b->line[y][x];
            if (c >= first && c < first + RAMP_SIZE)
                b->line[y][x] = static_cast<unsigned char>(c + shift);
        }
    }
}

void fill_quad(BITMAP *b, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
               int colour)
{
    int points[8] = {x0, y0, x1, y1, x2, y2, x3, y3};
    polygon(b, 4, points, colour);
}

void thick_line(BITMAP *b, float x0, float y0, float x1, float y1, float thickness, int colour)
{
    float dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
    if (len < 0.01f) {
        circlefill(b, std::lround(x0), std::lround(y0), std::lround(thickness / 2 - 0.5f), colour);
        return;
    }
    float nx = -dy / len * thickness / 2, ny = dx / len * thickness / 2;
    if (thickness <= 1.01f) {
        line(b, std::lround(x0), std::lround(y0), std::lround(x1), std::lround(y1), colour);
        return;
    }
    fill_quad(b, std::lround(x0 + nx), std::lround(y0 + ny), std::lround(x1 + nx),
              std::lround(y1 + ny), std::lround(x1 - nx), std::lround(y1 - ny),
              std::lround(x0 - nx), std::lround(y0 - ny), colour);
}

picture quarter_turned(const BITMAP *source, int turns)
{
    turns = ((turns % 4) + 4) % 4;
    bool swap = turns % 2 == 1;
    picture p = new_picture(swap ? source->h : source->w, swap ? source->w : source->h);
    for (int y = 0; y < source->h; ++y) {
        for (int x = 0; x < source->w; ++x) {
            int tx = x, ty = y;
            if (turns == 1) tx = source->h - 1 - y, ty = x;
            if (turns == 2) tx = source->w - 1 - x, ty = source->h - 1 - y;
            if (turns == 3) tx = y, ty = source->w - 1 - x;
            p->line[ty][tx] = source->line[y][x];
        }
    }
    return p;
}
