// The tile map: the 150 x 150 grid of cell codes, the tile pictures, the map file with its
// placed objects and start cell, the camera, and the drawing of floors, walls and roofs.
#pragma once
#include <allegro.h>
#include <cstdint>

constexpr int MAP_SIZE = 150;
constexpr int MAP_PIXELS = MAP_SIZE * 64;
constexpr int TILE_CODE_COUNT = 23;
// The side of a cell in pixels; some code uses the literal 64 (a shift by 6).
constexpr int tile_size = 64;

// Cell codes with a name; 2..13 are directed road, 16..20 open ground where traffic keeps
// its heading.
constexpr int TILE_WATER = 0;
constexpr int TILE_GRASS = 1;
constexpr int TILE_PAVEMENT = 14;
constexpr int TILE_BUILDING = 15;
constexpr int TILE_WALL = 21;
constexpr int TILE_ROOF = 22;

constexpr int MAP_PASS_GROUND = 0;
constexpr int MAP_PASS_WALLS = 1;
constexpr int MAP_PASS_ROOFS = 2;

// Bytes a map file must hold: the grid, 150 object records, the start cell.
constexpr long MAP_FILE_SIZE = 92408;
constexpr int MAP_OBJECT_COUNT = 150;

// One placed object of the map file.
struct MapObject {
    int32_t cell_x, cell_y;
    int32_t type;   // 0 none, 1 car, 2 still object, 3 crowd, 4 obstacle, 5 still object
    int32_t angle;  // a fixed-point heading, handed to the sprite unchanged
};

// The grid, row-major: cell (cx, cy) is tile_map[cy * 150 + cx].
extern int32_t tile_map[MAP_SIZE * MAP_SIZE];
// "tiles.dat" and the floor picture of each code.
extern DATAFILE *tiles_data;
extern BITMAP *tile_bitmaps[TILE_CODE_COUNT];
// The player's start position: the centre of the start cell, in world pixels.
extern int start_x, start_y;
// The world point drawn at the screen centre; moved by update_world.
extern int camera_x, camera_y;

// new_game, after the sprite list is emptied: tiles, map, placed objects, camera.
void load_tile_map();
// load_tile_map: reads a map file into the grid and the start, and places its objects.
void read_map_file(const char *filename);
struct Sprite;
// read_map_file and the city renderer: the template a placed object of type is made from, by
// the role now chosen; null for an empty or unknown type.
const Sprite *template_of_map_object(int type);
// read_map_file, for each parked car: its paint shade (-7..7), fixed by its cell.
int parked_car_shade(int cell_x, int cell_y);
// Everyone who asks what a cell is: the code, or TILE_BUILDING outside the grid.
int tile_at(int cx, int cy);
// tiles.dat's object index for each cell code.
extern const int tile_object_of_code[TILE_CODE_COUNT];

// load_tile_map, once the tile set is loaded: what draw_map keeps of it (which floors are
// opaque, the roof at its drawn size).
void prepare_map_pictures();
// main_loop, three times a frame: the floor, then (after the sprites) walls, then roofs.
void draw_map(int pass);
// draw_map: one flat-coloured wall polygon through four points.
void draw_wall_quad(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int colour);
// The frame tests and the bench, as the reference draw_map must match pixel for pixel: one pass
// of the city by the plain calls (every floor masked, all four walls of every building, the
// roof picture stretched for each roof).
void draw_map_plainly(int pass);
