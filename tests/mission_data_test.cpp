// The missions as the game reads them: map.mis in the game folder, compiled from
// data/missions/missions.txt against map.map; and the compiler's checks on broken sources.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "frame/platform.h"
#include "map/map.h"
#include "mission_source.h"
#include "missions/missions.h"

namespace {

std::vector<unsigned char> file_bytes(const char *name)
{
    std::ifstream in(name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

int32_t word_at(const std::vector<unsigned char> &bytes, size_t offset)
{
    return le32_at(&bytes[offset]);
}

}  // namespace

TEST(MissionData, EveryMissionIsWholeAndOnPassableCells)
{
    std::vector<unsigned char> mis = file_bytes("map.mis");
    std::vector<unsigned char> map = file_bytes("map.map");
    ASSERT_EQ(mis.size(), 2280u);
    ASSERT_EQ((long)map.size(), MAP_FILE_SIZE);
    auto passable = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= MAP_SIZE || y >= MAP_SIZE) return false;
        int code = word_at(map, 4 * ((size_t)y * MAP_SIZE + x));
        return code != TILE_WATER && code != TILE_BUILDING;
    };
    int used = 0;
    for (size_t r = 0; r < 10; r++) {
        size_t base = r * 228;
        int count = word_at(mis, base);
        if (count == 0) {
            for (size_t b = base; b < base + 228; b++) ASSERT_EQ(mis[b], 0) << "empty record " << r;
            continue;
        }
        used++;
        SCOPED_TRACE("record " + std::to_string(r));
        ASSERT_GE(count, 1);
        ASSERT_LE(count, 10);
        int sx = word_at(mis, base + 4), sy = word_at(mis, base + 8);
        EXPECT_TRUE(passable(sx, sy)) << "start " << sx << "," << sy;
        EXPECT_EQ(word_at(mis, base + 224), 0);  // offered at every new game
        // A first "goto" sets no text: the player would start the mission with no order shown.
        EXPECT_NE(word_at(mis, base + 24 + 8), STEP_GOTO) << "the first step shows no order";
        for (int j = 0; j < 10; j++) {
            size_t step = base + 24 + 20 * j;
            int x = word_at(mis, step), y = word_at(mis, step + 4), kind = word_at(mis, step + 8);
            if (j >= count) {
                EXPECT_EQ(x | y | kind, 0) << "unused step " << j;
                continue;
            }
            EXPECT_TRUE(passable(x, y)) << "step " << j << " at " << x << "," << y;
            EXPECT_GE(kind, STEP_BRIEFCASE) << "step " << j;
            EXPECT_LE(kind, STEP_GOTO) << "step " << j;
        }
    }
    EXPECT_GE(used, 5);
    // The first mission's marker is on the first screen the player sees.
    int px = word_at(map, MAP_FILE_SIZE - 8), py = word_at(map, MAP_FILE_SIZE - 4);
    EXPECT_LT(abs(word_at(mis, 4) - px) * 64, 320);
    EXPECT_LT(abs(word_at(mis, 8) - py) * 64, 240);
}

// The compiler against a small city: pavement, a road along row 5, the river in column 20 (the
// east bank is cut off), a building at (3, 3), a tree at (7, 7), the player's start at (1, 1).
class MissionSourceTest : public testing::Test {
protected:
    mission_city city;
    void SetUp() override
    {
        city.cells.assign((size_t)MAP_SIZE * MAP_SIZE, TILE_PAVEMENT);
        for (int x = 0; x < MAP_SIZE; x++) city.cells[5 * MAP_SIZE + x] = 4;
        for (int y = 0; y < MAP_SIZE; y++) city.cells[(size_t)y * MAP_SIZE + 20] = TILE_WATER;
        city.cells[3 * MAP_SIZE + 3] = TILE_BUILDING;
        city.object_cells = {{7, 7}};
        city.start_x = city.start_y = 1;
    }
    std::vector<mission_error> compile(const std::string &source,
                                       std::vector<mission_plan> *plans = nullptr)
    {
        std::vector<mission_plan> own;
        std::istringstream in(source);
        return read_missions(in, city, plans ? *plans : own);
    }
};

TEST_F(MissionSourceTest, WhatTheCompilerWritesTheGameReads)
{
    std::vector<mission_plan> plans;
    ASSERT_TRUE(compile("# a comment\nmission a\nstart 2 2   # here\nbriefcase 4 4\nkill 6 4\n"
                        "bomb 8 5\ngoto 9 5\nmission b\nstart 2 2\ngoto 1 5\n",
                        &plans)
                    .empty());
    std::vector<unsigned char> bytes = encode_missions(plans);
    std::string path = testing::TempDir() + "compiled.mis";
    std::ofstream(path, std::ios::binary)
        .write((const char *)bytes.data(), (std::streamsize)bytes.size());
    missions[2].step_count = 9;
    read_mission_file(path.c_str());
    EXPECT_EQ(bytes.size(), 2280u);
    EXPECT_EQ(missions[0].step_count, 4);
    EXPECT_EQ(missions[0].start_y, 2);
    EXPECT_EQ(missions[0].steps[1].kind, STEP_KILL);
    EXPECT_EQ(missions[0].steps[3].cell_x, 9);
    EXPECT_EQ(missions[0].steps[3].kind, STEP_GOTO);
    // Both jobs of a meeting place are offered at its cell.
    EXPECT_EQ(missions[1].start_x, 2);
    EXPECT_EQ(missions[1].start_y, 2);
    EXPECT_EQ(missions[1].done, 0);
    EXPECT_EQ(missions[2].step_count, 0);
}

TEST_F(MissionSourceTest, EveryFaultIsReportedWithItsLine)
{
    std::string eleven_steps = "mission a\nstart 2 2\n", eleven_missions;
    for (int i = 0; i < 11; i++) eleven_steps += "goto 4 5\n";
    for (int i = 0; i < 11; i++)
        eleven_missions +=
            "mission m" + std::to_string(i) + "\nstart " + std::to_string(i + 2) + " 9\ngoto 4 5\n";
    struct fault {
        std::string source;
        int line;
        const char *says;
    } faults[] = {
        {"mission a\nstart 2 2\nbriefcase 20 4\n", 3, "is on water"},
        {"mission a\nstart 2 2\nkill 3 3\n", 3, "is on a building"},
        {"mission a\nstart 2 2\nbriefcase 4 5\n", 3, "belongs on pavement"},
        {"mission a\nstart 2 2\ngoto 4 4\n", 3, "belongs on a road"},
        {"mission a\nstart 2 2\nbomb 30 5\n", 3, "cannot be reached by car"},
        {"mission a\nstart 2 2\nkill 30 6\n", 3, "cannot be reached on foot"},
        {"mission a\nstart 2 2\nkill 7 7\n", 3, "under a placed object"},
        {"mission a\nstart 150 2\ngoto 4 5\n", 2, "outside the 150 x 150 city"},
        {"mission a\nstart 1 1\ngoto 4 5\n", 2, "the player's start"},
        {"mission a\nstart 3 3\ngoto 4 5\n", 2, "a mission starts on pavement or road"},
        {"mission a\nstart 2 2\ngoto 4 5\nmission b\nstart 4 5\ngoto 6 5\n", 5,
         "the place of a mission step"},
        {"mission a\nstart 2 2\n", 1, "has no steps"},
        {"mission a\ngoto 4 5\n", 1, "has no start"},
        {eleven_steps, 13, "an eleventh step"},
        {eleven_missions, 31, "an eleventh mission"},
        {"start 2 2\n", 1, "before the first"},
        {"mission a\nstart 2 2\nfly 4 5\n", 3, "unknown word 'fly'"},
    };
    for (const fault &f : faults) {
        std::vector<mission_error> errors = compile(f.source);
        bool found = false;
        for (const mission_error &e : errors)
            found = found || (e.line == f.line && e.message.find(f.says) != std::string::npos);
        EXPECT_TRUE(found) << "no '" << f.says << "' at line " << f.line << " for:\n" << f.source;
    }
}
