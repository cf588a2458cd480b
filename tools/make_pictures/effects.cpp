// Fire, smoke, water and blood: the effects of the streets. Most are drawn translucent by the
// game, so they are painted bright and let the blend soften them.
#include "effects.h"

#include "game_palette.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

// Heat 0..1 to a flame colour: white core, gold, orange, red rim.
int flame_colour(float heat)
{
    if (heat > 0.88f) return COLOUR_SPARK;
    if (heat > 0.74f) return ramp_colour(RAMP_GOLD, 1);
    if (heat > 0.60f) return ramp_colour(RAMP_GOLD, 5);
    if (heat > 0.46f) return ramp_colour(RAMP_ORANGE, 4);
    if (heat > 0.32f) return ramp_colour(RAMP_ORANGE, 7);
    return ramp_colour(RAMP_WINE, 6);
}

// A ragged radius: the shape's edge wobbles with the angle.
float ragged_radius(float angle, float radius, float wobble, uint32_t seed)
{
    float a = angle / (2 * PI) * 64.0f;
    return radius * (1 - wobble + wobble * 2 * wrapped_fractal(a, 3.0f, 64, 3, seed));
}

}  // namespace

picture make_fireball(const fireball_look &look)
{
    picture p = new_picture(look.size, look.size);
    BITMAP *b = p.get();
    const float c = look.size / 2.0f;
    for (int y = 0; y < look.size; ++y) {
        for (int x = 0; x < look.size; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c, r = std::sqrt(dx * dx + dy * dy);
            float edge = ragged_radius(std::atan2(dy, dx) + PI, look.radius, 0.18f, look.seed);
            if (r > edge) continue;
            float t = r / edge;
            float swirl = wrapped_fractal(x * 1.0f, y * 1.0f, 32, 3, look.seed + 7);
            if (swirl < look.holes * (0.6f + 0.6f * t)) continue;
            float heat = look.heat * (1.0f - std::pow(t, 1.6f)) + (swirl - 0.5f) * 0.35f;
            if (heat < look.smoke_below) {
                int shade = 6 + static_cast<int>((1 - swirl) * 6) + static_cast<int>(t * 3);
                putpixel(b, x, y, ramp_colour(RAMP_GREY, shade));
            } else {
                putpixel(b, x, y, flame_colour(heat));
            }
        }
    }
    return p;
}

picture make_flash_ring()
{
    // The first frame of a blast, also laid on the ground as a marker: a bright shock ring with
    // rays, empty in the middle so whatever it marks still shows.
    picture p = new_picture(40, 40);
    BITMAP *b = p.get();
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            float dx = x + 0.5f - 20, dy = y + 0.5f - 20, r = std::sqrt(dx * dx + dy * dy);
            float a = std::atan2(dy, dx);
            float ring = std::fabs(r - 14.0f);
            float ray = std::pow(std::fabs(std::cos(a * 4)), 24.0f) * (r < 19.5f ? 1.0f : 0.0f);
            if (ring < 1.0f) putpixel(b, x, y, COLOUR_SPARK);
            else if (ring < 2.2f) putpixel(b, x, y, ramp_colour(RAMP_GOLD, 2));
            else if (ring < 3.4f && r < 14) putpixel(b, x, y, ramp_colour(RAMP_GOLD, 7));
            else if (ray > 0.5f && r > 6) putpixel(b, x, y, ramp_colour(RAMP_GOLD, r < 14 ? 3 : 1));
            else if (r < 3.5f) putpixel(b, x, y, ramp_colour(RAMP_GOLD, 1));
        }
    }
    return p;
}

picture make_smoke_puff()
{
    picture p = new_picture(16, 16);
    BITMAP *b = p.get();
    // three overlapping lumps, lit from the upper left
    struct lump { float x, y, r; };
    constexpr lump lumps[] = {{6.5f, 9.0f, 5.0f}, {9.5f, 6.5f, 5.0f}, {10.0f, 10.5f, 4.5f}};
    for (const lump &l : lumps) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                float dx = x + 0.5f - l.x, dy = y + 0.5f - l.y;
                float d = std::sqrt(dx * dx + dy * dy) / l.r;
                if (d > 1) continue;
                float s = 6 + 3.5f * d + 1.5f * (dx + dy) / l.r;
                putpixel(b, x, y, ramp_colour(RAMP_GREY, static_cast<int>(std::lround(s))));
            }
        }
    }
    return p;
}

picture make_flame()
{
    picture p = new_picture(16, 16);
    BITMAP *b = p.get();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            float dx = x + 0.5f - 8, dy = y + 0.5f - 8.5f;
            float a = std::atan2(dy, dx), r = std::sqrt(dx * dx + dy * dy);
            // tongues licking outward, longest toward the top
            float tongue = 5.2f + 1.6f * std::pow(std::fabs(std::sin(a * 3.5f + 0.6f)), 2.0f) -
                           1.2f * std::sin(a);
            if (r > tongue) continue;
            float heat = 1.0f - r / tongue + 0.08f * std::sin(x * 2.1f + y * 1.3f);
            putpixel(b, x, y, flame_colour(0.25f + heat * 0.85f));
        }
    }
    outline_picture(b, ramp_colour(RAMP_WINE, 8));
    return p;
}

picture make_splash(int frame)
{
    picture p = new_picture(32, 32);
    BITMAP *b = p.get();
    const float ring = frame == 0 ? 8.0f : 12.5f, width = frame == 0 ? 2.4f : 1.4f;
    noise_source n{frame == 0 ? 0x51a5u : 0x7a11u};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - 16, dy = y + 0.5f - 16, r = std::sqrt(dx * dx + dy * dy);
            float d = std::fabs(r - ring);
            if (d < width) putpixel(b, x, y, ramp_colour(RAMP_SKY, d < width / 2 ? 0 : 3));
            else if (r < ring - width && frame == 0) putpixel(b, x, y, ramp_colour(RAMP_SKY, 5));
        }
    }
    // droplets thrown out past the ring
    for (int i = 0; i < 14; ++i) {
        float a = i * 2 * PI / 14 + noise_unit(n) * 0.3f;
        float r = ring + 3 + noise_unit(n) * (frame == 0 ? 4 : 3);
        int x = std::lround(16 + std::cos(a) * r), y = std::lround(16 + std::sin(a) * r);
        putpixel(b, x, y, ramp_colour(RAMP_SKY, frame == 0 ? 0 : 2));
        if (frame == 0) putpixel(b, x + 1, y, ramp_colour(RAMP_SKY, 2));
    }
    return p;
}

picture make_blood_stain(int size, uint32_t seed)
{
    picture p = new_picture(size, size);
    BITMAP *b = p.get();
    const float c = size / 2.0f, radius = size * 0.36f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c, r = std::sqrt(dx * dx + dy * dy);
            float edge = ragged_radius(std::atan2(dy, dx) + PI, radius, 0.3f, seed);
            if (r > edge) continue;
            int shade = 6 + static_cast<int>(3 * r / edge) + ((x * 7 + y * 3) % 5 == 0 ? 1 : 0);
            putpixel(b, x, y, ramp_colour(RAMP_WINE, shade));
        }
    }
    noise_source n{seed};
    for (int i = 0; i < size / 3; ++i) {
        float a = noise_unit(n) * 2 * PI, r = radius + 1 + noise_unit(n) * (c - radius - 1.5f);
        int x = std::lround(c + std::cos(a) * r), y = std::lround(c + std::sin(a) * r);
        putpixel(b, x, y, ramp_colour(RAMP_WINE, 7));
    }
    return p;
}

picture make_bullet()
{
    picture p = new_picture(2, 4);
    BITMAP *b = p.get();
    hline(b, 0, 0, 1, COLOUR_SPARK);
    hline(b, 0, 1, 1, ramp_colour(RAMP_GOLD, 1));
    hline(b, 0, 2, 1, ramp_colour(RAMP_GOLD, 6));
    hline(b, 0, 3, 1, ramp_colour(RAMP_ORANGE, 7));
    return p;
}

picture make_rocket()
{
    picture p = new_picture(6, 16);
    BITMAP *b = p.get();
    // nose cone, body, fins, exhaust
    putpixel(b, 2, 0, ramp_colour(RAMP_PAINT, 3));
    putpixel(b, 3, 0, ramp_colour(RAMP_PAINT, 6));
    hline(b, 1, 1, 4, ramp_colour(RAMP_PAINT, 5));
    hline(b, 1, 2, 4, ramp_colour(RAMP_PAINT, 7));
    for (int y = 3; y <= 11; ++y) {
        putpixel(b, 1, y, ramp_colour(RAMP_GREY, 3));
        putpixel(b, 2, y, ramp_colour(RAMP_GREY, 1));
        putpixel(b, 3, y, ramp_colour(RAMP_GREY, 5));
        putpixel(b, 4, y, ramp_colour(RAMP_GREY, 8));
    }
    for (int y = 9; y <= 12; ++y) {
        putpixel(b, 0, y, COLOUR_GUNMETAL);
        putpixel(b, 5, y, COLOUR_GUNMETAL);
    }
    hline(b, 1, 12, 4, COLOUR_GUNMETAL);
    hline(b, 1, 13, 4, COLOUR_SPARK);
    hline(b, 1, 14, 4, ramp_colour(RAMP_GOLD, 4));
    hline(b, 2, 15, 3, ramp_colour(RAMP_ORANGE, 5));
    return p;
}

picture make_bomb()
{
    picture p = new_picture(16, 16);
    BITMAP *b = p.get();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            float dx = x + 0.5f - 7.5f, dy = y + 0.5f - 9.0f, d = std::sqrt(dx * dx + dy * dy);
            if (d > 6.2f) continue;
            float glint = std::sqrt((dx + 2.5f) * (dx + 2.5f) + (dy + 2.5f) * (dy + 2.5f));
            int shade = glint < 1.3f ? 6 : (glint < 2.6f ? 10 : 13 + (d > 4.5f ? 2 : 0));
            putpixel(b, x, y, ramp_colour(RAMP_SLATE, shade));
        }
    }
    rectfill(b, 9, 2, 11, 3, COLOUR_GUNMETAL);  // the fuse cap
    line(b, 11, 2, 13, 0, ramp_colour(RAMP_SAND, 4));
    putpixel(b, 14, 0, COLOUR_SPARK);
    putpixel(b, 13, 1, ramp_colour(RAMP_GOLD, 1));
    putpixel(b, 15, 1, ramp_colour(RAMP_GOLD, 4));
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

picture make_briefcase()
{
    picture p = new_picture(18, 15);
    BITMAP *b = p.get();
    rect(b, 6, 0, 11, 3, ramp_colour(RAMP_BROWN, 11));  // the handle
    fill_rounded_rect(b, 1, 3, 16, 13, 2, ramp_colour(RAMP_BROWN, 6));
    hline(b, 2, 4, 15, ramp_colour(RAMP_BROWN, 3));
    vline(b, 2, 4, 12, ramp_colour(RAMP_BROWN, 4));
    hline(b, 2, 12, 15, ramp_colour(RAMP_BROWN, 9));
    hline(b, 2, 7, 15, ramp_colour(RAMP_BROWN, 8));  // the lid's seam
    for (int x : {4, 12}) {
        rectfill(b, x, 6, x + 1, 8, ramp_colour(RAMP_GOLD, 3));
        putpixel(b, x, 6, COLOUR_SPARK);
    }
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

picture make_traffic_cone()
{
    picture p = new_picture(14, 14);
    BITMAP *b = p.get();
    rectfill(b, 1, 1, 12, 12, ramp_colour(RAMP_GREY, 12));  // the square rubber base
    circlefill(b, 6, 6, 5, ramp_colour(RAMP_ORANGE, 5));
    circle(b, 6, 6, 3, COLOUR_WHITE);
    circlefill(b, 6, 6, 1, ramp_colour(RAMP_ORANGE, 2));
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}
