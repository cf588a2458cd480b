// The palette, the light overlay, the night, the fades, the screen-mode cycle and the
// repainting of sprite pictures.
#include <string>

#include "display/palette.h"
#include "game_fixture.h"

namespace {
int light_at_distance(int d) { return getpixel(light_overlay, 320 + d, 240); }

BITMAP *paint_swatch()
{
    BITMAP *b = create_bitmap(16, 3);
    clear_bitmap(b);
    for (int i = 0; i < 16; i++) putpixel(b, i, 1, PAINT_FIRST + i);
    putpixel(b, 0, 2, 40);  // not paint: stays
    return b;
}
}  // namespace

TEST(Display, LightOverlayIsARampAroundTheCentre)
{
    ensure_display_state();
    EXPECT_EQ(light_at_distance(0), 140);
    EXPECT_EQ(light_at_distance(250), 140);
    EXPECT_EQ(light_at_distance(300), 2 * (320 - 300) + 1);
    EXPECT_EQ(light_at_distance(319), 3);
    EXPECT_EQ(light_at_distance(-320), 1);
    EXPECT_EQ(getpixel(light_overlay, 0, 0), 0);  // the corners lie beyond 320 px
}

TEST(Display, NightDarkensTheFrameByTheOverlaysLevels)
{
    ensure_display_state();
    const int colour = 100;
    clear_to_color(buffer, colour);
    draw_night_overlay();
    EXPECT_EQ(getpixel(buffer, 320, 240), light_table.data[140][colour]);
    EXPECT_EQ(getpixel(buffer, 620, 240), light_table.data[41][colour]);
    EXPECT_NE(getpixel(buffer, 320, 240), colour);
    EXPECT_EQ(color_map, &trans_table);  // set back at once
}

TEST(Display, FadeLevelsScaleEveryComponent)
{
    ensure_display_state();
    PALETTE faded;
    scaled_palette(60, faded);
    for (int i = 0; i < 256; i++) {
        EXPECT_EQ(faded[i].r, game_palette[i].r * 60 / 64);
        EXPECT_EQ(faded[i].b, game_palette[i].b * 60 / 64);
    }
    scaled_palette(0, faded);
    EXPECT_EQ(faded[255].r + faded[255].g + faded[255].b, 0);
    scaled_palette(64, faded);
    EXPECT_EQ(faded[200].g, game_palette[200].g);
}

TEST(Display, F12CyclesThroughThreeWidths)
{
    int w = 0, h = 0;
    ASSERT_TRUE(next_screen_mode(320, &w, &h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 400);
    ASSERT_TRUE(next_screen_mode(640, &w, &h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    ASSERT_TRUE(next_screen_mode(800, &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
    EXPECT_FALSE(next_screen_mode(1024, &w, &h));
    EXPECT_FALSE(next_screen_mode(0, &w, &h));
}

TEST(Display, F12ComesBackToTheScaledWindowAfter800)
{
    int w = 0, h = 0;
    window_scale = 3;
    ASSERT_TRUE(next_screen_mode(800, &w, &h));
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1440);
    ASSERT_TRUE(next_screen_mode(1920, &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
    window_scale = 0;
}

TEST(Display, TheWindowIsTheLargestThatFitsTheDesktopWithItsBorders)
{
    EXPECT_EQ(window_scale_for_desktop(1024, 768), 1);
    EXPECT_EQ(window_scale_for_desktop(1280, 1024), 1);  // 1280 x 960 leaves no room
    EXPECT_EQ(window_scale_for_desktop(1920, 1080), 2);
    EXPECT_EQ(window_scale_for_desktop(2560, 1600), 3);
    EXPECT_EQ(window_scale_for_desktop(3840, 2160), 4);
    EXPECT_EQ(window_scale_for_desktop(320, 200), 1);  // never none
}

TEST(Display, ThePointerKeepsToTheMouseInAWindowTwiceTheFrame)
{
    FrameView saved = frame_view;
    frame_view = frame_view_for(1280, 960);
    // The library moves the pointer a frame pixel for each screen pixel the mouse moves; one
    // pixel at a time, a hundred of them carry it fifty frame pixels, and back again home.
    int x = 100, y = 100, rx = 0, ry = 0;
    for (int step : {1, -1}) {
        for (int i = 0; i < 100; i++) {
            int to_x = x + step, to_y = y + step;
            slowed_pointer(x, y, &to_x, &to_y, &rx, &ry);
            x = to_x, y = to_y;
        }
        EXPECT_EQ(x, step > 0 ? 150 : 100);
        EXPECT_EQ(y, step > 0 ? 150 : 100);
    }
    frame_view = saved;
}

TEST(Display, EveryModeShowsTheWholeFrameInItsOwnShape)
{
    auto view = [](int w, int h) {
        FrameView v = frame_view_for(w, h);
        return std::to_string(v.width) + "x" + std::to_string(v.height) + "+" +
               std::to_string(v.left) + "+" + std::to_string(v.top);
    };
    EXPECT_EQ(view(640, 480), "640x480+0+0");
    EXPECT_EQ(view(800, 600), "800x600+0+0");
    EXPECT_EQ(view(320, 200), "266x200+27+0");   // bars left and right
    EXPECT_EQ(view(640, 400), "533x400+53+0");
    EXPECT_EQ(view(640, 600), "640x480+0+60");   // bars above and below
    EXPECT_EQ(view(1280, 960), "1280x960+0+0");  // a window twice the frame
}

TEST(Effects, ColourRampMovesWhole)
{
    ensure_display_state();
    BITMAP *b = paint_swatch();
    shift_colour_ramp(b, 0);
    EXPECT_EQ(getpixel(b, 5, 1), PAINT_FIRST + 5);
    shift_colour_ramp(b, 7);
    EXPECT_EQ(getpixel(b, 0, 1), 16);
    EXPECT_EQ(getpixel(b, 15, 1), 31);
    EXPECT_EQ(getpixel(b, 0, 2), 40);
    destroy_bitmap(b);
    b = paint_swatch();
    shift_colour_ramp(b, -7);
    EXPECT_EQ(getpixel(b, 0, 1), 240);
    EXPECT_EQ(getpixel(b, 15, 1), 255);
    destroy_bitmap(b);
}

TEST(Effects, DentBitesTheSameNotchTwice)
{
    BITMAP *b = create_bitmap(32, 10);
    clear_to_color(b, 77);
    dent_bitmap(b);
    EXPECT_EQ(getpixel(b, 16, 0), 0);   // front edge, middle
    EXPECT_EQ(getpixel(b, 16, 3), 0);
    EXPECT_EQ(getpixel(b, 2, 0), 77);   // left of w/4 stays
    EXPECT_EQ(getpixel(b, 16, 6), 77);  // below the notch stays
    BITMAP *again = create_bitmap(32, 10);
    blit(b, again, 0, 0, 0, 0, 32, 10);
    dent_bitmap(again);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 32; x++) ASSERT_EQ(getpixel(again, x, y), getpixel(b, x, y));
    destroy_bitmap(b);
    destroy_bitmap(again);
}

TEST(Effects, ScorchKeepsTheOutline)
{
    BITMAP *b = create_bitmap(20, 20);
    clear_bitmap(b);
    rectfill(b, 5, 5, 14, 14, PAINT_FIRST + 3);
    putpixel(b, 6, 6, 28);  // already charred: left alone
    scorch_bitmap(b);
    int light = 0, dark = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++) {
            int c = getpixel(b, x, y);
            bool inside = x >= 5 && x <= 14 && y >= 5 && y <= 14;
            if (!inside) ASSERT_EQ(c, 0);
            else if (x == 6 && y == 6) EXPECT_EQ(c, 28);
            else {
                ASSERT_TRUE(c == COLOUR_WRECK_LIGHT || c == COLOUR_WRECK_DARK);
                (c == COLOUR_WRECK_LIGHT ? light : dark)++;
            }
        }
    EXPECT_GT(light, 10);  // a mottled mix of both shades
    EXPECT_GT(dark, 10);
    destroy_bitmap(b);
}
