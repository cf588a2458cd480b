// The city drawn flat, as from high above: every floor picture at its cell, buildings as their
// roof picture with a dark outline so that each block reads as one building, thin walls down
// the middle of their cell, arcades as floor seen through a roof in a checker pattern.
#include "city_picture.h"

#include "png_file/png_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "display/palette.h"
#include "map/map.h"
#include "sprites/sprites.h"

namespace {

constexpr int CELL = 64;

int32_t le32(const unsigned char *b)
{
    return (int32_t)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 |
                     (uint32_t)b[3] << 24);
}

int code_at(const map_contents &map, int x, int y)
{
    if (x < 0 || y < 0 || x >= MAP_SIZE || y >= MAP_SIZE) return TILE_BUILDING;
    int code = map.cells[y * MAP_SIZE + x];
    return (code >= 0 && code < TILE_CODE_COUNT) ? code : TILE_BUILDING;
}

BITMAP *tile_picture(DATAFILE *tiles, int code)
{
    return (BITMAP *)tiles[tile_object_of_code[code]].dat;
}

// The dark edges of a building cell wherever its neighbour is not a building.
void outline_building(BITMAP *world, const map_contents &map, int x, int y, int sx, int sy)
{
    if (code_at(map, x, y - 1) != TILE_BUILDING) rectfill(world, sx, sy, sx + 63, sy + 1, COLOUR_WALL);
    if (code_at(map, x, y + 1) != TILE_BUILDING) rectfill(world, sx, sy + 62, sx + 63, sy + 63, COLOUR_WALL);
    if (code_at(map, x - 1, y) != TILE_BUILDING) rectfill(world, sx, sy, sx + 1, sy + 63, COLOUR_WALL);
    if (code_at(map, x + 1, y) != TILE_BUILDING) rectfill(world, sx + 62, sy, sx + 63, sy + 63, COLOUR_WALL);
}

// Every other pixel of the roof over an arcade's floor: the passage stays visible.
void draw_arcade_roof(BITMAP *world, BITMAP *roof, int sx, int sy)
{
    for (int j = 0; j < CELL; j++)
        for (int i = (j & 1); i < CELL; i += 2) {
            int c = getpixel(roof, i * roof->w / CELL, j * roof->h / CELL);
            if (c > 0) putpixel(world, sx + i, sy + j, c);
        }
}

void draw_objects(BITMAP *world, const map_contents &map, const cell_area &area, DATAFILE *sprites)
{
    int count = 0;
    while (sprites[count].type != DAT_END) count++;
    for (const map_object_record &o : map.objects) {
        const Sprite *t = template_of_map_object(o.type);
        if (!t || t->images[0].object >= count) continue;
        BITMAP *picture = (BITMAP *)sprites[t->images[0].object].dat;
        int x = (o.cell_x - area.x0) * CELL + CELL / 2, y = (o.cell_y - area.y0) * CELL + CELL / 2;
        // Pictures face north; the game turns them by the heading plus a quarter turn.
        rotate_sprite(world, picture, x - picture->w / 2, y - picture->h / 2, o.angle + itofix(64));
    }
}

struct rgb {
    unsigned char r, g, b;
};

void blend_pixel(rgb_picture &p, int x, int y, rgb c)
{
    if (x < 0 || y < 0 || x >= p.w || y >= p.h) return;
    unsigned char *d = &p.pixels[(y * p.w + x) * 3];
    d[0] = c.r;
    d[1] = c.g;
    d[2] = c.b;
}

void ring(rgb_picture &p, int cx, int cy, int radius, int thickness, rgb c)
{
    int outer = radius * radius, inner = (radius - thickness) * (radius - thickness);
    for (int y = -radius; y <= radius; y++)
        for (int x = -radius; x <= radius; x++) {
            int d = x * x + y * y;
            if (d <= outer && (d > inner || thickness >= radius)) blend_pixel(p, cx + x, cy + y, c);
        }
}

rgb mark_colour(int type)
{
    switch (type) {
    case 1: return {255, 230, 0};    // parked car
    case 2: return {0, 220, 255};    // fountain
    case 3: return {255, 0, 200};    // crowd
    case 4: return {255, 120, 0};    // barrier
    default: return {40, 255, 60};   // tree
    }
}

}  // namespace

bool read_map_contents(const std::string &path, map_contents &map, std::string &why)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(MAP_FILE_SIZE);
    if (!in.read(reinterpret_cast<char *>(bytes.data()), MAP_FILE_SIZE)) {
        why = in.gcount() ? "shorter than a map file" : "cannot be read";
        return false;
    }
    map.cells.resize(MAP_SIZE * MAP_SIZE);
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) map.cells[i] = le32(&bytes[4 * i]);
    for (int i = 0; i < MAP_OBJECT_COUNT; i++) {
        const unsigned char *r = &bytes[MAP_SIZE * MAP_SIZE * 4 + 16 * i];
        map_object_record o{le32(r), le32(r + 4), le32(r + 8), le32(r + 12)};
        if (o.type != 0) map.objects.push_back(o);
    }
    map.start_x = le32(&bytes[MAP_FILE_SIZE - 8]);
    map.start_y = le32(&bytes[MAP_FILE_SIZE - 4]);
    return true;
}

BITMAP *draw_city(const map_contents &map, const cell_area &area, DATAFILE *tiles, DATAFILE *sprites)
{
    int w = (area.x1 - area.x0 + 1) * CELL, h = (area.y1 - area.y0 + 1) * CELL;
    BITMAP *world = create_bitmap_ex(8, w, h);
    if (!world) return nullptr;
    clear_to_color(world, COLOUR_TRANSPARENT);
    BITMAP *roof = tile_picture(tiles, TILE_BUILDING);
    for (int y = area.y0; y <= area.y1; y++)
        for (int x = area.x0; x <= area.x1; x++) {
            int code = code_at(map, x, y);
            int sx = (x - area.x0) * CELL, sy = (y - area.y0) * CELL;
            if (code == TILE_BUILDING) {
                stretch_sprite(world, roof, sx, sy, CELL, CELL);
                outline_building(world, map, x, y, sx, sy);
                continue;
            }
            draw_sprite(world, tile_picture(tiles, code), sx, sy);
            if (code == TILE_WALL) rectfill(world, sx + 31, sy, sx + 33, sy + CELL - 1, COLOUR_WALL);
            if (code == TILE_ROOF) draw_arcade_roof(world, roof, sx, sy);
        }
    if (sprites) draw_objects(world, map, area, sprites);
    return world;
}

rgb_picture shrink_to_rgb(BITMAP *world, const PALETTE palette, int factor)
{
    rgb_picture p;
    p.w = world->w / factor;
    p.h = world->h / factor;
    p.pixels.assign((size_t)p.w * p.h * 3, 0);
    int n = factor * factor;
    for (int y = 0; y < p.h; y++)
        for (int x = 0; x < p.w; x++) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; j++) {
                const unsigned char *row = world->line[y * factor + j] + x * factor;
                for (int i = 0; i < factor; i++) {
                    const RGB &c = palette[row[i]];
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            // Palette components run 0..63.
            unsigned char *d = &p.pixels[((size_t)y * p.w + x) * 3];
            d[0] = (unsigned char)(r * 255 / (63 * n));
            d[1] = (unsigned char)(g * 255 / (63 * n));
            d[2] = (unsigned char)(b * 255 / (63 * n));
        }
    return p;
}

void mark_city(rgb_picture &picture, const map_contents &map, const cell_area &area, int factor)
{
    auto to_x = [&](int cell) { return ((cell - area.x0) * CELL + CELL / 2) / factor; };
    auto to_y = [&](int cell) { return ((cell - area.y0) * CELL + CELL / 2) / factor; };
    int r = std::max(3, 22 / factor);
    for (const map_object_record &o : map.objects)
        ring(picture, to_x(o.cell_x), to_y(o.cell_y), r, std::max(1, r / 3), mark_colour(o.type));
    // The start: a red target, large enough to find in the whole city.
    int big = std::max(8, 48 / factor);
    ring(picture, to_x(map.start_x), to_y(map.start_y), big, std::max(2, big / 4), {255, 0, 0});
    ring(picture, to_x(map.start_x), to_y(map.start_y), std::max(2, big / 4), big, {255, 0, 0});
}

bool write_png(const rgb_picture &picture, const std::string &path)
{
    return write_png_file(path, picture.w, picture.h, false, picture.pixels.data());
}
