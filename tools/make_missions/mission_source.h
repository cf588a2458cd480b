// The missions as their text source describes them (data/missions/missions.txt), checked
// against the compiled city. make_missions reads the source through these functions and writes
// map.mis; the tests feed them small sources of their own.
#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <utility>
#include <vector>

// The city as the missions see it: map.map's cells, its start cell and where its placed
// objects stand.
struct mission_city {
    std::vector<int32_t> cells;  // row by row, MAP_SIZE x MAP_SIZE
    int start_x = -1, start_y = -1;
    std::vector<std::pair<int, int>> object_cells;

    int at(int x, int y) const;
};

struct mission_step_plan {
    int kind = 0;  // STEP_BRIEFCASE .. STEP_GOTO
    int cell_x = 0, cell_y = 0;
    int line = 0;
};

struct mission_plan {
    std::string name;
    int line = 0;
    int start_x = -1, start_y = -1;
    int start_line = 0;
    std::vector<mission_step_plan> steps;
};

// A fault in the source, with the line it was found on (1-based; 0 when it has no one line).
struct mission_error {
    int line;
    std::string message;
};

// make_missions and the tests: the city of a map.map image; false when bytes is not a whole
// map file.
bool read_compiled_city(const std::vector<unsigned char> &bytes, mission_city &city);
// make_missions and the tests: reads the source into plans and returns every fault found; an
// empty list means the missions may be written.
std::vector<mission_error> read_missions(std::istream &in, const mission_city &city,
                                         std::vector<mission_plan> &plans);
// make_missions and the tests: the map.mis bytes of the plans (at most ten), unused fields 0.
std::vector<unsigned char> encode_missions(const std::vector<mission_plan> &plans);
