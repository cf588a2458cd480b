// The menu icon: the skidrunner's red car sliding across a night road on a rounded square of
// asphalt, drawn in the game's palette like every other picture, and written as PNG files at
// the sizes the desktop's icon themes look for.
#include "game_palette.h"
#include "pictures.h"

#include "png_file/png_file.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int ICON_SIZE = 64;
// The sizes written: the drawn picture, its pixels doubled and quadrupled, and two smaller
// ones averaged down from the largest.
constexpr int ICON_SIZES[] = {32, 48, 64, 128, 256};

struct rgba_picture {
    int size;
    std::vector<unsigned char> pixels;  // r g b a, row by row
};

picture make_icon_picture()
{
    picture icon = new_picture(ICON_SIZE, ICON_SIZE);
    BITMAP *b = icon.get();
    fill_rounded_rect(b, 0, 0, ICON_SIZE - 1, ICON_SIZE - 1, 12, COLOUR_OUTLINE);
    fill_rounded_rect(b, 2, 2, ICON_SIZE - 3, ICON_SIZE - 3, 10, ramp_colour(RAMP_SLATE, 11));
    // Kerbs along the top and bottom, the lane dashes between.
    rectfill(b, 6, 7, ICON_SIZE - 7, 8, ramp_colour(RAMP_GREY, 6));
    rectfill(b, 6, ICON_SIZE - 9, ICON_SIZE - 7, ICON_SIZE - 8, ramp_colour(RAMP_GREY, 6));
    for (int x = 4; x < ICON_SIZE - 6; x += 12) rectfill(b, x, 31, x + 6, 32, COLOUR_LINE_WHITE);
    // The rear tyres' black arcs, swinging in from the lower left.
    for (int i = 0; i < 20; ++i) {
        int x = 8 + i, y = 50 - i * i / 28;
        rectfill(b, x, y, x + 1, y + 1, COLOUR_OUTLINE);
        rectfill(b, x + 7, y + 6, x + 8, y + 7, COLOUR_OUTLINE);
    }
    picture car = make_car_picture(car_model_named("muscle"), false);
    fixed scale = itofix(78) / 100;
    int w = fixtoi(fixmul(itofix(car->w), scale)), h = fixtoi(fixmul(itofix(car->h), scale));
    // Nose to the upper right, an eighth of a turn off the road's line: a slide.
    rotate_scaled_sprite(b, car.get(), 34 - w / 2, 31 - h / 2, itofix(40), scale);
    return icon;
}

rgba_picture rgba_of(const BITMAP *b, int times)
{
    rgba_picture out{b->w * times, {}};
    out.pixels.resize((size_t)out.size * out.size * 4);
    for (int y = 0; y < out.size; ++y) {
        for (int x = 0; x < out.size; ++x) {
            int index = b->line[y / times][x / times];
            rgb8 c = colour_rgb(index);
            unsigned char *p = &out.pixels[((size_t)y * out.size + x) * 4];
            p[0] = (unsigned char)c.r, p[1] = (unsigned char)c.g, p[2] = (unsigned char)c.b;
            p[3] = index == 0 ? 0 : 255;
        }
    }
    return out;
}

// Each pixel the average of the larger picture's pixels under it, colours weighted by their
// opacity, so the transparent corners leave no dark fringe.
rgba_picture averaged_down(const rgba_picture &big, int size)
{
    rgba_picture out{size, std::vector<unsigned char>((size_t)size * size * 4)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            long sum[4] = {0, 0, 0, 0}, count = 0;
            for (int sy = y * big.size / size; sy < (y + 1) * big.size / size; ++sy) {
                for (int sx = x * big.size / size; sx < (x + 1) * big.size / size; ++sx) {
                    const unsigned char *p = &big.pixels[((size_t)sy * big.size + sx) * 4];
                    for (int k = 0; k < 3; ++k) sum[k] += p[k] * p[3];
                    sum[3] += p[3];
                    count++;
                }
            }
            unsigned char *q = &out.pixels[((size_t)y * size + x) * 4];
            for (int k = 0; k < 3; ++k) q[k] = (unsigned char)(sum[3] ? sum[k] / sum[3] : 0);
            q[3] = (unsigned char)(sum[3] / count);
        }
    }
    return out;
}

bool write_png(const rgba_picture &picture, const std::string &path)
{
    return write_png_file(path, picture.size, picture.size, true, picture.pixels.data());
}
}  // namespace

bool write_icons(const std::filesystem::path &folder)
{
    picture icon = make_icon_picture();
    rgba_picture largest = rgba_of(icon.get(), 256 / ICON_SIZE);
    for (int size : ICON_SIZES) {
        rgba_picture picture = size % ICON_SIZE == 0 ? rgba_of(icon.get(), size / ICON_SIZE)
                                                     : averaged_down(largest, size);
        std::filesystem::path sized = folder / (std::to_string(size) + "x" + std::to_string(size));
        std::filesystem::create_directories(sized);
        if (!write_png(picture, (sized / "skidrunner.png").string())) {
            std::fprintf(stderr, "make_pictures: cannot write the %d px icon\n", size);
            return false;
        }
    }
    return true;
}
