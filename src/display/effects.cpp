// The night overlay and the in-place repainting of sprite pictures.
#include "display/display.h"
#include "display/palette.h"
#include "frame/platform.h"

void draw_night_overlay()
{
    color_map = &light_table;
    draw_trans_sprite(buffer, light_overlay, 0, 0);
    color_map = &trans_table;
}

// Sprite pictures are 8-bit memory bitmaps: their rows are read and written directly.
BITMAP *shift_colour_ramp(BITMAP *bitmap, int n)
{
    for (int y = 0; y < bitmap->h; y++) {
        unsigned char *row = bitmap->line[y];
        for (int x = 0; x < bitmap->w; x++)
            if (row[x] >= PAINT_FIRST && row[x] <= PAINT_LAST) row[x] = row[x] - RAMP_SIZE * n;
    }
    return bitmap;
}

BITMAP *dent_bitmap(BITMAP *bitmap)
{
    int w = bitmap->w;
    int points[6] = {w / 4, 0, 3 * (w / 4), 0, w / 2, 4};
    polygon(bitmap, 3, points, COLOUR_TRANSPARENT);
    return bitmap;
}

BITMAP *scorch_bitmap(BITMAP *bitmap)
{
    for (int y = 0; y < bitmap->h; y++) {
        unsigned char *row = bitmap->line[y];
        for (int x = 0; x < bitmap->w; x++) {
            int c = row[x];
            if (c == COLOUR_TRANSPARENT || (c >= COLOUR_CHARRED_FIRST && c <= COLOUR_WRECK_DARK))
                continue;
            row[x] = (unsigned char)(COLOUR_WRECK_DARK - (int)(cosmetic_random() % 2));
        }
    }
    return bitmap;
}
