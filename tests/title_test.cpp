// The title: menus driven by keys and the mouse buttons, the options, starting and resuming
// games, the attract demo, and the big message banner of a running game.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "display/palette.h"
#include "game_fixture.h"

class TitleTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        if (!title_data) load_title();
        game_state = STATE_TITLE;
        current_menu = MENU_MAIN;
        menu_cursor = 0;
        menu_visible = -1;
        idle_ticks = 0;
        player = make(skidrunner_template, 3000, 3000);
        // The menus as at program start (an earlier test may have started a game).
        menus[MENU_MAIN][3] = MenuItem{"end", nullptr};
        menus[MENU_MAIN][4] = MenuItem{nullptr, nullptr};
    }
    static void key(int code) { menu_input(InputEvent{EVENT_PRESSED, code, 0, 0}); }
    static void click(int buttons) { menu_input(InputEvent{EVENT_MOUSE, 100, 200, buttons}); }
    static const char *row(int r) { return menus[current_menu][r].text; }
};

TEST_F(TitleTest, UpAndDownWrapRoundTheMenu)
{
    key(GAME_KEY_DOWN);
    key(GAME_KEY_DOWN);
    EXPECT_STREQ(row(menu_cursor), "Quit");
    key(GAME_KEY_DOWN);
    EXPECT_STREQ(row(menu_cursor), "New game");
    current_menu = MENU_OPTIONS;
    menu_cursor = 0;
    key(GAME_KEY_UP);
    EXPECT_EQ(menu_cursor, 3);
    EXPECT_STREQ(row(menu_cursor), "Back");
}

TEST_F(TitleTest, ACursorPastTheRowsComesBack)
{
    current_menu = MENU_ROLE;
    menu_cursor = 4;  // the pointer below three rows
    clamp_menu_cursor();
    EXPECT_EQ(menu_cursor, 0);
    menu_cursor = 12;
    clamp_menu_cursor();
    EXPECT_EQ(menu_cursor, 0);
}

TEST_F(TitleTest, ThePointerIsOverTheRowWhoseTextIsDrawnThere)
{
    // Row r's text starts at line 180 + 50 r; the gap down to the next row belongs to it too.
    EXPECT_EQ(menu_row_at(180), 0);
    EXPECT_EQ(menu_row_at(229), 0);
    EXPECT_EQ(menu_row_at(230), 1);
    EXPECT_EQ(menu_row_at(179), -1);  // above the first row: no row, however close
    EXPECT_EQ(menu_row_at(140), -1);
}

TEST_F(TitleTest, OnlyTheLeftButtonAloneChooses)
{
    click(2);
    click(3);
    click(0);
    EXPECT_EQ(current_menu, MENU_MAIN);
    click(1);
    EXPECT_EQ(current_menu, MENU_ROLE);  // "New game"
}

TEST_F(TitleTest, BeforeTheMenuShowsOnlyEnterDoesAnything)
{
    release_game_clock();  // the fade waits on the real clock
    menu_visible = 0;
    key(GAME_KEY_DOWN);
    EXPECT_EQ(menu_cursor, 0);
    key(GAME_KEY_ENTER);
    EXPECT_NE(menu_visible, 0);
    EXPECT_EQ(current_menu, MENU_MAIN);  // revealing runs no row
    EXPECT_EQ(title_picture, (BITMAP *)title_data[0].dat);
}

TEST_F(TitleTest, OptionRowsCycleAndShowTheSettingInForce)
{
    current_menu = MENU_OPTIONS;
    menu_cursor = 2;
    key(GAME_KEY_ENTER);
    EXPECT_EQ(difficulty, 13);
    EXPECT_STREQ(row(2), "Difficulty medium");
    key(GAME_KEY_ENTER);
    key(GAME_KEY_ENTER);
    EXPECT_EQ(difficulty, 21);
    EXPECT_STREQ(row(2), "Difficulty easy");
    menu_cursor = 1;
    key(GAME_KEY_ENTER);
    EXPECT_STREQ(row(1), "Text speed Fast");
    key(GAME_KEY_ENTER);
    EXPECT_STREQ(row(1), "Text speed Slow");
    key(GAME_KEY_ENTER);
    EXPECT_STREQ(row(1), "Text speed Medium");
    EXPECT_EQ(text_speed, 17);
    menu_cursor = 0;
    key(GAME_KEY_ENTER);
    EXPECT_STREQ(row(0), "Night time");
    EXPECT_EQ(night_mode, 1);
    key(GAME_KEY_ENTER);
    EXPECT_STREQ(row(0), "Day time");
    EXPECT_EQ(night_mode, 0);
    menu_cursor = 3;
    key(GAME_KEY_ENTER);
    EXPECT_EQ(current_menu, MENU_MAIN);
}

TEST_F(TitleTest, PlayingAsACopThenEscapeOffersTheWayBack)
{
    current_menu = MENU_ROLE;
    menu_cursor = 1;
    key(GAME_KEY_ENTER);
    EXPECT_EQ(game_state, STATE_PLAYING);
    EXPECT_EQ(player_template, &cop_template);
    EXPECT_EQ(sprite_faction(player), FACTION_POLICE);
    EXPECT_EQ(player->x, start_x);
    game_state = STATE_TITLE;  // Escape
    EXPECT_EQ(current_menu, MENU_MAIN);
    EXPECT_STREQ(row(menu_cursor), "Options");
    EXPECT_STREQ(row(3), "Back to game");
    EXPECT_STREQ(row(4), "end");
    Sprite *same = player;
    menu_cursor = 3;
    key(GAME_KEY_ENTER);
    EXPECT_EQ(game_state, STATE_PLAYING);
    EXPECT_EQ(player, same);  // the same world goes on
}

using TitleDeathTest = TitleTest;
TEST_F(TitleDeathTest, QuitEndsTheProgramCleanly)
{
    EXPECT_EXIT(menu_quit(), testing::ExitedWithCode(0), "");
}

TEST_F(TitleTest, AfterFiveIdleMinutesTheDemoPlays)
{
    // A folder with the game's files but a demo of its own.
    char folder[] = "/tmp/skid-attract-XXXXXX";
    std::string dir = mkdtemp(folder);
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    std::string links = "for f in " + std::string(old) + "/*.dat " + old + "/*.pcx " + old +
                        "/*.map " + old + "/*.mis " + old + "/rand.rnd; do ln -s $f " + dir +
                        "/; done 2>/dev/null";
    system(links.c_str());
    ASSERT_EQ(chdir(dir.c_str()), 0);

    idle_ticks = IDLE_DEMO_TICKS - 1;
    title_update();  // 30,000: nothing yet
    EXPECT_EQ(game_state, STATE_TITLE);
    title_update();  // no demo.dem: the title waits again
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(idle_ticks, 0);

    FILE *f = fopen("demo.dem", "wb");
    int32_t record[3] = {40, 1, GAME_KEY_UP};
    fwrite(record, 4, 3, f);
    fclose(f);
    idle_ticks = IDLE_DEMO_TICKS;
    title_update();
    EXPECT_EQ(game_state, STATE_PLAYING);
    EXPECT_EQ(demo_mode, DEMO_PLAYING);
    EXPECT_EQ(next_demo_tick, 40);
    EXPECT_EQ(tick_count, 0);
    EXPECT_EQ(player_template, &skidrunner_template);
    fclose(demo_file);
    demo_file = nullptr;
    demo_mode = DEMO_NONE;
    ASSERT_EQ(chdir(old), 0);
    system(("rm -rf " + dir).c_str());
}

class BannerTest : public TitleTest {
protected:
    void SetUp() override
    {
        TitleTest::SetUp();
        game_state = STATE_PLAYING;
        clear_to_color(buffer, 250);
        draw_banner();  // a frame without a banner sets its colour back to the start
        clear_to_color(buffer, 250);
    }
};

TEST_F(BannerTest, ItIsCentredEightPixelsACharacter)
{
    show_banner("Busted!");
    draw_banner();
    bool ink = false, left = false;
    for (int y = 232; y < 232 + 18; y++) {
        for (int x = 264; x < 264 + 7 * 16; x++) ink |= getpixel(buffer, x, y) == 48;
        for (int x = 0; x < 264; x++) left |= getpixel(buffer, x, y) != 250;
    }
    EXPECT_TRUE(ink);
    EXPECT_FALSE(left);
    EXPECT_EQ(banner_colour, 49);
}

// The banner's scratch is only as large as its text: every frame must be the one a screen-sized
// scratch gave, for the game's banners and for a text wider than the screen.
TEST_F(BannerTest, ItsFrameIsTheScreenSizedScratchsFrame)
{
    BITMAP *plain = create_bitmap(640, 480), *scratch = create_bitmap(640, 480);
    for (const char *text : {"Busted!", "Scrap metal!", "A banner far wider than the whole screen"}) {
        show_banner(text);
        clear_to_color(plain, 250);
        clear_bitmap(scratch);
        textout_ex(scratch, menu_font, text, 0, 0, banner_colour, -1);
        draw_sprite(plain, scratch, 320 - 8 * (int)strlen(text), 232);
        clear_to_color(buffer, 250);
        draw_banner();
        int differing = 0;
        for (int y = 0; y < 480; y++) differing += memcmp(plain->line[y], buffer->line[y], 640) != 0;
        EXPECT_EQ(differing, 0) << text;
    }
    destroy_bitmap(scratch);
    destroy_bitmap(plain);
}

TEST_F(BannerTest, ItsColourPulsesUpAndDown)
{
    show_banner("Wasted!");
    int seen[12];
    for (int &c : seen) {
        c = banner_colour;
        draw_banner();
    }
    EXPECT_EQ(seen[0], 48);
    EXPECT_EQ(seen[9], 57);
    EXPECT_EQ(seen[10], 56);
}

TEST_F(BannerTest, WhenItEndsThePlayerStartsAgain)
{
    set_game_clock(10000);
    show_banner("Splash!");
    felony = 3;
    Sprite *old = player;
    set_game_clock(15000);  // still drawn at its end time
    draw_banner();
    EXPECT_NE(banner_active, 0);
    set_game_clock(15001);
    draw_banner();
    EXPECT_EQ(banner_active, 0);
    EXPECT_NE(player, old);
    EXPECT_EQ(player->x, start_x);
    EXPECT_EQ(felony, 0);
    EXPECT_EQ(game_state, STATE_PLAYING);
}

TEST_F(BannerTest, ADemoEndsWithItsBanner)
{
    demo_mode = DEMO_PLAYING;
    show_banner("Wasted!");
    set_game_clock(1000000);
    draw_banner();
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(demo_mode, DEMO_NONE);
}
