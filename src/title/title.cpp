// The title screen and the big message banner of the running game.
#include "title/title.h"

#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "display/palette.h"
#include "frame/data_files.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"

int banner_active = 0;
const char *banner_text = nullptr;
int banner_end_time = 0;
int banner_colour = COLOUR_BANNER_FIRST;
int banner_step = 1;

DATAFILE *title_data = nullptr;
BITMAP *title_picture = nullptr;
int menu_visible = 0;
int current_menu = 0;
int menu_cursor = 0;
int idle_ticks = 0;

namespace {
constexpr int MENU_BACKGROUND = 0;
constexpr int POINTER = 2;
constexpr int OPENING_PICTURE = 4;
constexpr int FRAME_W = 640, FRAME_H = 480;
constexpr int ROW_LEFT = 170;
constexpr int ROW_TOP = 180;
constexpr int ROW_STEP = 50;
constexpr int MOVE_SOUND = 23;
constexpr int CHOOSE_SOUND = 24;

bool is_end(const MenuItem &row) { return row.text && strcmp(row.text, "end") == 0; }

// The index of the current menu's "end" row.
int menu_end()
{
    int r = 0;
    while (r < MENU_ROWS && !is_end(menus[current_menu][r])) r++;
    return r;
}

void activate()
{
    if (menu_visible) {
        void (*action)() = menus[current_menu][menu_cursor].action;
        if (action) action();
        play_sound(sound_sample(CHOOSE_SOUND));
        return;
    }
    // The first Enter or click fades from the title picture to the menu.
    menu_visible = -1;
    title_picture = (BITMAP *)title_data[MENU_BACKGROUND].dat;
    fade_palette(1);
    draw_title();
    present_frame();
    fade_palette(0);
}
}  // namespace

void load_title()
{
    title_data = load_checked_datafile("title.dat");
    if (!title_data) fatal_error("Error loading title.dat!");
    // The two pictures are copied over the whole frame.
    require_object(title_data, "title.dat", MENU_BACKGROUND, DAT_BITMAP, FRAME_W, FRAME_H);
    require_object(title_data, "title.dat", POINTER, DAT_BITMAP);
    require_object(title_data, "title.dat", OPENING_PICTURE, DAT_BITMAP, FRAME_W, FRAME_H);
    title_picture = (BITMAP *)title_data[OPENING_PICTURE].dat;
    menu_visible = 0;
}

void draw_title()
{
    BITMAP *row_text = create_bitmap(400, 60);
    blit(title_picture, buffer, 0, 0, 0, 0, screen_width, screen_height);
    if (menu_visible && row_text) {
        for (int r = 0; r < MENU_ROWS && !is_end(menus[current_menu][r]); r++) {
            clear_bitmap(row_text);
            int colour = r == menu_cursor ? COLOUR_MENU_HIGHLIGHT : COLOUR_MENU_PLAIN;
            textout_ex(row_text, menu_font, menus[current_menu][r].text, 0, 0, colour, -1);
            draw_sprite(buffer, row_text, ROW_LEFT, ROW_TOP + ROW_STEP * r);
        }
    }
    if (row_text) destroy_bitmap(row_text);
}

void title_update()
{
    int saved = menu_cursor;
    int row = menu_row_at(mouse_y);  // mouse_y counts frame lines in every screen mode
    idle_ticks += 1;
    if (idle_ticks > IDLE_DEMO_TICKS && !start_demo("demo.dem"))
        idle_ticks = 0;  // no demo recorded yet: the title waits again
    int mx = 0, my = 0;
    if (mouse_driver) get_mouse_mickeys(&mx, &my);
    if (mx != 0 || my != 0) {
        // The pointer over a row highlights it; elsewhere it leaves the highlight be.
        menu_cursor = row;
        clamp_menu_cursor();
        if (menu_cursor != row) menu_cursor = saved;
    }
    if (mouse_driver) {
        set_mouse_sprite((BITMAP *)title_data[POINTER].dat);
        set_mouse_sprite_focus(0, 0);  // the arrow's tip is its top-left pixel
    }
}

namespace {
// Everything a title frame is composed from.
struct TitleLook {
    BITMAP *picture;
    int visible, menu, cursor;
    const char *rows[MENU_ROWS];
    int pointer_x, pointer_y;
    bool operator==(const TitleLook &) const = default;
};
TitleLook last_look{};
}  // namespace

bool title_look_changed()
{
    TitleLook look{title_picture, menu_visible, current_menu, menu_cursor, {}, mouse_x, mouse_y};
    for (int r = 0; r < MENU_ROWS; r++) look.rows[r] = menus[current_menu][r].text;
    bool changed = !(look == last_look);
    last_look = look;
    return changed;
}

int menu_row_at(int y)
{
    // Each row owns the 50 lines from the top of its text down to the next row.
    return y < ROW_TOP ? -1 : (y - ROW_TOP) / ROW_STEP;
}

void menu_input(const InputEvent &event)
{
    idle_ticks = 0;
    if (event.type == EVENT_MOUSE && event.buttons == 1) activate();
    if (event.type == EVENT_PRESSED) {
        if (event.value == GAME_KEY_ENTER) {
            activate();
        } else if (event.value == GAME_KEY_UP && menu_visible) {
            menu_cursor -= 1;
            play_sound(sound_sample(MOVE_SOUND));
        } else if (event.value == GAME_KEY_DOWN && menu_visible) {
            menu_cursor += 1;
            play_sound(sound_sample(MOVE_SOUND));
        }
    }
    clamp_menu_cursor();
}

void clamp_menu_cursor()
{
    int end = menu_end();
    if (menu_cursor < 0) menu_cursor = end - 1;
    if (menu_cursor >= end || menu_cursor >= MENU_ROWS) menu_cursor = 0;
}

namespace {
void end_banner()
{
    if (demo_mode != DEMO_NONE) {
        demo_mode = DEMO_NONE;
        game_state = STATE_TITLE;
    }
    banner_active = 0;
    banner_text = nullptr;
    // A fresh player at the start; the old sprite stays in the world under its own rules.
    player = create_sprite(player_template, start_x, start_y, 0, 0);
    felony = 0;
}
}  // namespace

void draw_banner()
{
    if (!banner_active) {
        banner_colour = COLOUR_BANNER_FIRST;
        banner_step = 1;
        return;
    }
    // Only the text's own box can hold ink: a screen-sized scratch would be mostly cleared and
    // copied for nothing. It is cut at the screen's size as a screen-sized one would cut it.
    int w = std::min(text_length(menu_font, banner_text), screen_width);
    int h = std::min(text_height(menu_font), screen_height);
    BITMAP *text = w > 0 && h > 0 ? create_bitmap(w, h) : nullptr;
    if (text) {
        clear_bitmap(text);
        textout_ex(text, menu_font, banner_text, 0, 0, banner_colour, -1);
        draw_sprite(buffer, text, screen_width / 2 - 8 * (int)strlen(banner_text),
                    screen_height / 2 - 8);
        destroy_bitmap(text);
    }
    banner_colour += banner_step;
    if (banner_colour > COLOUR_BANNER_LAST - 1) banner_step = -1;
    if (banner_colour < COLOUR_BANNER_FIRST + 1) banner_step = 1;
    end_banner_when_due();
}

void end_banner_when_due()
{
    if (banner_active && banner_end_time < game_clock()) end_banner();
}
