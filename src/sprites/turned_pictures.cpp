// Turned pictures for the contact tests: a sprite's picture turned and scaled as the screen
// shows it, drawn once and kept while the sprite keeps its heading and its picture. A car that
// drives straight, stands parked or waits at a corner is met by its neighbours tick after tick
// at the same heading: its turned picture is looked up, not drawn again. The library turns a
// picture in whole-pixel steps from its corner, so the same picture drawn with its corner
// elsewhere is the same pixels moved, however much of it the target bitmap cuts away.
#include <cstdlib>

#include "frame/frame.h"
#include "sprites/sprites.h"

namespace {
// Enough for the sprites about one crowded corner of the city; the one used longest ago goes.
constexpr int KEPT = 24;

struct TurnedPicture {
    BITMAP *source = nullptr;  // null: a free place
    fixed angle = 0, scale = 0;
    BITMAP *picture = nullptr;  // may be larger than needed: kept for the next picture
    int left = 0, top = 0;      // where the source's corner is drawn in it
    int w = 0, h = 0;           // the part of it this picture uses
    uint32_t used = 0;
};

TurnedPicture kept[KEPT];
uint32_t uses = 0;

int64_t square_root_up(int64_t v)
{
    int64_t r = 0;
    while (r * r < v) r++;
    return r;
}

// The library turns a picture about the point its width and height times its scale, halved,
// from its corner; turned, it stays within half its diagonal, times its scale, of that point. The
// corner is put so that point falls on (reach, reach) give or take a pixel; a few pixels more
// cover the library's rounding at the edges.
void draw_turned(TurnedPicture &t, BITMAP *source, fixed angle, fixed scale)
{
    int64_t diagonal = square_root_up((int64_t)source->w * source->w + (int64_t)source->h * source->h);
    int reach = (int)((diagonal * scale + 0x1FFFF) >> 17) + 4;
    int w = 2 * reach + 2, h = 2 * reach + 2;
    if (!t.picture || t.picture->w < w || t.picture->h < h) {
        if (t.picture) destroy_bitmap(t.picture);
        t.picture = create_bitmap(w, h);
        if (!t.picture) fatal_error("Out of memory for a turned picture!");
    }
    t.source = source, t.angle = angle, t.scale = scale, t.w = w, t.h = h;
    t.left = reach - (int)(((int64_t)source->w * scale / 2) >> 16);
    t.top = reach - (int)(((int64_t)source->h * scale / 2) >> 16);
    rectfill(t.picture, 0, 0, w - 1, h - 1, 0);
    rotate_scaled_sprite(t.picture, source, t.left, t.top, angle, scale);
}

TurnedPicture &turned(BITMAP *source, fixed angle, fixed scale)
{
    TurnedPicture *oldest = &kept[0];
    for (TurnedPicture &t : kept) {
        if (t.source == source && t.angle == angle && t.scale == scale) {
            t.used = ++uses;
            return t;
        }
        if (t.used < oldest->used) oldest = &t;
    }
    draw_turned(*oldest, source, angle, scale);
    oldest->used = ++uses;
    return *oldest;
}
}  // namespace

int turned_pixel(BITMAP *source, fixed angle, fixed scale, int x, int y)
{
    const TurnedPicture &t = turned(source, angle, scale);
    x += t.left, y += t.top;
    if (x < 0 || y < 0 || x >= t.w || y >= t.h) return 0;
    return t.picture->line[y][x];
}

void forget_turned_pictures(BITMAP *source)
{
    for (TurnedPicture &t : kept)
        if (!source || t.source == source) t.source = nullptr, t.used = 0;
}
