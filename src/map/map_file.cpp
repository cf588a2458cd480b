// The map file and the tile set: the grid, the placed objects, the start and the camera.
#include <cstdio>

#include "actors/actors.h"
#include "frame/data_files.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "sprites/sprites.h"

int32_t tile_map[MAP_SIZE * MAP_SIZE];
DATAFILE *tiles_data = nullptr;
BITMAP *tile_bitmaps[TILE_CODE_COUNT];
int start_x = 0, start_y = 0;
int camera_x = 0, camera_y = 0;

const int tile_object_of_code[TILE_CODE_COUNT] = {
    21, 1, 18, 19, 12, 13, 15, 14, 17, 16, 9, 8, 11, 10, 7, 0, 20, 3, 2, 4, 5, 7, 7,
};

const Sprite *template_of_map_object(int type)
{
    switch (type) {
    case 1: return player_template == &cop_template ? &police_car_template : &car_f_template;
    case 2: return &still_a_template;
    case 3: return &crowd_template;
    case 4: return &obstacle_template;
    case 5: return &still_b_template;
    default: return nullptr;
    }
}

int parked_car_shade(int cell_x, int cell_y)
{
    // A hash of the cell, not a random draw: the street's colours must not move the random
    // sequence a demo replays.
    uint32_t h = (uint32_t)cell_x * 0x9E3779B1u ^ (uint32_t)cell_y * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return (int)(h % 15) - 7;
}

namespace {
void place_objects(const unsigned char *records)
{
    for (int i = 0; i < MAP_OBJECT_COUNT; i++) {
        const unsigned char *r = records + 16 * i;
        MapObject object{le32_at(r), le32_at(r + 4), le32_at(r + 8), le32_at(r + 12)};
        const Sprite *source = template_of_map_object(object.type);
        if (!source) continue;
        Sprite *s = create_sprite(source, object.cell_x * 64 + 32, object.cell_y * 64 + 32,
                                  object.angle, 0);
        // Cars placed by the map stand parked and driverless, each in its own paint.
        if (object.type == 1) paint_sprite(s, parked_car_shade(object.cell_x, object.cell_y));
        if (s->behaviour == traffic_car_behaviour) s->behaviour = empty_car_behaviour;
    }
}
}  // namespace

void load_tile_map()
{
    // A new game loads the tile set afresh; the last game's copy is not kept.
    if (tiles_data) unload_datafile(tiles_data);
    tiles_data = load_checked_datafile("tiles.dat");
    if (!tiles_data) fatal_error("Error loading tiles.dat!");
    for (int code = 0; code < TILE_CODE_COUNT; code++) {
        require_object(tiles_data, "tiles.dat", tile_object_of_code[code], DAT_BITMAP);
        tile_bitmaps[code] = (BITMAP *)tiles_data[tile_object_of_code[code]].dat;
    }
    prepare_map_pictures();
    read_map_file("map.map");
    camera_x = start_x;
    camera_y = start_y;
}

void read_map_file(const char *filename)
{
    FILE *file = fopen(filename, "rb");
    if (!file) fatal_error("Couldn't find .map file");
    static unsigned char bytes[MAP_FILE_SIZE];
    size_t got = fread(bytes, 1, sizeof bytes, file);
    fclose(file);
    if ((long)got < MAP_FILE_SIZE) fatal_error("map.map is too short: the city is incomplete");

    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) {
        int32_t code = le32_at(bytes + 4 * i);
        // A code the game does not know reads as a building.
        tile_map[i] = (code >= 0 && code < TILE_CODE_COUNT) ? code : TILE_BUILDING;
    }
    start_x = le32_at(bytes + 92400) * tile_size + tile_size / 2;
    start_y = le32_at(bytes + 92404) * tile_size + tile_size / 2;
    place_objects(bytes + 90000);
}

int tile_at(int cx, int cy)
{
    if (cx < 0 || cx >= MAP_SIZE || cy < 0 || cy >= MAP_SIZE) return TILE_BUILDING;
    return tile_map[cy * MAP_SIZE + cx];
}
