// Missions: offering, the four step kinds, completion, the arrow and the text, the mission file.
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <initializer_list>

#include "actors/actors.h"
#include "display/palette.h"
#include "game_fixture.h"
#include "missions/missions.h"

namespace {
int centre(int cell) { return cell * 64 + 32; }

// How many listed sprites were made from source (by picture and behaviour); the last in found.
int count_of(const Sprite &source, Sprite **found = nullptr)
{
    int n = 0;
    for (Sprite *s = sprite_list; s; s = s->next)
        if (s->images[0].object == source.images[0].object && s->behaviour == source.behaviour) {
            n++;
            if (found) *found = s;
        }
    return n;
}

// What draw_mission_arrow left in a cleared buffer: the box of everything but the text's
// colour, the column of colour 2 (the test arrow's tip) and the text's pixels.
struct drawing {
    int left = 10000, top = 10000, right = -1, bottom = -1, tip_x = -1, text = 0;
};
drawing draw_now()
{
    clear_to_color(buffer, 0);
    draw_mission_arrow();
    drawing d;
    for (int y = 0; y < screen_height; y++)
        for (int x = 0; x < screen_width; x++) {
            int c = getpixel(buffer, x, y);
            if (c == COLOUR_MISSION_TEXT && y >= screen_height - 50) d.text++;
            if (c == 0 || c == COLOUR_MISSION_TEXT) continue;
            d.left = std::min(d.left, x), d.right = std::max(d.right, x);
            d.top = std::min(d.top, y), d.bottom = std::max(d.bottom, y);
            if (c == 2) d.tip_x = x;
        }
    return d;
}

// Pixels of the mission text's colour that draw_job_done left on the text's line.
int job_done_pixels()
{
    clear_to_color(buffer, 0);
    draw_job_done();
    int n = 0;
    for (int y = screen_height - 50; y < screen_height - 40; y++)
        for (int x = 0; x < 9 * 8; x++) n += getpixel(buffer, x, y) == COLOUR_MISSION_TEXT;
    return n;
}
}  // namespace

class MissionTest : public GameTest {
protected:
    BITMAP *block = nullptr;
    void SetUp() override
    {
        GameTest::SetUp();
        load_missions();
        memset(missions, 0, sizeof missions);
        text_speed = 17;
        player = make(skidrunner_template, centre(2), centre(2));
        // The arrow as a solid 16 x 16 block whose top row, the tip, is colour 2.
        block = create_bitmap(16, 16);
        clear_to_color(block, 1);
        hline(block, 0, 0, 15, 2);
        arrow_image = block;
    }
    void TearDown() override
    {
        arrow_image = nullptr;
        destroy_bitmap(block);
        GameTest::TearDown();
    }
    struct place {
        int x, y, kind;
    };
    // Record i: its start cell and its steps.
    static MissionRecord &plan(int i, int sx, int sy, std::initializer_list<place> steps)
    {
        MissionRecord &r = missions[i];
        r.step_count = (int)steps.size();
        r.start_x = sx, r.start_y = sy;
        int j = 0;
        for (const place &p : steps)
            r.steps[j].cell_x = p.x, r.steps[j].cell_y = p.y, r.steps[j++].kind = p.kind;
        return r;
    }
    static void move_player(int x, int y)
    {
        player->x = x, player->y = y;
        player->tile_x = x / 64, player->tile_y = y / 64;
    }
};

TEST_F(MissionTest, OneStepGotoOnItsStartCompletesTwoTicksLater)
{
    plan(0, 10, 10, {{10, 10, STEP_GOTO}});
    felony = 3;
    move_player(centre(10) + 20, centre(10) - 5);
    Sprite *walker = player;
    update_missions();  // starts: a marker on the place, no text yet
    ASSERT_EQ(current_mission, &missions[0]);
    EXPECT_EQ(mission_target->images[0].object, marker_template.images[0].object);
    EXPECT_EQ(mission_target->x, centre(10));
    EXPECT_EQ(mission_text, nullptr);
    update_missions();  // the step is finished, nothing more starts
    EXPECT_EQ(step_index, 1);
    EXPECT_TRUE(mission_under_way());
    update_missions();  // complete
    EXPECT_FALSE(mission_under_way());
    EXPECT_EQ(missions[0].done, -1);
    EXPECT_EQ(felony, 0);
    EXPECT_TRUE(walker->flags & SPRITE_REMOVE);
    EXPECT_NE(player, walker);
    EXPECT_EQ(player->x, walker->x);
    EXPECT_EQ(player->y, walker->y);
    int before = list_length();
    update_missions();  // done: neither started again nor marked
    EXPECT_FALSE(mission_under_way());
    EXPECT_EQ(list_length(), before);
}

TEST_F(MissionTest, CompletingAtTheWheelLeavesThePlayerOnFoot)
{
    plan(0, 10, 10, {{10, 10, STEP_GOTO}});
    Sprite *car = player = make(car_b_template, centre(10), centre(10));
    for (int tick = 0; tick < 3; tick++) update_missions();
    EXPECT_TRUE(car->flags & SPRITE_REMOVE);
    EXPECT_EQ(player->images[0].object, skidrunner_template.images[0].object);
}

TEST_F(MissionTest, OnlyRecordsWithOneToTenStepsAreOfferedAndMarked)
{
    plan(0, 2, 2, {});  // empty, under the player's feet
    plan(1, 2, 2, {{5, 5, STEP_GOTO}}).step_count = 11;
    plan(2, 2, 2, {{5, 5, STEP_GOTO}}).step_count = -1;
    plan(3, 2, 2, {{5, 5, STEP_GOTO}}).done = -1;
    plan(4, 8, 9, {{5, 5, STEP_GOTO}});
    update_missions();
    EXPECT_FALSE(mission_under_way());
    Sprite *marker = nullptr;
    ASSERT_EQ(count_of(start_marker_template, &marker), 1);
    EXPECT_EQ(marker->x, centre(8));
    EXPECT_EQ(marker->y, 9 * 64 + 50);
    update_missions();  // a new marker every tick
    EXPECT_EQ(count_of(start_marker_template), 2);
}

TEST_F(MissionTest, TheBriefcaseFacesNorthAndIsTakenWithinFifteenPixels)
{
    plan(0, 2, 2, {{4, 2, STEP_BRIEFCASE}, {6, 2, STEP_GOTO}});
    update_missions();
    Sprite *briefcase = mission_target;
    EXPECT_EQ(briefcase->angle, itofix(-64));
    EXPECT_EQ(briefcase->x, centre(4));
    EXPECT_STREQ(mission_text, "get a briefcase");
    EXPECT_EQ(mission_text_end, 1000 + 17000);
    for (int off = 15; off >= 14; off--) {
        move_player(centre(4) + off, centre(2));
        briefcase_behaviour(briefcase, EVENT_UPDATE);
        update_missions();
        EXPECT_EQ(step_index, off == 14);
    }
    EXPECT_TRUE(briefcase->flags & SPRITE_REMOVE);
    EXPECT_EQ(mission_target->x, centre(6));
    EXPECT_STREQ(mission_text, "get a briefcase");  // a place to reach keeps the text
}

TEST_F(MissionTest, AKillRaisesFelonyByOneButNotPastFive)
{
    plan(0, 2, 2, {{4, 4, STEP_KILL}, {5, 5, STEP_KILL}, {9, 9, STEP_GOTO}});
    felony = 4;
    update_missions();
    EXPECT_EQ(mission_target->images[0].object, pedestrian_template.images[0].object);
    EXPECT_EQ(mission_target->angle, 0);
    EXPECT_STREQ(mission_text, "kill someone");
    update_missions();
    EXPECT_EQ(step_index, 0);  // walking about unharmed
    for (int kill = 1; kill <= 2; kill++) {
        pedestrian_behaviour(mission_target, EVENT_STRUCK);
        update_missions();
        EXPECT_EQ(felony, 5);
        EXPECT_EQ(step_index, kill);
    }
}

TEST_F(MissionTest, TheBombIsPlantedWhereThePlayerStands)
{
    plan(0, 2, 2, {{7, 7, STEP_BOMB}});
    update_missions();
    EXPECT_STREQ(mission_text, "plant a bomb");
    EXPECT_EQ(count_of(bomb_template), 0);
    move_player(7 * 64 + 3, 7 * 64 + 60);
    update_missions();
    Sprite *bomb = nullptr;
    ASSERT_EQ(count_of(bomb_template, &bomb), 1);
    EXPECT_EQ(bomb->x, 7 * 64 + 3);
    EXPECT_EQ(bomb->y, 7 * 64 + 60);
    EXPECT_EQ(bomb->angle, itofix(-64));
    EXPECT_EQ(bomb->wait, 1000);
}

TEST_F(MissionTest, TwoMissionsOnOneStartBothStartAndTheLaterStays)
{
    plan(3, 2, 2, {{4, 4, STEP_KILL}});
    plan(6, 2, 2, {{6, 6, STEP_BRIEFCASE}});
    update_missions();
    EXPECT_EQ(current_mission, &missions[6]);
    EXPECT_EQ(count_of(pedestrian_template), 1);
    EXPECT_EQ(count_of(briefcase_template), 1);
    EXPECT_EQ(count_of(start_marker_template), 0);
}

TEST_F(MissionTest, AVanishedTargetLeavesTheStepUnfinishedAndKeepsItsText)
{
    plan(0, 2, 2, {{4, 4, STEP_KILL}, {9, 9, STEP_GOTO}});
    update_missions();
    remove_sprite(mission_target);  // drowned
    update_missions();
    EXPECT_EQ(mission_target, nullptr);
    // Whoever is struck now, this step is not theirs.
    pedestrian_behaviour(make(pedestrian_template, centre(4), centre(4)), EVENT_STRUCK);
    update_missions();
    EXPECT_EQ(step_index, 0);
    drawing d = draw_now();
    EXPECT_EQ(d.right, -1);  // no arrow
    EXPECT_GT(d.text, 0);
}

TEST_F(MissionTest, TheArrowSitsOnATargetWithinAThirdOfTheScreen)
{
    plan(0, 2, 2, {{20, 15, STEP_GOTO}});
    update_missions();
    for (int east : {212, 213}) {
        move_player(centre(20) - east, centre(15));
        camera_x = player->x, camera_y = player->y;
        drawing d = draw_now();
        // On the target itself, or 90 px from the player toward it: pointing east either way.
        EXPECT_EQ(d.left, east == 212 ? 320 + 212 - 8 : 320 + 90) << east;
        EXPECT_EQ(d.top, east == 212 ? 240 - 8 : 240) << east;
        EXPECT_EQ(d.right, d.left + 15) << east;
        EXPECT_EQ(d.bottom, d.top + 15) << east;
        EXPECT_EQ(d.tip_x, d.right) << east;
    }
}

TEST_F(MissionTest, NothingIsDrawnWithoutAMission)
{
    mission_text = "kill someone";
    mission_text_end = 1000000;
    drawing d = draw_now();
    EXPECT_EQ(d.right, -1);
    EXPECT_EQ(d.text, 0);
}

TEST_F(MissionTest, TheTextShowsForTextSpeedSecondsFromEachStep)
{
    text_speed = 8;
    plan(0, 2, 2, {{4, 4, STEP_KILL}, {9, 9, STEP_GOTO}});
    update_missions();
    set_game_clock(8999);
    EXPECT_GT(draw_now().text, 0);
    set_game_clock(9000);
    EXPECT_EQ(draw_now().text, 0);
    pedestrian_behaviour(mission_target, EVENT_STRUCK);
    update_missions();  // the place to reach shows "kill someone" anew
    EXPECT_STREQ(mission_text, "kill someone");
    set_game_clock(16999);
    EXPECT_GT(draw_now().text, 0);
    set_game_clock(17000);
    EXPECT_EQ(draw_now().text, 0);
}

TEST_F(MissionTest, JobDoneShowsForTextSpeedSecondsAfterCompletionUntilANewGame)
{
    text_speed = 26;
    plan(0, 2, 2, {{2, 2, STEP_GOTO}});
    EXPECT_EQ(job_done_pixels(), 0);
    for (int tick = 0; tick < 3; tick++) update_missions();  // starts, finishes, completes
    ASSERT_FALSE(mission_under_way());
    EXPECT_GT(job_done_pixels(), 0);
    set_game_clock(1000 + 25999);
    EXPECT_GT(job_done_pixels(), 0);
    set_game_clock(1000 + 26000);
    EXPECT_EQ(job_done_pixels(), 0);
    // A new game forgets it; so does the next mission, whose own words take the place.
    set_game_clock(2000);
    load_missions();
    EXPECT_EQ(job_done_pixels(), 0);
    memset(missions, 0, sizeof missions);
    plan(1, 5, 5, {{9, 9, STEP_GOTO}});
    job_done = true, job_done_end = 100000;
    move_player(centre(5), centre(5));
    update_missions();
    ASSERT_TRUE(mission_under_way());
    EXPECT_FALSE(job_done_showing());
    EXPECT_EQ(job_done_pixels(), 0);
}

TEST_F(MissionTest, AShortFileFillsOnlyTheRecordsItReaches)
{
    unsigned char bytes[MISSION_RECORD_BYTES + 10] = {};
    put_le32_at(bytes, 3);
    put_le32_at(bytes + 228, 2);
    put_le32_at(bytes + 232, 51);
    missions[1].start_y = 0x30000 + 77;
    bytes[228 + 8] = 5;
    missions[9].step_count = 5;
    // Named for this process: another build's tests may be running the same test now.
    std::string path = testing::TempDir() + "short-" + std::to_string(getpid()) + ".mis";
    std::ofstream(path, std::ios::binary).write((const char *)bytes, sizeof bytes);
    read_mission_file(path.c_str());
    unlink(path.c_str());
    EXPECT_EQ(missions[0].step_count, 3);
    EXPECT_EQ(missions[1].step_count, 2);
    EXPECT_EQ(missions[1].start_x, 51);
    EXPECT_EQ(missions[1].start_y, 0x30000 + 5);  // the file ended half-way into this field
    EXPECT_EQ(missions[9].step_count, 5);
}

using MissionDeathTest = MissionTest;
TEST_F(MissionDeathTest, MissingFilesStopTheGameWithTheirMessages)
{
    // fatal_error prints to standard output; the death test reads standard error.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            read_mission_file("no-such.mis");
        },
        testing::ExitedWithCode(1), "Error loading .mis file!");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            if (chdir("/") == 0) load_missions();
        },
        testing::ExitedWithCode(1), "Error opening mission.dat");
}
