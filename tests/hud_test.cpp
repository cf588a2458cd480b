// The heads-up display in the bottom-right corner: the wanted level, on foot the weapon in hand,
// and at the wheel the speedometer's needle and the car's condition.
#include "display/palette.h"
#include "game_fixture.h"
#include "hud/hud.h"

#include <vector>

class HudTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        if (!hud_data) load_hud();
        player = make(skidrunner_template, 3000, 3000);
        clear_to_color(buffer, 250);
    }
    static int at(int x, int y) { return getpixel(buffer, x, y); }
    static bool untouched(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (at(x, y) != 250) return false;
        return true;
    }
    // The player at the wheel of a car at the given speed rating.
    void drive_at(int speed)
    {
        Sprite *car = make(car_a_template, 3000, 3000);
        car->speed = speed;
        player = car;
    }
};

// The weapon panel: the bottom 20 rows, 160 columns ending 4 columns left of the felony strip.
constexpr int PANEL_LEFT = 640 - 200 - 4 - 160, PANEL_RIGHT = 640 - 200 - 4 - 1;

TEST_F(HudTest, OnFootWithoutAFelonyOnlyTheWeaponShows)
{
    draw_hud();
    EXPECT_TRUE(untouched(0, 0, 639, 459));
    EXPECT_TRUE(untouched(0, 460, PANEL_LEFT - 1, 479));
    EXPECT_TRUE(untouched(PANEL_RIGHT + 1, 460, 639, 479));  // no felony strip
    EXPECT_EQ(at(PANEL_LEFT + 80, 478), COLOUR_TRANSPARENT);   // the panel's black
}

TEST_F(HudTest, TheWeaponShownIsTheOneInHandAndOnlyOnFoot)
{
    const char *names[4] = {"Pistol", "Machine gun", "Flame thrower", "Rocket launcher"};
    for (int row = 0; row < 4; row++) {
        current_weapon = &weapons[row];
        EXPECT_EQ(shown_weapon(), row);
        EXPECT_STREQ(weapon_name(shown_weapon()), names[row]);
        ASSERT_NE(weapon_images[row], nullptr) << names[row];
    }
    // Each weapon looks different on the panel.
    std::vector<int> panels[4];
    for (int row = 0; row < 4; row++) {
        current_weapon = &weapons[row];
        clear_to_color(buffer, 250);
        draw_hud();
        for (int y = 460; y < 480; y++)
            for (int x = PANEL_LEFT; x <= PANEL_RIGHT; x++) panels[row].push_back(at(x, y));
        for (int other = 0; other < row; other++) EXPECT_NE(panels[row], panels[other]);
    }
    drive_at(100);
    EXPECT_EQ(shown_weapon(), -1);
    clear_to_color(buffer, 250);
    draw_hud();
    EXPECT_TRUE(untouched(PANEL_LEFT, 460, PANEL_RIGHT, 479));
}

TEST_F(HudTest, TheFelonyBarGrowsFortyPixelsALevel)
{
    felony = 2;
    draw_hud();
    EXPECT_EQ(at(640 - 200, 479), COLOUR_TRANSPARENT);  // the black strip
    // Below the text line: the strip left of the bar, the bar's own colours from 80 px in.
    EXPECT_EQ(at(640 - 81, 476), COLOUR_TRANSPARENT);
    EXPECT_NE(at(640 - 79, 476), COLOUR_TRANSPARENT);
    EXPECT_NE(at(640 - 79, 476), 250);
    bool text = false;  // "Felony: 40" lies on the strip
    for (int x = 490; x < 560; x++) text |= at(x, 468) != COLOUR_TRANSPARENT;
    EXPECT_TRUE(text);
    EXPECT_TRUE(untouched(0, 0, 639, 479 - 20));  // nothing above the strip on foot
}

TEST_F(HudTest, AtTheWheelTheNeedleFollowsTheSpeed)
{
    drive_at(150);
    draw_hud();
    EXPECT_EQ(at(640 - 50 + 39, 480 - 100), COLOUR_TRANSPARENT);  // pointing right
    clear_to_color(buffer, 250);
    drive_at(214);
    draw_hud();
    EXPECT_EQ(at(640 - 50, 480 - 100 + 39), COLOUR_TRANSPARENT);  // straight down
    EXPECT_EQ(at(640 - 201, 480 - 25), 250);  // nothing left of the condition bar
}

TEST_F(HudTest, TheConditionBarShowsHealthAndHidesBelowZero)
{
    drive_at(0);
    player->health = 50;  // half: the bar's left 100 columns show
    draw_hud();
    EXPECT_NE(at(640 - 99, 480 - 24), COLOUR_TRANSPARENT);
    EXPECT_EQ(at(640 - 101, 480 - 24), COLOUR_TRANSPARENT);
    clear_to_color(buffer, 250);
    player->health = -10;  // a wreck: no bar, no text
    draw_hud();
    for (int x = 640 - 200; x < 640; x++)
        for (int y = 480 - 40; y < 480 - 20; y++) ASSERT_EQ(at(x, y), COLOUR_TRANSPARENT);
}
