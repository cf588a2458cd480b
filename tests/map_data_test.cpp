// The city as the game reads it: map.map in the game folder, compiled from data/city/city.txt.
// What a player would trip over is checked here: a lane that runs into a kerb (traffic stops
// there for good), a car spawned too close to a turn to make it, an object walled up in a
// building, a start with no car in reach. The source reader's own checks come last.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "city_source.h"

namespace {

constexpr int N = CITY_SIZE;

struct compiled_map {
    std::vector<unsigned char> bytes;
    int32_t word(size_t index) const
    {
        const unsigned char *b = &bytes[4 * index];
        return (int32_t)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 |
                         (uint32_t)b[3] << 24);
    }
    int cell(int x, int y) const { return word((size_t)y * N + x); }
    int object_field(int record, int field) const { return word((size_t)N * N + record * 4 + field); }
    int start_x() const { return word(((size_t)CITY_FILE_SIZE - 8) / 4); }
    int start_y() const { return word(((size_t)CITY_FILE_SIZE - 4) / 4); }
};

compiled_map load_compiled_map()
{
    std::ifstream in("map.map", std::ios::binary);
    compiled_map m;
    m.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return m;
}

// The road directions as traffic reads them: 0 east, 1 south, 2 west, 3 north; -1 none.
int lane_direction(int code)
{
    switch (code) {
    case 5: case 8: case 10: return 0;
    case 2: case 6: case 11: return 1;
    case 4: case 7: case 13: return 2;
    case 3: case 9: case 12: return 3;
    default: return -1;
    }
}

bool is_open_ground(int code)
{
    return (code >= 16 && code <= 20) || code == 22;
}

bool is_drivable(int code)
{
    return lane_direction(code) >= 0 || is_open_ground(code);
}

constexpr int STEP_X[4] = {1, 0, -1, 0};
constexpr int STEP_Y[4] = {0, 1, 0, -1};

int code_at(const compiled_map &m, int x, int y)
{
    if (x < 0 || y < 0 || x >= N || y >= N) return 15;  // the game reads buildings outside
    return m.cell(x, y);
}

std::string cell_name(int x, int y)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

class city_map_file : public testing::Test {
protected:
    static void SetUpTestSuite() { map = load_compiled_map(); }
    static compiled_map map;
};
compiled_map city_map_file::map;

TEST_F(city_map_file, has_the_exact_size_and_known_codes_only)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            int code = map.cell(x, y);
            ASSERT_TRUE(code >= 0 && code <= 22) << "code " << code << " at " << cell_name(x, y);
        }
}

TEST_F(city_map_file, is_closed_by_buildings_or_water)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    for (int i = 0; i < N; i++) {
        const std::pair<int, int> edge[4] = {{i, 0}, {i, N - 1}, {0, i}, {N - 1, i}};
        for (auto [x, y] : edge) {
            int code = map.cell(x, y);
            EXPECT_TRUE(code == 0 || code == 15) << "open edge at " << cell_name(x, y);
        }
    }
}

TEST_F(city_map_file, every_lane_leads_onto_road)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            int d = lane_direction(map.cell(x, y));
            if (d < 0) continue;
            int next = code_at(map, x + STEP_X[d], y + STEP_Y[d]);
            EXPECT_TRUE(is_drivable(next)) << "the lane at " << cell_name(x, y) << " runs into code " << next;
        }
}

// Follows the lanes cell by cell, straight on over open ground, from every lane cell: each
// walk must come round to a cell and heading it had before (a circuit) without ever meeting
// a kerb, so that traffic can drive on for as long as the player watches.
TEST_F(city_map_file, traffic_circulates_from_every_lane)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    std::vector<char> known_good((size_t)N * N * 4, 0);
    int stuck = 0;
    for (int y0 = 0; y0 < N; y0++)
        for (int x0 = 0; x0 < N; x0++) {
            int heading = lane_direction(map.cell(x0, y0));
            if (heading < 0) continue;
            std::set<int> seen;
            int x = x0, y = y0;
            std::vector<int> walk;
            bool good = false;
            for (;;) {
                int code = code_at(map, x, y);
                if (!is_drivable(code)) break;
                if (lane_direction(code) >= 0) heading = lane_direction(code);
                int state = (y * N + x) * 4 + heading;
                if (known_good[state] || !seen.insert(state).second) {
                    good = true;
                    break;
                }
                walk.push_back(state);
                x += STEP_X[heading];
                y += STEP_Y[heading];
            }
            if (good) {
                for (int s : walk) known_good[s] = 1;
            } else if (stuck++ < 10) {
                ADD_FAILURE() << "traffic from " << cell_name(x0, y0) << " gets stuck at " << cell_name(x, y);
            }
        }
    EXPECT_EQ(stuck, 0);
}

// Traffic is spawned standing still on codes 2..5; a car that starts right before a turn is
// too slow to see it coming and runs over the kerb. The three cells ahead of a spawning lane
// must keep its direction (or be open ground, where a car goes straight on).
TEST_F(city_map_file, spawning_lanes_run_straight_for_three_cells)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            int code = map.cell(x, y);
            if (code < 2 || code > 5) continue;
            int d = lane_direction(code);
            for (int k = 1; k <= 3; k++) {
                int ahead = code_at(map, x + k * STEP_X[d], y + k * STEP_Y[d]);
                EXPECT_TRUE(lane_direction(ahead) == d || is_open_ground(ahead))
                    << "a car spawned at " << cell_name(x, y) << " meets a turn " << k << " cells ahead";
            }
        }
}

TEST_F(city_map_file, start_and_objects_stand_on_open_cells)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    int sx = map.start_x(), sy = map.start_y();
    ASSERT_TRUE(sx >= 0 && sx < N && sy >= 0 && sy < N);
    EXPECT_EQ(map.cell(sx, sy), 14) << "the player starts on the pavement";
    int placed = 0;
    for (int i = 0; i < CITY_MAX_OBJECTS; i++) {
        int x = map.object_field(i, 0), y = map.object_field(i, 1), type = map.object_field(i, 2);
        if (type == 0) continue;
        placed++;
        EXPECT_TRUE(type >= 1 && type <= 5) << "object " << i << " has type " << type;
        ASSERT_TRUE(x >= 0 && x < N && y >= 0 && y < N) << "object " << i << " is outside the city";
        int code = map.cell(x, y);
        EXPECT_TRUE(code != 0 && code != 15) << "object " << i << " at " << cell_name(x, y) << " stands on code " << code;
        // A parked car in a lane would hold up the traffic behind it for good.
        if (type == 1) {
            EXPECT_EQ(lane_direction(code), -1) << "parked car in a lane at " << cell_name(x, y);
        }
    }
    EXPECT_GT(placed, 50) << "a city with parked cars, crowds and trees";
}

// Pressing Enter at the start walks the player to a car whose door (25 px left of its heading)
// is within 80 px on both axes; the walk is straight, so the door must not be in a building,
// and it must not be level with the start on either axis: a walk straight along a row or a
// column keeps the player's own heading instead of turning toward the door.
TEST_F(city_map_file, a_parked_car_is_in_reach_of_the_start)
{
    ASSERT_EQ(map.bytes.size(), (size_t)CITY_FILE_SIZE);
    int px = map.start_x() * 64 + 32, py = map.start_y() * 64 + 32;
    bool reachable = false;
    for (int i = 0; i < CITY_MAX_OBJECTS && !reachable; i++) {
        if (map.object_field(i, 2) != 1) continue;
        int cx = map.object_field(i, 0) * 64 + 32, cy = map.object_field(i, 1) * 64 + 32;
        fixed left = map.object_field(i, 3) - itofix(64);
        int door_x = cx + fixtoi(fixcos(left) * 25), door_y = cy + fixtoi(fixsin(left) * 25);
        reachable = std::abs(px - door_x) < 80 && std::abs(py - door_y) < 80 &&
                    px != door_x && py != door_y && code_at(map, door_x / 64, door_y / 64) != 15;
    }
    EXPECT_TRUE(reachable);
}

// A small city that the reader accepts: pavement closed by a ring of buildings, one car.
std::string small_city(const std::string &after_grid = "start 5 5\ncar 6 5 north\n")
{
    std::string text = "# a test town\ngrid\n";
    for (int y = 0; y < N; y++) {
        std::string row(N, '.');
        if (y == 0 || y == N - 1) row.assign(N, '#');
        row[0] = row[N - 1] = '#';
        if (y == 7) row[7] = '~';
        text += row + "\n";
    }
    return text + after_grid;
}

std::vector<city_error> read_text(const std::string &text, city_map &city)
{
    std::istringstream in(text);
    return read_city(in, city);
}

TEST(city_source, a_good_city_compiles_to_the_map_file_layout)
{
    city_map city;
    ASSERT_TRUE(read_text(small_city("start 5 5\ncar 6 5 north\ntree 3 4\ncrowd 2 2 100\n"), city).empty());
    std::vector<unsigned char> bytes = encode_city(city);
    ASSERT_EQ(bytes.size(), (size_t)CITY_FILE_SIZE);
    compiled_map m{bytes};
    EXPECT_EQ(m.cell(0, 0), 15);
    EXPECT_EQ(m.cell(5, 5), 14);
    EXPECT_EQ(m.cell(7, 7), 0);
    // car 6 5 north: type 1, heading 192 units as a 16.16 fixed value
    EXPECT_EQ(m.object_field(0, 0), 6);
    EXPECT_EQ(m.object_field(0, 1), 5);
    EXPECT_EQ(m.object_field(0, 2), 1);
    EXPECT_EQ(m.object_field(0, 3), 192 * 65536);
    EXPECT_EQ(m.object_field(1, 2), 5);
    EXPECT_EQ(m.object_field(1, 3), 0) << "heading east by default";
    EXPECT_EQ(m.object_field(2, 3), 100 * 65536);
    EXPECT_EQ(m.object_field(3, 2), 0) << "unused records are empty";
    EXPECT_EQ(m.start_x(), 5);
    EXPECT_EQ(m.start_y(), 5);
}

TEST(city_source, every_legend_character_reads_as_its_code)
{
    for (const legend_entry &entry : city_legend) EXPECT_EQ(code_of_symbol(entry.symbol), entry.code);
    EXPECT_EQ(code_of_symbol('x'), -1);
}

// Each broken source names the line of the fault.
TEST(city_source, faults_are_reported_with_their_line)
{
    struct bad_case {
        std::string text;
        int line;
        const char *what;
    };
    std::string grid = small_city("");
    std::string short_row = grid;
    short_row.erase(short_row.find("\n#.") + 2, 1);  // row 1 loses a character
    std::string unknown = grid;
    unknown[unknown.find("\n#.") + 5] = 'x';
    std::string many;
    for (int i = 0; i < CITY_MAX_OBJECTS + 1; i++) many += "tree 10 " + std::to_string(2 + i % 100) + "\n";
    const bad_case cases[] = {
        {short_row + "start 5 5\n", 4, "short row"},
        {unknown + "start 5 5\n", 4, "unknown character"},
        {grid + "start 7 7\n", 153, "start in water"},
        {grid + "start 5 5\ncar 0 3 north\n", 154, "object in a building"},
        {grid + "start 5 5\ncar 3 3 up\n", 154, "unknown heading"},
        {grid + "start 5 150\n", 153, "start outside"},
        {grid + "start 5 5\nstart 6 6\n", 154, "second start"},
        {grid + "start 5 5\nlamp 3 3\n", 154, "unknown kind"},
        {grid + "start 5 5\n" + many, 154 + CITY_MAX_OBJECTS, "too many objects"},
        {grid, 0, "no start"},
        {"start 5 5\n", 0, "no grid"},
        {"grid\n#####\n", 2, "grid cut short"},
    };
    for (const bad_case &c : cases) {
        city_map city;
        std::vector<city_error> errors = read_text(c.text, city);
        ASSERT_FALSE(errors.empty()) << c.what;
        EXPECT_EQ(errors[0].line, c.line) << c.what << ": " << errors[0].message;
    }
}

}  // namespace
