// The map file, its placed objects, tile_at, and the three drawing passes read back from the
// frame buffer: floors, walls that lean outward, roofs lifted toward the screen edges.
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

#include "actors/actors.h"
#include "display/palette.h"
#include "game_fixture.h"

namespace {
void put_le32(std::vector<unsigned char> &bytes, size_t at, int32_t value)
{
    put_le32_at(bytes.data() + at, value);
}

// A map file of pavement with the given objects and start cell.
std::vector<unsigned char> map_bytes(const std::vector<MapObject> &objects, int sx, int sy)
{
    std::vector<unsigned char> bytes(MAP_FILE_SIZE, 0);
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) put_le32(bytes, 4 * i, TILE_PAVEMENT);
    for (size_t i = 0; i < objects.size(); i++) {
        size_t at = 90000 + 16 * i;
        put_le32(bytes, at, objects[i].cell_x);
        put_le32(bytes, at + 4, objects[i].cell_y);
        put_le32(bytes, at + 8, objects[i].type);
        put_le32(bytes, at + 12, objects[i].angle);
    }
    put_le32(bytes, 92400, sx);
    put_le32(bytes, 92404, sy);
    return bytes;
}

// Each test runs in a process of its own, side by side with the others: the file is named
// after the process so that no test reads a map another is writing, and goes when it ends.
struct ScratchMap {
    char path[64];
    ScratchMap() { snprintf(path, sizeof path, "/tmp/skid-test-%d.map", (int)getpid()); }
    ~ScratchMap() { unlink(path); }
};

const char *write_map(const std::vector<unsigned char> &bytes, size_t length)
{
    static ScratchMap scratch;
    const char *path = scratch.path;
    FILE *f = fopen(path, "wb");
    fwrite(bytes.data(), 1, length, f);
    fclose(f);
    return path;
}
}  // namespace

TEST(TileAt, OutsideTheGridIsBuilding)
{
    for (int &cell : tile_map) cell = TILE_PAVEMENT;
    tile_map[149 * MAP_SIZE + 149] = 5;
    EXPECT_EQ(tile_at(-1, 10), TILE_BUILDING);
    EXPECT_EQ(tile_at(150, 10), TILE_BUILDING);
    EXPECT_EQ(tile_at(10, -1), TILE_BUILDING);
    EXPECT_EQ(tile_at(10, 150), TILE_BUILDING);
    EXPECT_EQ(tile_at(149, 149), 5);
    EXPECT_EQ(tile_at(-10 / 64, 3), TILE_PAVEMENT);  // x = -10 lies in column 0
}

TEST_F(GameTest, MapFileSetsTheStartAndPlacesObjectsByRole)
{
    std::vector<MapObject> objects = {
        {10, 20, 1, itofix(192)}, {11, 20, 0, 0}, {12, 20, 7, 0}, {13, 20, 3, 0},
        {14, 20, 4, 0},           {15, 20, 2, 0}, {16, 20, 5, 0},
    };
    const char *path = write_map(map_bytes(objects, 149, 149), MAP_FILE_SIZE);
    read_map_file(path);
    EXPECT_EQ(start_x, 9568);
    EXPECT_EQ(start_y, 9568);
    ASSERT_EQ(list_length(), 5);  // types 0 and 7 make nothing
    Sprite *last = sprite_list;   // reverse of file order
    EXPECT_EQ(last->images[0].object, still_b_template.images[0].object);
    Sprite *car = sprite_list;
    while (car->next) car = car->next;
    EXPECT_EQ(car->images[0].object, car_f_template.images[0].object);
    EXPECT_EQ(car->behaviour, empty_car_behaviour);  // parked and driverless
    EXPECT_EQ(car->x, 10 * 64 + 32);
    EXPECT_EQ(car->y, 20 * 64 + 32);
    EXPECT_EQ(car->angle, itofix(192));
    EXPECT_EQ(car->ambient, 0);
}

TEST_F(GameTest, TheCopsCityHasPoliceCarsWhereTheSkidrunnersHasParkedCars)
{
    player_template = &cop_template;
    const char *path = write_map(map_bytes({{3, 4, 1, 0}}, 0, 0), MAP_FILE_SIZE);
    read_map_file(path);
    EXPECT_EQ(start_x, 32);
    EXPECT_EQ(start_y, 32);
    ASSERT_NE(sprite_list, nullptr);
    EXPECT_EQ(sprite_list->behaviour, police_car_behaviour);
    EXPECT_EQ(sprite_faction(sprite_list), FACTION_POLICE);
}

TEST_F(GameTest, UnknownCellCodesReadAsBuildings)
{
    auto bytes = map_bytes({}, 1, 1);
    put_le32(bytes, 4 * 5, 23);
    put_le32(bytes, 4 * 6, -1);
    read_map_file(write_map(bytes, MAP_FILE_SIZE));
    EXPECT_EQ(tile_at(5, 0), TILE_BUILDING);
    EXPECT_EQ(tile_at(6, 0), TILE_BUILDING);
    EXPECT_EQ(tile_at(7, 0), TILE_PAVEMENT);
}

using MapDeathTest = GameTest;
TEST_F(MapDeathTest, AShortMapFileStopsTheGame)
{
    const char *path = write_map(map_bytes({}, 1, 1), MAP_FILE_SIZE - 1);
    EXPECT_EXIT(read_map_file(path), testing::ExitedWithCode(1), "");
}

class MapDrawTest : public GameTest {
protected:
    // The camera on the corner of cell (50, 50): that cell's floor corner is the screen centre.
    void SetUp() override
    {
        GameTest::SetUp();
        camera_x = 50 * 64;
        camera_y = 50 * 64;
        clear_to_color(buffer, 250);
    }
    static int at(int x, int y) { return getpixel(buffer, x, y); }
    static bool roof_colour(int c)
    {
        BITMAP *roof = tile_bitmaps[TILE_BUILDING];
        for (int y = 0; y < roof->h; y++)
            for (int x = 0; x < roof->w; x++)
                if (getpixel(roof, x, y) == c) return true;
        return false;
    }
};

TEST_F(MapDrawTest, ABuildingAtTheCentreHasItsRoofLiftedNinePixels)
{
    set_cell(50, 50, TILE_BUILDING);
    draw_map(MAP_PASS_GROUND);
    EXPECT_EQ(at(320 + 32, 240 + 32), 250);  // no floor under a building
    int left_floor = at(310, 240), right_floor = at(394, 300);
    draw_map(MAP_PASS_WALLS);
    draw_map(MAP_PASS_ROOFS);
    // Roof at (311, 231), 82 wide: overhangs 9 px on every side, and no further.
    EXPECT_TRUE(roof_colour(at(311, 231)));
    EXPECT_TRUE(roof_colour(at(392, 312)));
    EXPECT_EQ(at(310, 240), left_floor);
    EXPECT_EQ(at(394, 300), right_floor);
}

TEST_F(MapDrawTest, RoofsLeanAwayFromTheCentre)
{
    // 256 px right of the centre the roof moves 64 - 9 = 55 px right; 256 px left, 73 px left.
    set_cell(54, 50, TILE_BUILDING);
    set_cell(46, 50, TILE_BUILDING);
    draw_map(MAP_PASS_WALLS);
    draw_map(MAP_PASS_ROOFS);
    int right_roof = 320 + 256 + 55, left_roof_end = 320 - 256 - 73 + 81;
    EXPECT_TRUE(roof_colour(at(right_roof, 260)));
    EXPECT_EQ(at(right_roof - 1, 260), COLOUR_WALL);  // the west wall joins roof and floor
    EXPECT_EQ(at(320 + 256 + 30, 270), COLOUR_WALL);  // and covers the floor square
    EXPECT_TRUE(roof_colour(at(left_roof_end, 260)));
    EXPECT_EQ(at(left_roof_end + 2, 260), COLOUR_WALL);
}

TEST_F(MapDrawTest, SmallOffsetsTruncateTowardZero)
{
    // A floor corner 2 px left of the centre: (-2) / 4 is 0, so the roof sits at sx - 9.
    camera_x = 50 * 64 + 2;
    set_cell(50, 50, TILE_BUILDING);
    draw_map(MAP_PASS_ROOFS);
    int sx = 320 - 2;
    EXPECT_TRUE(roof_colour(at(sx - 9, 240 + 20)));
    EXPECT_EQ(at(sx - 10, 240 + 20), 250);
}

TEST_F(MapDrawTest, PassesDrawByCode)
{
    set_cell(49, 50, TILE_WALL);
    set_cell(51, 50, TILE_ROOF);
    draw_map(MAP_PASS_GROUND);
    BITMAP *pavement = tile_bitmaps[TILE_PAVEMENT];
    EXPECT_EQ(at(320 - 64 + 5, 240 + 5), getpixel(pavement, 5, 5));  // a wall cell has floor
    EXPECT_EQ(at(320 + 64 + 5, 240 + 5), getpixel(pavement, 5, 5));  // so has an arcade
    clear_to_color(buffer, 250);
    draw_map(MAP_PASS_WALLS);
    // One thin wall from the middle of the wall cell up to its roof line; none for the arcade.
    EXPECT_EQ(at(275, 272), COLOUR_WALL);
    EXPECT_EQ(at(250, 272), 250);
    EXPECT_EQ(at(295, 272), 250);
    EXPECT_EQ(at(320 + 64 + 32, 240 + 32), 250);
    clear_to_color(buffer, 250);
    draw_map(MAP_PASS_ROOFS);
    EXPECT_EQ(at(275, 272), 250);                               // no roof on a wall cell
    EXPECT_TRUE(roof_colour(at(320 + 64 + 32, 240 + 32)));      // the arcade's roof
    clear_to_color(buffer, 250);
    draw_map(3);
    EXPECT_EQ(at(320, 240), 250);
}

TEST_F(MapDrawTest, BeyondTheGridIsDrawnAsBuildings)
{
    camera_x = camera_y = 32;
    draw_map(MAP_PASS_GROUND);
    EXPECT_EQ(at(320 - 32 - 10, 240), 250);  // column -1: no floor
    EXPECT_NE(at(320 + 10, 240), 250);       // cell (0, 0) has one
    draw_map(MAP_PASS_WALLS);
    draw_map(MAP_PASS_ROOFS);
    EXPECT_NE(at(320 - 32 - 10, 240), 250);
}

namespace {
void compose(void (*draw)(int))
{
    clear_to_color(buffer, 250);
    draw(MAP_PASS_GROUND);
    draw_sprites();
    draw(MAP_PASS_WALLS);
    draw(MAP_PASS_ROOFS);
    if (night_mode) draw_night_overlay();
}
}  // namespace

// The game's shortcuts (floors copied, the roof stretched once, walls between two buildings
// left out) must not change a pixel: the real city, the camera on every third cell at an odd
// offset, the sprites of its placed objects included, by day and by night.
TEST_F(GameTest, TheCityFrameIsThePlainCallsFrame)
{
    player_template = &skidrunner_template;
    new_game();
    std::vector<unsigned char> plain(640 * 480);
    int frames = 0, differing = 0;
    for (int cy = 0; cy < MAP_SIZE; cy += 3)
        for (int cx = (cy / 3) % 3; cx < MAP_SIZE; cx += 3) {
            camera_x = cx * 64 + (cx * 13 + cy * 7) % 64;
            camera_y = cy * 64 + (cx * 5 + cy * 11) % 64;
            night_mode = (cx + cy) % 2;
            compose(draw_map_plainly);
            for (int y = 0; y < 480; y++) memcpy(&plain[y * 640], buffer->line[y], 640);
            compose(draw_map);
            frames++;
            for (int y = 0; y < 480; y++)
                if (memcmp(&plain[y * 640], buffer->line[y], 640) != 0) {
                    if (differing++ < 5) ADD_FAILURE() << "camera " << camera_x << ", " << camera_y << " line " << y;
                    break;
                }
        }
    night_mode = 0;
    EXPECT_EQ(differing, 0) << "of " << frames << " frames";
}
