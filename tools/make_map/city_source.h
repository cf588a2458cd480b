// The city as its text source describes it: one character per cell, the placed objects and the
// start cell. make_map reads data/city/city.txt through these functions and writes map.map;
// the tests feed them small cities of their own.
#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

constexpr int CITY_SIZE = 150;
constexpr int CITY_MAX_OBJECTS = 150;
constexpr int CITY_CODE_COUNT = 23;
// Bytes of map.map: the grid, 150 object records of 16 bytes, the start column and row.
constexpr int CITY_FILE_SIZE = CITY_SIZE * CITY_SIZE * 4 + CITY_MAX_OBJECTS * 16 + 8;

// One line of the legend: the character of the source, the cell code it stands for.
struct legend_entry {
    char symbol;
    int code;
    const char *meaning;
};

// The whole legend, in code order; the comment block at the top of city.txt repeats it.
extern const legend_entry city_legend[CITY_CODE_COUNT];

// The kinds of placed object, by the names the source uses; type is the map file's number.
struct object_kind {
    const char *name;
    int type;
};
extern const object_kind city_object_kinds[5];

// A placed object: its cell, its map-file type 1..5 and its heading in whole angle units
// (256 to the turn: 0 east, 64 south, 128 west, 192 north).
struct city_object {
    int cell_x = 0, cell_y = 0;
    int type = 0;
    int heading = 0;
};

struct city_map {
    std::vector<int> cells = std::vector<int>(CITY_SIZE * CITY_SIZE, 15);  // row by row
    std::vector<city_object> objects;
    int start_x = -1, start_y = -1;

    int at(int x, int y) const { return cells[y * CITY_SIZE + x]; }
};

// A fault in the source, with the line it was found on (1-based; 0 when it has no one line).
struct city_error {
    int line;
    std::string message;
};

// The code a source character stands for, or -1 for a character the legend does not know.
int code_of_symbol(char symbol);
// Cells a person or a parked car can stand on: anything but water and buildings.
bool is_passable_code(int code);
// Reads the source into city and returns every fault found; an empty list means the city is
// complete and may be written.
std::vector<city_error> read_city(std::istream &in, city_map &city);
// The map.map bytes of a city: CITY_FILE_SIZE bytes, little-endian 32-bit integers.
std::vector<unsigned char> encode_city(const city_map &city);
