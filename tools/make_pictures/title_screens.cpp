// title.dat: the opening picture (the game's name over the night city), the calmer menu
// background, and the mouse pointer.
#include "city_scene.h"
#include "glyphs.h"
#include "pictures.h"
#include "rgb_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr const char *GAME_NAME = "SKIDRUNNER";

glyph_mask padded(const glyph_mask &m, int pad)
{
    glyph_mask out = empty_mask(m.w + 2 * pad, m.h + 2 * pad);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.at(x, y)) out.set(x + pad, y + pad);
    return out;
}

// Distance (up to `reach`) from each pixel to the nearest inked pixel; reach + 1 when farther.
std::vector<float> distance_to_ink(const glyph_mask &m, int reach)
{
    std::vector<float> d(static_cast<size_t>(m.w * m.h), float(reach + 1));
    for (int y = 0; y < m.h; ++y) {
        for (int x = 0; x < m.w; ++x) {
            if (!m.at(x, y)) continue;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    int px = x + dx, py = y + dy;
                    if (px < 0 || py < 0 || px >= m.w || py >= m.h) continue;
                    float &v = d[static_cast<size_t>(py * m.w + px)];
                    v = std::min(v, std::sqrt(float(dx * dx + dy * dy)));
                }
            }
        }
    }
    return d;
}

struct lettering_style {
    int scale_steps;   // doublings of the 5 x 9 letters
    int advance;       // pixels per letter
    float slant;       // lean to the right, for speed
    int depth;         // pixels of the extruded side
    int outline;       // rim width
    float glow;        // strength of the orange halo
};

// Big gold letters: a halo, a drop shadow, an extruded side, a dark rim and a gradient face.
void draw_lettering(rgb_canvas &canvas, const char *text, int centre_x, int top,
                    const lettering_style &style)
{
    const int pad = 14;
    glyph_mask face = padded(slanted(text_mask(text, style.scale_steps, style.advance),
                                     style.slant), pad);
    int used_w = int(std::strlen(text)) * style.advance -
                 (style.advance - (GLYPH_WIDTH << style.scale_steps));
    int x0 = centre_x - used_w / 2 - pad - int((face.h - 2 * pad) * style.slant / 2);
    int y0 = top - pad;
    std::vector<float> dist = distance_to_ink(face, pad - 1);
    const float cap_h = float(GLYPH_CAP_HEIGHT << style.scale_steps);
    for (int y = 0; y < face.h; ++y) {
        for (int x = 0; x < face.w; ++x) {
            float d = dist[static_cast<size_t>(y * face.w + x)];
            int cx = x0 + x, cy = y0 + y;
            if (style.glow > 0 && d > 0 && d < pad - 1)
                add_light(canvas, cx, cy, {255, 120, 30}, style.glow * (1 - d / (pad - 1)));
            if (face.at(x - style.depth - 2, y - style.depth - 3))
                blend_pixel(canvas, cx, cy, {0, 0, 0}, 0.6f);
        }
    }
    for (int k = style.depth; k >= 1; --k)  // the extruded side, darkest at the back
        stamp_mask(canvas, face, x0 + k, y0 + k, {float(150 - k * 12), float(40 - k * 4), 12},
                   1.0f);
    for (int y = 0; y < face.h; ++y)
        for (int x = 0; x < face.w; ++x)
            if (!face.at(x, y) && dist[static_cast<size_t>(y * face.w + x)] <= style.outline)
                blend_pixel(canvas, x0 + x, y0 + y, {28, 8, 4}, 1.0f);
    for (int y = 0; y < face.h; ++y) {
        float t = std::clamp((y - pad) / cap_h, 0.0f, 1.0f);
        rgb_colour c = t < 0.5f ? rgb_colour{255, 248 - t * 120, 180 - t * 300}
                                : rgb_colour{255 - (t - 0.5f) * 40, 188 - (t - 0.5f) * 200, 30};
        bool shine = t > 0.42f && t < 0.5f;
        for (int x = 0; x < face.w; ++x)
            if (face.at(x, y))
                blend_pixel(canvas, x0 + x, y0 + y, shine ? rgb_colour{255, 252, 225} : c, 1);
    }
}

// A line of text in the menu's bold lettering (16 pixels a character), with a dark rim.
void draw_caption(rgb_canvas &canvas, const char *text, int centre_x, int top, rgb_colour fill)
{
    glyph_mask m = padded(bold_text_mask(text, 16), 2);
    int x0 = centre_x - int(std::strlen(text)) * 8 - 2, y0 = top - 2;
    std::vector<float> dist = distance_to_ink(m, 2);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (!m.at(x, y) && dist[static_cast<size_t>(y * m.w + x)] <= 1.5f)
                blend_pixel(canvas, x0 + x, y0 + y, {12, 6, 4}, 0.9f);
    stamp_mask(canvas, m, x0, y0, fill, 1.0f);
}

// Darkens rows y0..y1, fading in over `feather` rows at each end.
void darken_band(rgb_canvas &canvas, int y0, int y1, int feather, float opacity)
{
    for (int y = std::max(0, y0); y <= std::min(canvas.h - 1, y1); ++y) {
        float edge = std::min(float(y - y0), float(y1 - y)) / feather;
        float a = opacity * std::clamp(edge, 0.0f, 1.0f);
        for (int x = 0; x < canvas.w; ++x) blend_pixel(canvas, x, y, {4, 4, 10}, a);
    }
}

rgb_canvas lit_scene(const city_scene &scene, float brightness)
{
    rgb_canvas canvas = canvas_from_picture(scene.ground.get());
    draw_skid_marks(canvas, scene);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (scene.sprites->line[y][x])
                canvas.at(x, y) = rgb_of_index(scene.sprites->line[y][x]);
    light_the_night(canvas, scene, brightness);
    add_tyre_smoke(canvas, scene);
    return canvas;
}

picture opening_picture(const city_scene &scene, const PALETTE pal)
{
    rgb_canvas canvas = lit_scene(scene, 1.0f);
    darken_band(canvas, -40, 150, 40, 0.7f);
    draw_lettering(canvas, GAME_NAME, 320, 28, {3, 54, 0.22f, 5, 3, 0.55f});
    draw_caption(canvas, "STEAL IT. DRIVE IT. LOSE THEM.", 320, 118, {200, 215, 240});
    darken_band(canvas, 418, 520, 20, 0.65f);
    draw_caption(canvas, "Press Enter", 320, 440, {255, 236, 120});
    return dithered_picture(canvas, pal);
}

picture menu_picture(const city_scene &scene, const PALETTE pal)
{
    rgb_canvas canvas = lit_scene(scene, 0.7f);
    darken_band(canvas, -40, 140, 30, 0.6f);
    draw_lettering(canvas, GAME_NAME, 320, 36, {2, 28, 0.22f, 3, 2, 0.4f});
    // the calm panel the menu rows are printed on
    const int x0 = 140, y0 = 160, x1 = 520, y1 = 462;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            bool rim = x == x0 || x == x1 || y == y0 || y == y1;
            blend_pixel(canvas, x, y, rim ? rgb_colour{200, 140, 40} : rgb_colour{6, 6, 14},
                        rim ? 0.7f : 0.72f);
        }
    }
    return dithered_picture(canvas, pal);
}

// The mouse pointer: a white arrow with a dark rim, tip at the top-left pixel.
picture pointer()
{
    static constexpr const char *rows[] = {
        "X...........", "XX..........", "XWX.........", "XWWX........",
        "XWWWX.......", "XWWWWX......", "XWWWWWX.....", "XWWWWWWX....",
        "XWWWWWWWX...", "XWWWWWWWWX..", "XWWWWWXXXXX.", "XWWXWWX.....",
        "XWX.XWWX....", "XX...XWWX...", "X....XWWX...", "......XX....",
    };
    picture p = new_picture(12, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 12; ++x) {
            char c = rows[y][x];
            int shade = x + y > 14 ? ramp_colour(RAMP_GREY, 2) : COLOUR_WHITE;
            if (c == 'X') putpixel(p.get(), x, y, COLOUR_OUTLINE);
            if (c == 'W') putpixel(p.get(), x, y, shade);
        }
    }
    return p;
}

}  // namespace

picture_set make_title_pictures(const PALETTE pal)
{
    city_scene scene = make_city_scene();
    picture_set set;
    set.push_back({indexed_name(0, "menu"), menu_picture(scene, pal)});
    set.push_back({indexed_name(1, "spare"), pointer()});
    set.push_back({indexed_name(2, "pointer"), pointer()});
    set.push_back({indexed_name(3, "spare"), pointer()});
    set.push_back({indexed_name(4, "title"), opening_picture(scene, pal)});
    return set;
}
