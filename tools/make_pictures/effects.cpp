// Fire, smoke, water and blood: the effects of the streets. Most are drawn translucent by the
// game, so they are painted bright and let the blend soften them.
#include "effects.h"

#include "game_palette.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

// A ragged radius: the shape's edge wobbles with the angle.
float ragged_radius(float angle, float radius, float wobble, uint32_t seed)
{
    float a = angle / (2 * PI) * 64.0f;
    return radius * (1 - wobble + wobble * 2 * wrapped_fractal(a, 3.0f, 64, 3, seed));
}

// One frame of a blast. The game draws it unturned through its translucency table, where a
// colour keeps only 150/255 of itself over the street: so the core is painted in the palest
// yellows, which stay light and even over asphalt, and the glow around it is left as a
// dither, every other pixel or fewer, so it reads as light thinning out.
struct blast_look {
    int size;      // picture side
    float radius;  // of the ball of fire
    float heat;    // 0..1.25: how much of it still burns white and gold
    float smoke;   // 0..1: how much of the ball has turned to smoke, from the rim in
    float holes;   // 0..1: how far the cloud has broken up
    float glow;    // how far the dithered glow reaches, as a multiple of the radius
    uint32_t seed;
};

// Growing for three frames, at its fullest at the fourth, then burning down to smoke. The
// first is a bare flash: it is also the marker laid on the ground where a job leads.
constexpr blast_look blast_frames[BLAST_FRAMES] = {
    {48, 10.0f, 1.25f, 0.00f, 0.00f, 2.2f, 21}, {64, 19.0f, 1.20f, 0.00f, 0.00f, 1.6f, 22},
    {76, 26.0f, 1.10f, 0.05f, 0.00f, 1.4f, 23}, {84, 31.0f, 0.95f, 0.20f, 0.04f, 1.3f, 24},
    {84, 32.0f, 0.75f, 0.45f, 0.15f, 1.2f, 25}, {84, 33.0f, 0.55f, 0.70f, 0.28f, 1.15f, 26},
    {84, 34.0f, 0.35f, 0.90f, 0.42f, 1.1f, 27}, {84, 35.0f, 0.20f, 1.00f, 0.58f, 1.0f, 28},
};

// Heat 0..1 to the colour of fire, in blasts and flames: white-hot, pale gold, gold, amber,
// orange, deep red.
int fire_colour(float heat)
{
    if (heat > 0.80f) return COLOUR_HEADLAMP;
    if (heat > 0.68f) return ramp_colour(RAMP_GOLD, 1);
    if (heat > 0.56f) return ramp_colour(RAMP_GOLD, 3);
    if (heat > 0.44f) return COLOUR_AMBER;
    if (heat > 0.32f) return ramp_colour(RAMP_ORANGE, 6);
    return ramp_colour(RAMP_WINE, 5);
}

// Billows of the cloud: a noise value and, from its slope toward the upper left, how much a
// billow there is lit.
struct billow {
    float value, lit;
};

billow billow_at(const blast_look &look, int x, int y)
{
    auto n = [&](float px, float py) {
        return wrapped_fractal(px * 0.5f, py * 0.5f, 32, 3, look.seed + 7);
    };
    float v = n(x + 0.5f, y + 0.5f);
    float lit = (n(x + 2.5f, y + 2.5f) - n(x - 1.5f, y - 1.5f)) * 4.0f;
    return {v, lit};
}

int blast_pixel(const blast_look &look, int x, int y)
{
    const float c = look.size / 2.0f;
    float dx = x + 0.5f - c, dy = y + 0.5f - c, r = std::sqrt(dx * dx + dy * dy);
    float wobble = 0.2f + 0.25f * look.smoke;
    float edge = ragged_radius(std::atan2(dy, dx) + PI, look.radius, wobble, look.seed);
    const billow w = billow_at(look, x, y);
    if (r > edge) {  // the glow: a band of orange light, then thinning out to nothing
        float burning = std::fmin(1.0f, look.heat) * std::fmax(0.0f, 1.0f - 2.0f * look.smoke);
        float reach = edge * (look.glow - 1.0f) * burning;
        if (reach < 2.0f) return 0;
        float t = (r - edge) / (reach + 0.01f);
        if (t >= 1.0f) return 0;
        if (t < 0.3f) return ramp_colour(RAMP_ORANGE, 6);
        if (dither_threshold(x, y) >= 0.75f * (1.0f - t)) return 0;
        return ramp_colour(RAMP_ORANGE, t < 0.6f ? 6 : 8);
    }
    float t = r / edge;
    if (w.value < look.holes * (0.55f + 0.7f * t)) return 0;
    float heat = look.heat * (1.0f - std::pow(t, 2.0f)) + (w.value - 0.5f) * 0.7f + w.lit * 0.15f;
    // smoke eats in from the rim as the fire dies
    float smoke_line = 1.0f - look.smoke * 1.2f + (w.value - 0.5f) * 0.6f;
    if (t > smoke_line && heat < 0.85f) {
        float shade = 8.0f - w.lit * 3.0f + t * 2.0f + (0.5f - w.value) * 4.0f;
        return ramp_colour(RAMP_GREY, clamp_int(std::lround(shade), 3, 13));
    }
    return fire_colour(heat);
}

}  // namespace

picture make_blast_frame(int frame)
{
    const blast_look &look = blast_frames[clamp_int(frame, 0, BLAST_FRAMES - 1)];
    picture p = new_picture(look.size, look.size);
    for (int y = 0; y < look.size; ++y)
        for (int x = 0; x < look.size; ++x)
            p->line[y][x] = static_cast<unsigned char>(blast_pixel(look, x, y));
    if (frame == 0) {  // the flash: short uneven sparks shot out of the core
        noise_source n{0xf1a5};
        const float c = look.size / 2.0f;
        for (int i = 0; i < 9; ++i) {
            float a = i * 2 * PI / 9 + noise_unit(n) * 0.5f, len = 13 + noise_unit(n) * 9;
            for (float d = 8; d < len; d += 0.7f) {
                int x = std::lround(c + std::cos(a) * d - 0.5f);
                int y = std::lround(c + std::sin(a) * d - 0.5f);
                putpixel(p.get(), x, y, ramp_colour(RAMP_GOLD, d < len - 4 ? 1 : 5));
            }
        }
    }
    return p;
}

// A puff of smoke off a damaged car, drawn translucent: a few grey lumps lit from the upper
// left, their rims thinned to a dither so the puff has no hard edge.
picture make_smoke_puff()
{
    constexpr int size = 18;
    picture p = new_picture(size, size);
    struct lump {
        float x, y, r;
    };
    constexpr lump lumps[] = {
        {7.0f, 10.0f, 5.2f}, {10.5f, 7.0f, 5.0f}, {11.5f, 11.5f, 4.6f}, {6.5f, 6.0f, 3.6f}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float best = 2, shade = 0;
            for (const lump &l : lumps) {
                float dx = x + 0.5f - l.x, dy = y + 0.5f - l.y;
                float d = std::sqrt(dx * dx + dy * dy) / l.r;
                if (d >= best) continue;
                best = d;
                shade = 4 + 3.0f * d + 2.2f * (dx + dy) / l.r;
            }
            if (best > 1.0f) continue;
            if (best > 0.75f && dither_threshold(x, y) < (best - 0.75f) * 3.2f) continue;
            p->line[y][x] = static_cast<unsigned char>(ramp_colour(RAMP_GREY, std::lround(shade)));
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
            putpixel(b, x, y, fire_colour(0.25f + heat * 0.85f));
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

// A tracer, 10 px long so it draws a streak between the places it is shown at: a white-hot
// head that shows on dark asphalt, fading back through gold to a red tail, with dark flanks at
// the head that show it on light paving. Three wide, like the old shot, so its side test
// points stay where they were.
picture make_bullet()
{
    picture p = new_picture(3, 10);
    BITMAP *b = p.get();
    const int core[] = {COLOUR_SPARK, COLOUR_SPARK, COLOUR_HEADLAMP, ramp_colour(RAMP_GOLD, 1),
                        ramp_colour(RAMP_GOLD, 3), COLOUR_AMBER, ramp_colour(RAMP_ORANGE, 5),
                        ramp_colour(RAMP_ORANGE, 7), ramp_colour(RAMP_WINE, 6),
                        ramp_colour(RAMP_WINE, 8)};
    for (int y = 0; y < 10; ++y) putpixel(b, 1, y, core[y]);
    for (int x : {0, 2}) {
        putpixel(b, x, 0, COLOUR_OUTLINE);
        putpixel(b, x, 1, COLOUR_AMBER);
        putpixel(b, x, 2, COLOUR_OUTLINE);
    }
    return p;
}

// A rocket nose first: a red warhead, a pale body with a dark outline, dark fins, and a long
// bright exhaust that trails it on the road by day and by night.
picture make_rocket()
{
    constexpr int w = 7, h = 18;
    picture p = new_picture(w, h);
    BITMAP *b = p.get();
    putpixel(b, 3, 1, COLOUR_LIGHT_RED);  // the warhead
    hline(b, 2, 2, 4, COLOUR_LIGHT_RED);
    putpixel(b, 2, 2, ramp_colour(RAMP_WINE, 2));
    hline(b, 2, 3, 4, ramp_colour(RAMP_WINE, 5));
    for (int y = 4; y <= 10; ++y) {  // the body, lit down its left side
        putpixel(b, 2, y, ramp_colour(RAMP_GREY, 1));
        putpixel(b, 3, y, ramp_colour(RAMP_GREY, 3));
        putpixel(b, 4, y, ramp_colour(RAMP_GREY, 7));
    }
    hline(b, 2, 7, 4, ramp_colour(RAMP_GOLD, 5));  // a band round it
    for (int x : {1, 5}) vline(b, x, 9, 12, COLOUR_GUNMETAL);  // fins
    hline(b, 2, 11, 4, COLOUR_GUNMETAL);  // the nozzle
    outline_picture(b, COLOUR_OUTLINE);
    // the exhaust, after the outline so it burns free of it
    hline(b, 2, 13, 4, COLOUR_SPARK);
    hline(b, 2, 14, 4, COLOUR_HEADLAMP);
    hline(b, 2, 15, 4, ramp_colour(RAMP_GOLD, 3));
    putpixel(b, 3, 16, COLOUR_AMBER);
    putpixel(b, 3, 17, ramp_colour(RAMP_ORANGE, 6));
    putpixel(b, 2, 16, ramp_colour(RAMP_ORANGE, 7));
    putpixel(b, 4, 16, ramp_colour(RAMP_ORANGE, 7));
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
