// The one PNG writer of our tools: make_pictures writes the menu icon with it, render_map the
// picture of the city.
#pragma once
#include <cstdint>
#include <string>

// Writes w x h pixels, rows top down, 3 bytes a pixel (red, green, blue) or 4 with alpha; false
// when the file cannot be written.
bool write_png_file(const std::string &path, int w, int h, bool alpha, const uint8_t *pixels);
