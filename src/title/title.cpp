// The title screen and the big message banner of the running game.
#include "title/title.h"

#include <cstring>

#include "display/display.h"
#include "display/palette.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
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

int night_mode = 0;
int text_speed = 17;
int difficulty = 21;

namespace {
constexpr int MENU_BACKGROUND = 0;
constexpr int OPENING_PICTURE = 4;
}  // namespace

void load_title()
{
    title_data = load_datafile("title.dat");
    if (!title_data) fatal_error("Error loading title.dat!");
    title_picture = (BITMAP *)title_data[OPENING_PICTURE].dat;
    menu_visible = 0;
}

void draw_title()
{
    blit(title_picture, buffer, 0, 0, 0, 0, screen_width, screen_height);
    (void)MENU_BACKGROUND;
}

void title_update() {}

void menu_input(const InputEvent &) {}

void clamp_menu_cursor() {}

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
    BITMAP *text = create_bitmap(screen_width, screen_height);
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
    if (banner_end_time < game_clock()) end_banner();
}
