#include "png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>

bool write_png_file(const std::string &path, int w, int h, bool alpha, const uint8_t *pixels)
{
    std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, w, h, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t row = (size_t)w * (alpha ? 4 : 3);
    for (int y = 0; y < h; y++) png_write_row(png, const_cast<png_bytep>(pixels + y * row));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
