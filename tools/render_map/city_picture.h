// Drawing the compiled city (map.map) as one picture: the tile set's floors, the roofs of the
// buildings seen straight from above, the placed objects and the start cell.
#pragma once
#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// What map.map holds, decoded.
struct map_object_record {
    int cell_x, cell_y, type;
    fixed angle;
};
struct map_contents {
    std::vector<int32_t> cells;  // 150 x 150, row by row
    std::vector<map_object_record> objects;  // the records whose type is not 0
    int start_x = 0, start_y = 0;
};

// The cells drawn: columns x0..x1 and rows y0..y1, inclusive.
struct cell_area {
    int x0 = 0, y0 = 0, x1 = 149, y1 = 149;
};

// An RGB picture, three bytes a pixel, row by row.
struct rgb_picture {
    int w = 0, h = 0;
    std::vector<unsigned char> pixels;
};

// Reads a map file; false (with a reason) when it is missing or short.
bool read_map_contents(const std::string &path, map_contents &map, std::string &why);
// Draws the area at full size into a new 8-bit bitmap: floors, roofs, walls, arcades and,
// when sprites is not null, the pictures of the placed objects.
BITMAP *draw_city(const map_contents &map, const cell_area &area, DATAFILE *tiles, DATAFILE *sprites);
// Shrinks the 8-bit picture by an integer factor, averaging each square of pixels in colour.
rgb_picture shrink_to_rgb(BITMAP *world, const PALETTE palette, int factor);
// Rings round the placed objects and a target on the start cell, sized for the shrunk picture.
void mark_city(rgb_picture &picture, const map_contents &map, const cell_area &area, int factor);
// Writes the picture as a PNG file; false when the file cannot be written.
bool write_png(const rgb_picture &picture, const std::string &path);
