// Drawing the city around the camera: floors, then walls, then roofs that lean outward.
#include "display/display.h"
#include "display/palette.h"
#include "frame/frame.h"
#include "map/map.h"

namespace {
// A roof is lifted by L = 9 pixels: drawn 82 wide, moved up and left by 9.
constexpr int LIFT = 9 / (64 / tile_size);
constexpr int ROOF_SIZE = tile_size + 2 * LIFT;
constexpr int HALF = tile_size / 2;

// Floors with no transparent pixel: copied whole, which is what a masked draw of them does.
bool floor_opaque[TILE_CODE_COUNT];
// The roof picture at its drawn size, stretched once per tile set instead of once per building
// per frame; its transparent pixels stay transparent.
BITMAP *stretched_roof = nullptr;

bool has_transparent_pixel(BITMAP *b)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (b->line[y][x] == 0) return true;
    return false;
}

bool is_building(int cx, int cy) { return tile_at(cx, cy) == TILE_BUILDING; }

// The walls of a building cell, but for a side it shares with another building: that wall is
// covered by the neighbour's roof and by the two buildings' other walls.
void draw_building_walls(int cx, int cy, int sx, int sy, int rx, int ry)
{
    const int T = tile_size, R = ROOF_SIZE;
    if (!is_building(cx, cy - 1))
        draw_wall_quad(rx, ry, sx, sy, sx + T, sy, rx + R, ry, COLOUR_WALL);
    if (!is_building(cx, cy + 1))
        draw_wall_quad(rx, ry + R, sx, sy + T, sx + T, sy + T, rx + R, ry + R, COLOUR_WALL);
    if (!is_building(cx - 1, cy))
        draw_wall_quad(rx, ry, sx, sy, sx, sy + T, rx, ry + R, COLOUR_WALL);
    if (!is_building(cx + 1, cy))
        draw_wall_quad(rx + R, ry, sx + T, sy, sx + T, sy + T, rx + R, ry + R, COLOUR_WALL);
}

void draw_cell(int pass, int cx, int cy, int sx, int sy)
{
    int t = tile_at(cx, cy);
    // The roof plane is the floor plane scaled by 5/4 about the screen centre.
    int rx = sx + (sx - screen_width / 2) / 4 - LIFT;
    int ry = sy + (sy - screen_height / 2) / 4 - LIFT;
    const int T = tile_size, R = ROOF_SIZE;
    switch (pass) {
    case MAP_PASS_GROUND:
        if (t == TILE_BUILDING) break;
        if (floor_opaque[t])
            blit(tile_bitmaps[t], buffer, 0, 0, sx, sy, T, T);
        else
            draw_sprite(buffer, tile_bitmaps[t], sx, sy);
        break;
    case MAP_PASS_WALLS:
        if (t == TILE_WALL) {
            draw_wall_quad(rx + HALF, ry, sx + HALF, sy, sx + HALF, sy + T, rx + HALF, ry + R,
                           COLOUR_WALL);
        } else if (t == TILE_BUILDING) {
            draw_building_walls(cx, cy, sx, sy, rx, ry);
        }
        break;
    case MAP_PASS_ROOFS:
        if (t == TILE_BUILDING || t == TILE_ROOF)
            draw_sprite(buffer, stretched_roof, rx, ry);
        break;
    default: break;
    }
}
}  // namespace

void draw_wall_quad(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int colour)
{
    int points[8] = {x1, y1, x2, y2, x3, y3, x4, y4};
    polygon(buffer, 4, points, colour);
}

void prepare_map_pictures()
{
    for (int code = 0; code < TILE_CODE_COUNT; code++)
        floor_opaque[code] = tile_bitmaps[code]->w == tile_size &&
                             tile_bitmaps[code]->h == tile_size &&
                             !has_transparent_pixel(tile_bitmaps[code]);
    if (!stretched_roof) stretched_roof = create_bitmap(ROOF_SIZE, ROOF_SIZE);
    if (!stretched_roof) fatal_error("Error loading tiles.dat!");
    clear_bitmap(stretched_roof);
    stretch_sprite(stretched_roof, tile_bitmaps[TILE_BUILDING], 0, 0, ROOF_SIZE, ROOF_SIZE);
}

void draw_map(int pass)
{
    if (pass < MAP_PASS_GROUND || pass > MAP_PASS_ROOFS) return;
    int ccx = camera_x / 64, ccy = camera_y / 64;
    int hx = (screen_width / 64) / 2, hy = (screen_height / 64) / 2;
    // Columns left to right, rows top to bottom: a later cell's roof covers an earlier one's.
    for (int cx = ccx - hx - 1; cx <= ccx + hx + 1; cx++)
        for (int cy = ccy - hy - 1; cy <= ccy + hy + 1; cy++) {
            int sx = cx * tile_size - camera_x + screen_width / 2;
            int sy = cy * tile_size - camera_y + screen_height / 2;
            draw_cell(pass, cx, cy, sx, sy);
        }
}

void draw_map_plainly(int pass)
{
    const int T = tile_size, R = ROOF_SIZE, cw = screen_width / 2, ch = screen_height / 2;
    int ccx = camera_x / T, ccy = camera_y / T;
    for (int cx = ccx - 6; cx <= ccx + 6; cx++)
        for (int cy = ccy - 4; cy <= ccy + 4; cy++) {
            int t = tile_at(cx, cy);
            int sx = cx * T - camera_x + cw, sy = cy * T - camera_y + ch;
            int rx = sx + (sx - cw) / 4 - LIFT, ry = sy + (sy - ch) / 4 - LIFT;
            if (pass == MAP_PASS_GROUND && t != TILE_BUILDING)
                draw_sprite(buffer, tile_bitmaps[t], sx, sy);
            if (pass == MAP_PASS_WALLS && t == TILE_WALL)
                draw_wall_quad(rx + HALF, ry, sx + HALF, sy, sx + HALF, sy + T, rx + HALF, ry + R,
                               COLOUR_WALL);
            if (pass == MAP_PASS_WALLS && t == TILE_BUILDING) {
                draw_wall_quad(rx, ry, sx, sy, sx + T, sy, rx + R, ry, COLOUR_WALL);
                draw_wall_quad(rx, ry + R, sx, sy + T, sx + T, sy + T, rx + R, ry + R, COLOUR_WALL);
                draw_wall_quad(rx, ry, sx, sy, sx, sy + T, rx, ry + R, COLOUR_WALL);
                draw_wall_quad(rx + R, ry, sx + T, sy, sx + T, sy + T, rx + R, ry + R, COLOUR_WALL);
            }
            if (pass == MAP_PASS_ROOFS && (t == TILE_BUILDING || t == TILE_ROOF))
                stretch_sprite(buffer, tile_bitmaps[TILE_BUILDING], rx, ry, R, R);
        }
}
