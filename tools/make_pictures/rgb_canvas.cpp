#include "rgb_canvas.h"

#include <algorithm>
#include <cmath>
#include <memory>

rgb_colour rgb_of_index(int index)
{
    rgb8 c = colour_rgb(index);
    return {float(c.r), float(c.g), float(c.b)};
}

rgb_canvas canvas_from_picture(const BITMAP *b)
{
    rgb_canvas canvas;
    canvas.w = b->w;
    canvas.h = b->h;
    canvas.px.resize(static_cast<size_t>(b->w * b->h));
    rgb_colour lookup[256];
    for (int i = 0; i < 256; ++i) lookup[i] = rgb_of_index(i);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) canvas.at(x, y) = lookup[b->line[y][x]];
    return canvas;
}

void blend_pixel(rgb_canvas &canvas, int x, int y, rgb_colour c, float alpha)
{
    if (!canvas.inside(x, y) || alpha <= 0) return;
    alpha = std::min(alpha, 1.0f);
    rgb_colour &p = canvas.at(x, y);
    p.r += (c.r - p.r) * alpha;
    p.g += (c.g - p.g) * alpha;
    p.b += (c.b - p.b) * alpha;
}

void add_light(rgb_canvas &canvas, int x, int y, rgb_colour c, float amount)
{
    if (!canvas.inside(x, y) || amount <= 0) return;
    rgb_colour &p = canvas.at(x, y);
    p.r += c.r * amount;
    p.g += c.g * amount;
    p.b += c.b * amount;
}

void tint_canvas(rgb_canvas &canvas, rgb_colour tint)
{
    for (rgb_colour &p : canvas.px) {
        p.r *= tint.r;
        p.g *= tint.g;
        p.b *= tint.b;
    }
}

void add_glow(rgb_canvas &canvas, float cx, float cy, float radius, rgb_colour c, float strength)
{
    for (int y = static_cast<int>(cy - radius); y <= cy + radius; ++y) {
        for (int x = static_cast<int>(cx - radius); x <= cx + radius; ++x) {
            float d = std::hypot(x - cx, y - cy) / radius;
            if (d >= 1) continue;
            float k = (1 - d) * (1 - d);
            add_light(canvas, x, y, c, strength * k);
        }
    }
}

void add_beam(rgb_canvas &canvas, float x, float y, float angle, float spread, float length,
              rgb_colour c, float strength)
{
    for (int py = static_cast<int>(y - length); py <= y + length; ++py) {
        for (int px = static_cast<int>(x - length); px <= x + length; ++px) {
            float dx = px - x, dy = py - y, d = std::hypot(dx, dy);
            if (d < 1 || d > length) continue;
            float off = std::remainder(std::atan2(dy, dx) - angle, 6.2831853f);
            float side = std::fabs(off) / spread;
            if (side >= 1) continue;
            float k = (1 - side * side) * (1 - d / length) * std::min(1.0f, d / 10);
            add_light(canvas, px, py, c, strength * k);
        }
    }
}

void add_haze(rgb_canvas &canvas, float cx, float cy, float radius, rgb_colour c, float opacity)
{
    for (int y = static_cast<int>(cy - radius); y <= cy + radius; ++y) {
        for (int x = static_cast<int>(cx - radius); x <= cx + radius; ++x) {
            float d = std::hypot(x - cx, y - cy) / radius;
            if (d < 1) blend_pixel(canvas, x, y, c, opacity * (1 - d * d));
        }
    }
}

void stamp_mask(rgb_canvas &canvas, const glyph_mask &m, int x0, int y0, rgb_colour c, float alpha)
{
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.at(x, y)) blend_pixel(canvas, x0 + x, y0 + y, c, alpha);
}

picture dithered_picture(const rgb_canvas &canvas, const PALETTE pal)
{
    auto table = std::make_unique<RGB_MAP>();
    create_rgb_table(table.get(), pal, nullptr);
    picture p = new_picture(canvas.w, canvas.h);
    constexpr float amplitude = 18.0f;
    for (int y = 0; y < canvas.h; ++y) {
        for (int x = 0; x < canvas.w; ++x) {
            rgb_colour c = canvas.px[static_cast<size_t>(y * canvas.w + x)];
            float t = (dither_threshold(x, y) - 0.5f) * amplitude;
            auto level = [t](float v) { return clamp_int(static_cast<int>(v + t), 0, 255) >> 3; };
            int index = table->data[level(c.r)][level(c.g)][level(c.b)];
            // the rgb table may answer 0 for black; 0 is kept for transparency
            p->line[y][x] = static_cast<unsigned char>(index == 0 ? COLOUR_OUTLINE : index);
        }
    }
    return p;
}
