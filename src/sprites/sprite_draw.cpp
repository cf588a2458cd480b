// Drawing the sprites between the map's floor and its walls, and their paint shades.
#include "display/display.h"
#include "frame/frame.h"
#include "map/map.h"
#include "sprites/sprites.h"

namespace {
// Large rotated pictures slide in at the screen edges.
constexpr int SCREEN_MARGIN = 64;

void draw_one_sprite(const Sprite *s)
{
    BITMAP *b = sprite_bitmap(s);
    if (!b) return;
    int sx = s->x - b->w / 2 - camera_x + screen_width / 2;
    int sy = s->y - b->h / 2 - camera_y + screen_height / 2;
    if (sx < -SCREEN_MARGIN || sx > screen_width + SCREEN_MARGIN) return;
    if (sy < -SCREEN_MARGIN || sy > screen_height + SCREEN_MARGIN) return;
    if (s->flags & SPRITE_TRANSLUCENT)
        draw_trans_sprite(buffer, b, sx, sy);
    else
        rotate_scaled_sprite(buffer, b, sx, sy, s->angle + itofix(64), s->scale);
}
}  // namespace

void draw_sprites()
{
    // Marks on the ground first, then people and cars, then what flies above them.
    static const int pass_layers[3] = {LAYER_BOTTOM, LAYER_MIDDLE, LAYER_TOP};
    for (int layer : pass_layers)
        for (const Sprite *s = sprite_list; s; s = s->next)
            if (sprite_layer(s) == layer) draw_one_sprite(s);
}

void recolour_sprite(Sprite *s) { paint_sprite(s, next_random() % 8); }

void paint_sprite(Sprite *s, int shade)
{
    // One shade for every picture, so a car keeps its colour when its door opens.
    for (int i = 0; i < s->image_count; i++)
        if (s->images[i].bitmap) shift_colour_ramp(own_picture(s, i), shade);
}
