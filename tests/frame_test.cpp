// The command line, the fixed-step arithmetic of the main loop, the key-code table, input
// events, game keys, recording and the random numbers.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frame/home.h"
#include "game_fixture.h"
#include "sound/sound.h"

namespace {
// Runs parse_command_line in a scratch folder holding a demo.dem whose first tick is 7 (or,
// as an installed game's folder does, a link to such a shipped.dem).
struct CommandLine {
    explicit CommandLine(std::vector<std::string> args, bool linked = false)
        : args(std::move(args))
    {
        char folder[] = "/tmp/skid-cmdline-XXXXXX";
        dir = mkdtemp(folder);
        getcwd(old, sizeof old);
        chdir(dir.c_str());
        if (linked) symlink("shipped.dem", "demo.dem");
        FILE *f = fopen(linked ? "shipped.dem" : "demo.dem", "wb");
        const unsigned char first[4] = {7, 0, 0, 0};
        fwrite(first, 1, 4, f);
        fclose(f);
        for (auto &a : this->args) argv.push_back(a.data());
        saved_argc = (int)argv.size();
        saved_argv = argv.data();
        demo_mode = DEMO_NONE;
        next_demo_tick = 0;
        screen_width = 640;
        screen_height = 480;
        window_scale = 0;
        parse_command_line();
    }
    ~CommandLine()
    {
        if (demo_file) fclose(demo_file);
        demo_file = nullptr;
        demo_mode = DEMO_NONE;
        screen_width = 640;
        screen_height = 480;
        window_scale = 0;
        chdir(old);
        std::string cleanup = "rm -rf " + dir;
        system(cleanup.c_str());
    }
    long demo_size(const char *name = "demo.dem") const
    {
        FILE *f = fopen((dir + "/" + name).c_str(), "rb");
        fseek(f, 0, SEEK_END);
        long size = ftell(f);
        fclose(f);
        return size;
    }
    std::vector<std::string> args;
    std::vector<char *> argv;
    std::string dir;
    char old[4096];
};
}  // namespace

TEST(CommandLine, RecordOpensTheDemoForWriting)
{
    CommandLine cl({"skidrunner", "-record"});
    EXPECT_EQ(demo_mode, DEMO_RECORDING);
    ASSERT_NE(demo_file, nullptr);
    fflush(demo_file);
    EXPECT_EQ(cl.demo_size(), 0);  // truncated, ready for records
    EXPECT_EQ(screen_width, 640);
}

TEST(CommandLine, RecordingLeavesTheShippedDemoAlone)
{
    CommandLine cl({"skidrunner", "-record"}, true);
    fflush(demo_file);
    EXPECT_EQ(cl.demo_size("shipped.dem"), 4);
    EXPECT_EQ(cl.demo_size(), 0);
}

TEST(CommandLine, PlayReadsTheFirstTick)
{
    CommandLine cl({"skidrunner", "-play"});
    EXPECT_EQ(demo_mode, DEMO_PLAYING);
    EXPECT_EQ(next_demo_tick, 7);
    EXPECT_EQ(cl.demo_size(), 4);
}

TEST(CommandLine, TheLaterDemoOptionWins)
{
    {
        CommandLine cl({"skidrunner", "-play", "-record"});
        EXPECT_EQ(demo_mode, DEMO_RECORDING);
    }
    CommandLine cl({"skidrunner", "-record", "-play"});
    EXPECT_EQ(demo_mode, DEMO_PLAYING);
    EXPECT_EQ(cl.demo_size(), 0);  // "-record" had already emptied it
    EXPECT_EQ(next_demo_tick, 0);
}

TEST(CommandLine, VgaIsIndependentOfTheDemoOptions)
{
    CommandLine cl({"skidrunner", "-VGA", "-play"});
    EXPECT_EQ(screen_width, 320);
    EXPECT_EQ(screen_height, 200);
    EXPECT_EQ(demo_mode, DEMO_PLAYING);
}

TEST(CommandLine, ScaleAsksForABiggerWindowAndTheLaterScreenOptionWins)
{
    auto asked = [](std::vector<std::string> args) {
        CommandLine cl(std::move(args));
        return std::to_string(screen_width) + "x" + std::to_string(screen_height) + " scale " +
               std::to_string(window_scale) + (demo_mode == DEMO_PLAYING ? " play" : "");
    };
    EXPECT_EQ(asked({"skidrunner"}), "640x480 scale 0");  // the desktop decides
    EXPECT_EQ(asked({"skidrunner", "-scale", "3"}), "1920x1440 scale 3");
    EXPECT_EQ(asked({"skidrunner", "-VGA", "-scale", "2"}), "1280x960 scale 2");
    EXPECT_EQ(asked({"skidrunner", "-scale", "2", "-VGA"}), "320x200 scale 1");
    EXPECT_EQ(asked({"skidrunner", "-scale", "5", "-play"}), "640x480 scale 0 play");
    EXPECT_EQ(asked({"skidrunner", "-scale", "-play"}), "640x480 scale 0 play");
    EXPECT_EQ(asked({"skidrunner", "-play", "-scale"}), "640x480 scale 0 play");
}

TEST(CommandLine, ThePlayersFolderIsUnderTheXdgDataHome)
{
    EXPECT_EQ(player_folder_for("/x/data", "/home/p"), "/x/data/skidrunner");
    EXPECT_EQ(player_folder_for("relative", "/home/p"), "/home/p/.local/share/skidrunner");
    EXPECT_EQ(player_folder_for(nullptr, "/home/p"), "/home/p/.local/share/skidrunner");
    EXPECT_EQ(player_folder_for(nullptr, nullptr), "");
}

TEST(CommandLine, OptionsAreWholeAndCaseSensitive)
{
    CommandLine cl({"skidrunner", "-vga", "-Record", "-play2", "record"});
    EXPECT_EQ(demo_mode, DEMO_NONE);
    EXPECT_EQ(screen_width, 640);
}

class MainLoopTest : public GameTest {
protected:
    // Steps run by one batch when the clock has moved elapsed ms since the last one.
    int steps_for(int32_t elapsed)
    {
        game_state = STATE_TITLE;
        last_update_time = 5000;
        set_game_clock(5000 + elapsed);
        int32_t before = tick_count;
        run_due_steps();
        return tick_count - before;
    }
};

TEST_F(MainLoopTest, OneStepForEachWholeTenMilliseconds)
{
    EXPECT_EQ(steps_for(0), 0);
    EXPECT_EQ(steps_for(9), 0);
    EXPECT_EQ(steps_for(10), 1);
    EXPECT_EQ(steps_for(11), 1);
    EXPECT_EQ(steps_for(25), 2);
    EXPECT_EQ(last_update_time, 5020);  // the 5 ms not yet due wait for the next pass
}

TEST_F(MainLoopTest, HundredStepsASecondHoweverOftenFramesAreDrawn)
{
    game_state = STATE_TITLE;
    for (int frame_ms : {1, 3, 7, 25, 40}) {
        last_update_time = 0;
        int32_t before = tick_count;
        for (int32_t now = 0; now <= 1000; now += frame_ms) {
            set_game_clock(now);
            run_due_steps();
        }
        int32_t ran = tick_count - before;
        EXPECT_GE(ran, 1000 / frame_ms * frame_ms / 10 - 1) << "a frame every " << frame_ms << " ms";
        EXPECT_LE(ran, 100) << "a frame every " << frame_ms << " ms";
    }
}

TEST_F(MainLoopTest, TimeInsideTheStepsIsNotMadeUp)
{
    steps_for(25);
    int32_t before = tick_count;
    run_due_steps();  // clock unchanged: no step
    EXPECT_EQ(tick_count, before);
    EXPECT_EQ(next_step_due(), 5030);  // the loop sleeps until the carried 5 ms are whole
}

TEST_F(MainLoopTest, TitleStepsEndAnyDemo)
{
    demo_mode = DEMO_RECORDING;
    steps_for(10);
    EXPECT_EQ(demo_mode, DEMO_NONE);
}

TEST(KeyCodes, LiveCodesBecomeTheCodesDemoFilesHold)
{
    for (int code = 0; code <= 102; code++) {
        EXPECT_EQ(key_code_40(code), code);
        EXPECT_EQ(key_code_live(code), code);
    }
    EXPECT_EQ(key_code_40(KEY_LCONTROL), GAME_KEY_LCONTROL);
    EXPECT_EQ(key_code_live(GAME_KEY_LCONTROL), KEY_LCONTROL);
    EXPECT_EQ(key_code_40(KEY_LSHIFT), 103);
    EXPECT_EQ(key_code_40(KEY_CAPSLOCK), 114);
    for (int live = 103; live <= 114; live++) EXPECT_EQ(key_code_40(live), -1);
    EXPECT_EQ(key_code_live(115), -1);
    EXPECT_EQ(key_code_40(KEY_UP), GAME_KEY_UP);
    EXPECT_EQ(key_code_40(KEY_ESC), GAME_KEY_ESC);
}

class InputTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        player = make(skidrunner_template, 3000, 3000);
    }
    void press(int live) { key[live] = 1, poll_input(); }
    void release(int live) { key[live] = 0, poll_input(); }
};

TEST_F(InputTest, KeyPressedAndReleasedWithinOneStepMakesNoEvent)
{
    key[KEY_UP] = 1;
    key[KEY_UP] = 0;
    poll_input();
    EXPECT_EQ(player->forward, 0);
    press(KEY_UP);
    EXPECT_EQ(player->forward, -1);
    release(KEY_UP);
    EXPECT_EQ(player->forward, 0);
}

TEST_F(InputTest, LeftAndRightTogetherCancelInAnyOrder)
{
    press(KEY_LEFT);
    EXPECT_EQ(player->turn, -itofix(2));
    press(KEY_RIGHT);
    EXPECT_EQ(player->turn, 0);
    release(KEY_LEFT);
    EXPECT_EQ(player->turn, itofix(2));
    release(KEY_RIGHT);
    EXPECT_EQ(player->turn, 0);
}

TEST_F(InputTest, ControlKeysSetThePlayersFields)
{
    press(KEY_LCONTROL);
    EXPECT_TRUE(player->flags & SPRITE_FIRING);
    release(KEY_LCONTROL);
    EXPECT_FALSE(player->flags & SPRITE_FIRING);
    press(KEY_SPACE);
    EXPECT_EQ(player->handbrake, -1);
    press(KEY_DOWN);
    EXPECT_EQ(player->reverse, -1);
    press(KEY_1);
    EXPECT_EQ(current_weapon, &weapons[0]);
    press(KEY_4);
    EXPECT_EQ(current_weapon, &weapons[3]);
    player->link = player;
    press(KEY_UP);
    EXPECT_EQ(player->link, nullptr);  // forward cancels a walk to a car
}

TEST_F(InputTest, TheHornSoundsWhileTabIsHeld)
{
    press(KEY_TAB);
    EXPECT_EQ(player->sample, sound_sample(2));
    EXPECT_NE(player->sample_loop, 0);  // looping
    release(KEY_TAB);
    EXPECT_EQ(player->sample_loop, 0);
}

TEST_F(InputTest, EscapeShowsTheTitleAndLaterEventsOfThePollGoThere)
{
    key[KEY_ESC] = 1;
    key[KEY_UP] = 1;  // same poll, after Escape: goes to the menu, not the player
    poll_input();
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(player->forward, 0);
}

TEST_F(InputTest, AWreckedPlayerIgnoresEveryKey)
{
    player->flags |= SPRITE_WRECKED;
    press(KEY_ESC);
    press(KEY_UP);
    EXPECT_EQ(game_state, STATE_PLAYING);
    EXPECT_EQ(player->forward, 0);
}

TEST_F(InputTest, DuringPlaybackAKeyPressEndsItAndGoesNowhere)
{
    demo_mode = DEMO_PLAYING;
    idle_ticks = 123;
    press(KEY_UP);
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(idle_ticks, 0);
    EXPECT_EQ(player->forward, 0);
}

TEST_F(InputTest, MouseButtonsMakeOneEventAndMovesNone)
{
    demo_mode = DEMO_RECORDING;
    demo_file = tmpfile();
    tick_count = 41;
    mouse_b = 1;
    poll_input();
    mouse_x = 77;  // a move without a button change: nothing more
    poll_input();
    EXPECT_EQ(previous_mouse_b, 1);
    EXPECT_EQ(ftell(demo_file), 12);
    fclose(demo_file);
    demo_file = nullptr;
}

TEST_F(InputTest, RecordingWritesEachEventWithItsTickFirst)
{
    demo_mode = DEMO_RECORDING;
    demo_file = tmpfile();
    tick_count = 300;
    press(KEY_LCONTROL);
    tick_count = 301;
    release(KEY_LCONTROL);
    rewind(demo_file);
    int32_t records[6];
    ASSERT_EQ(fread(records, 4, 6, demo_file), 6u);
    EXPECT_EQ(records[0], 300);
    EXPECT_EQ(records[1], EVENT_PRESSED);
    EXPECT_EQ(records[2], GAME_KEY_LCONTROL);  // the 4.0 code, not the live one
    EXPECT_EQ(records[3], 301);
    EXPECT_EQ(records[4], EVENT_RELEASED);
    fclose(demo_file);
    demo_file = nullptr;
}

TEST_F(InputTest, PlaybackHandsRecordsToTheGameAtTheirTicks)
{
    FILE *f = tmpfile();
    int32_t records[] = {5, 1, GAME_KEY_UP, 5, 1, GAME_KEY_LEFT, 9, 0, GAME_KEY_UP};
    fwrite(records, 4, 9, f);
    rewind(f);
    demo_file = f;
    demo_mode = DEMO_PLAYING;
    int32_t first;
    fread(&first, 4, 1, f);
    next_demo_tick = first;
    tick_count = 5;
    replay_demo_events();
    EXPECT_EQ(player->forward, -1);
    EXPECT_EQ(player->turn, -itofix(2));  // two records of one tick, in file order
    tick_count = 6;
    replay_demo_events();  // the next record waits
    EXPECT_EQ(player->forward, -1);
    tick_count = 9;
    replay_demo_events();
    EXPECT_EQ(player->forward, 0);
    EXPECT_EQ(game_state, STATE_TITLE);  // the file ended
    fclose(f);
    demo_file = nullptr;
}

TEST_F(GameTest, RandomNumbersWrapAfter256)
{
    for (int i = 0; i < 256; i++) random_table[i] = 1000 + i;
    random_index = 0;
    EXPECT_EQ(next_random(), 1001);  // the first value handed out is entry 1
    for (int i = 2; i < 256; i++) next_random();
    EXPECT_EQ(next_random(), 1000);  // the 256th: entry 0
    EXPECT_EQ(next_random(), 1001);  // the 257th: entry 1 again
}

TEST_F(GameTest, RandomTableIsTheFileLittleEndian)
{
    FILE *f = fopen("rand.rnd", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char b[8];
    ASSERT_EQ(fread(b, 1, 8, f), 8u);
    fclose(f);
    load_random_numbers();
    EXPECT_EQ(random_table[1], (int32_t)(b[4] | b[5] << 8 | b[6] << 16 | (uint32_t)b[7] << 24));
    EXPECT_EQ(random_index, 0);
}
