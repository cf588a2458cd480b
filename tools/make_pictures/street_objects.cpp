// The set pieces the city map places: the fountain, trees, road barriers, what a scattered
// crowd leaves behind (the crowd itself is drawn with the people), and the glowing ring where a
// mission starts.
#include "effects.h"
#include "game_palette.h"
#include "pictures.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

}  // namespace

picture make_crowd_litter()
{
    // What a scattered crowd leaves: a flattened paper cup, a leaflet, a can and a scuff.
    picture p = new_picture(24, 24);
    BITMAP *b = p.get();
    fill_quad(b, 3, 5, 9, 3, 10, 8, 4, 10, ramp_colour(RAMP_GREY, 1));
    line(b, 4, 6, 8, 5, ramp_colour(RAMP_GREY, 5));
    line(b, 5, 8, 8, 7, ramp_colour(RAMP_GREY, 5));
    rectfill(b, 16, 14, 18, 18, ramp_colour(RAMP_WINE, 5));
    hline(b, 16, 14, 18, ramp_colour(RAMP_GREY, 3));
    ellipsefill(b, 8, 17, 3, 2, ramp_colour(RAMP_SAND, 2));
    putpixel(b, 8, 17, ramp_colour(RAMP_SAND, 6));
    putpixel(b, 14, 6, ramp_colour(RAMP_GREY, 9));
    putpixel(b, 15, 7, ramp_colour(RAMP_GREY, 9));
    putpixel(b, 19, 9, ramp_colour(RAMP_GOLD, 4));
    shadow_picture(b, ramp_colour(RAMP_GREY, 10));
    return p;
}

picture make_fountain()
{
    picture p = new_picture(40, 40);
    BITMAP *b = p.get();
    const float c = 20;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c, r = std::sqrt(dx * dx + dy * dy);
            float lit = -(dx + dy) / (r + 0.01f);  // +1 toward the upper left
            if (r > 19.5f) continue;
            if (r > 16.0f) {  // the stone rim of the basin
                int shade = 3 + static_cast<int>(std::lround(1.8f * -lit)) + (r > 18.5f ? 2 : 0);
                putpixel(b, x, y, ramp_colour(RAMP_SAND, shade));
            } else if (r > 5.0f) {  // water, rippling outward from the spout
                float wave = std::sin(r * 1.35f - 0.4f * std::atan2(dy, dx));
                int shade = wave > 0.75f ? 1 : (wave > 0.0f ? 4 : 6);
                putpixel(b, x, y, ramp_colour(wave > 0.75f ? RAMP_SKY : RAMP_BLUE, shade));
            } else if (r > 3.0f) {
                putpixel(b, x, y, ramp_colour(RAMP_GREY, 3 + static_cast<int>(-lit * 1.5f)));
            } else {
                putpixel(b, x, y, r < 1.5f ? COLOUR_SPARK : ramp_colour(RAMP_SKY, 1));
            }
        }
    }
    // spray falling back into the basin
    for (int i = 0; i < 12; ++i) {
        float a = i * 2 * PI / 12 + 0.2f;
        putpixel(b, std::lround(c + std::cos(a) * 8), std::lround(c + std::sin(a) * 8),
                 COLOUR_SPARK);
    }
    circle(b, 20, 20, 16, ramp_colour(RAMP_SAND, 8));
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

picture make_tree()
{
    // A round crown of leaf clusters seen from above, lit from the upper left.
    picture p = new_picture(40, 40);
    BITMAP *b = p.get();
    struct cluster { float x, y, r; };
    constexpr cluster clusters[] = {
        {20, 20, 11}, {12, 14, 7}, {27, 12, 7}, {30, 24, 7}, {20, 30, 7},
        {10, 26, 7},  {19, 10, 6}, {24, 20, 6}, {15, 20, 6},
    };
    for (const cluster &k : clusters) {
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                float dx = x + 0.5f - k.x, dy = y + 0.5f - k.y;
                float d = std::sqrt(dx * dx + dy * dy) / k.r;
                if (d > 1) continue;
                float leaf = wrapped_noise(x * 1.0f, y * 1.0f, 16, 0x7ee) * 2.0f;
                float s = 5.5f + 2.5f * (dx + dy) / k.r / 1.4f + 2.0f * d * d + leaf;
                putpixel(b, x, y, ramp_colour(RAMP_GREEN, static_cast<int>(std::lround(s))));
            }
        }
    }
    outline_picture(b, ramp_colour(RAMP_GREEN, 14));
    return p;
}

picture make_barrier()
{
    // Two concrete road blocks with a red and white striped board between them.
    picture p = new_picture(44, 16);
    BITMAP *b = p.get();
    for (int x0 : {0, 32}) {
        rectfill(b, x0 + 1, 1, x0 + 10, 14, ramp_colour(RAMP_GREY, 4));
        rectfill(b, x0 + 3, 3, x0 + 8, 12, ramp_colour(RAMP_GREY, 2));
        vline(b, x0 + 10, 1, 14, ramp_colour(RAMP_GREY, 8));
        hline(b, x0 + 1, 14, x0 + 10, ramp_colour(RAMP_GREY, 8));
        circlefill(b, x0 + 5, 7, 1, COLOUR_AMBER);  // warning lamp
        putpixel(b, x0 + 5, 7, COLOUR_SPARK);
    }
    for (int x = 11; x < 33; ++x) {
        for (int y = 5; y <= 10; ++y) {
            bool red = ((x + y) / 4) % 2 == 0;
            putpixel(b, x, y, red ? ramp_colour(RAMP_WINE, 4) : COLOUR_WHITE);
        }
    }
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

picture make_start_marker()
{
    // A glowing ring with a star painted inside: "come here to begin".
    picture p = new_picture(32, 32);
    BITMAP *b = p.get();
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - 16, dy = y + 0.5f - 16, r = std::sqrt(dx * dx + dy * dy);
            float d = std::fabs(r - 13.0f);
            if (d < 0.8f) putpixel(b, x, y, COLOUR_SPARK);
            else if (d < 2.2f) putpixel(b, x, y, ramp_colour(RAMP_GOLD, 3));
        }
    }
    int points[20];
    for (int i = 0; i < 10; ++i) {
        float a = -PI / 2 + i * PI / 5, r = i % 2 == 0 ? 10.0f : 4.2f;
        points[2 * i] = std::lround(16 + std::cos(a) * r);
        points[2 * i + 1] = std::lround(16.5f + std::sin(a) * r);
    }
    polygon(b, 10, points, ramp_colour(RAMP_GOLD, 4));
    for (int i = 0; i < 10; i += 2)
        line(b, 16, 16, points[2 * i], points[2 * i + 1], ramp_colour(RAMP_GOLD, 1));
    outline_picture(b, ramp_colour(RAMP_GOLD, 13));
    return p;
}
