// The game's own lettering: one 5 x 9 design per printable ASCII character, and the ways it is
// enlarged: the bold lettering of the menus and the banner, and the title name.
#pragma once
#include <cstdint>
#include <vector>

// Letters are 5 wide; capitals and digits use rows 0..6, descenders reach rows 7 and 8.
constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_HEIGHT = 9;
constexpr int GLYPH_CAP_HEIGHT = 7;
constexpr int FIRST_GLYPH = 32;
constexpr int LAST_GLYPH = 126;

// A one-bit picture.
struct glyph_mask {
    int w = 0, h = 0;
    std::vector<uint8_t> bits;

    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < w && y < h && bits[y * w + x] != 0;
    }
    void set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < w && y < h) bits[y * w + x] = 1;
    }
};

glyph_mask empty_mask(int w, int h);
// The design of character c (a blank for characters outside 32..126).
glyph_mask glyph_of(int c);
// Doubles a mask, rounding off the staircase of diagonals (the Scale2x rule).
glyph_mask scale2x(const glyph_mask &m);
// Slants a mask: row y moves right by (h - 1 - y) * slant pixels (the mask grows wider).
glyph_mask slanted(const glyph_mask &m, float slant);
// The lettering of the menus and the banner, tall and heavy: each design drawn with strokes
// through nodes about 2.5 px apart across and 4 px apart down, square where strokes run
// straight and round on the diagonals. 13 px wide, capitals 28 px tall, descenders to row 35.
constexpr int BOLD_WIDTH = 13;
constexpr int BOLD_HEIGHT = 36;
constexpr int BOLD_CAP_HEIGHT = 28;
glyph_mask bold_glyph(int c);
// A line in that lettering, `advance` px a character.
glyph_mask bold_text_mask(const char *text, int advance);
// A line of text as one mask: each glyph doubled `scale_steps` times, placed `advance` pixels
// apart.
glyph_mask text_mask(const char *text, int scale_steps, int advance);
