// The two fonts as the datafile tool reads them: a grid of character cells, one per character
// from 32 to 126, each cell fenced by a line of colour 255 above and to the left. The ink is one
// colour, so the game can print them in any colour it likes.
#include "glyphs.h"
#include "pictures.h"

namespace {

constexpr int GRID_FENCE = 255;
constexpr int GRID_INK = 15;
constexpr int CELLS_PER_ROW = 16;

struct font_shape {
    int cell_w, cell_h;  // the advance and line height of the font
    int ink_x, ink_y;    // where the glyph sits in its cell
    bool bold;           // the bold lettering, or the design as drawn
};

// HUD and mission texts: the design as drawn, in 8 x 10 cells.
constexpr font_shape game_font_shape = {8, 10, 1, 1, false};
// Menu rows and the banner: the bold lettering, tall enough that "Busted!" cannot be missed,
// 16 px per character as the banner's centring counts (its 13 px of ink sit a pixel in).
constexpr font_shape menu_font_shape = {16, BOLD_HEIGHT + 1, 1, 0, true};

picture font_grid(const font_shape &shape)
{
    const int count = LAST_GLYPH - FIRST_GLYPH + 1;
    const int rows = (count + CELLS_PER_ROW - 1) / CELLS_PER_ROW;
    picture grid =
        new_picture(CELLS_PER_ROW * (shape.cell_w + 1) + 1, rows * (shape.cell_h + 1) + 1);
    clear_to_color(grid.get(), GRID_FENCE);
    for (int i = 0; i < count; ++i) {
        int cx = 1 + (i % CELLS_PER_ROW) * (shape.cell_w + 1);
        int cy = 1 + (i / CELLS_PER_ROW) * (shape.cell_h + 1);
        rectfill(grid.get(), cx, cy, cx + shape.cell_w - 1, cy + shape.cell_h - 1, 0);
        glyph_mask g = shape.bold ? bold_glyph(FIRST_GLYPH + i) : glyph_of(FIRST_GLYPH + i);
        for (int y = 0; y < g.h; ++y) {
            for (int x = 0; x < g.w; ++x) {
                int px = shape.ink_x + x, py = shape.ink_y + y;
                if (g.at(x, y) && px < shape.cell_w && py < shape.cell_h)
                    putpixel(grid.get(), cx + px, cy + py, GRID_INK);
            }
        }
    }
    return grid;
}

}  // namespace

picture_set make_font_grids()
{
    picture_set set;
    set.push_back({indexed_name(0, "game_font"), font_grid(game_font_shape)});
    set.push_back({indexed_name(1, "menu_font"), font_grid(menu_font_shape)});
    set.push_back({indexed_name(2, "spare_font"), font_grid(game_font_shape)});
    return set;
}
