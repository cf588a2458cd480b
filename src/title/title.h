// Title and menus: the title pictures, the table-driven menus, the attract demo, the message
// banner with the respawn after it, and the menu actions and options.
#pragma once
#include <allegro.h>

struct InputEvent;

// The big message: whether it shows, its text, when it ends, its pulsing colour.
extern int banner_active;
extern const char *banner_text;
extern int banner_end_time;
extern int banner_colour;
extern int banner_step;

// "title.dat" and the full-screen picture now behind the menu.
extern DATAFILE *title_data;
extern BITMAP *title_picture;
extern int menu_visible;
extern int current_menu;
extern int menu_cursor;
extern int idle_ticks;

// One menu row: its label and what choosing it does; a row whose text is "end" ends a menu.
struct MenuItem {
    const char *text;
    void (*action)();
};
constexpr int MENU_MAIN = 0;
constexpr int MENU_ROLE = 1;
constexpr int MENU_OPTIONS = 2;
constexpr int MENU_COUNT = 3;
constexpr int MENU_ROWS = 10;
// The three menus; option rows rewrite their own texts, a first game adds "Back to game".
extern MenuItem menus[MENU_COUNT][MENU_ROWS];
// Idle title steps after which the attract demo starts.
constexpr int IDLE_DEMO_TICKS = 30000;

// Options: night, seconds a mission text stays, 1-in-N chance of a police car.
extern int night_mode;
extern int text_speed;
extern int difficulty;

// load_game, before the screen mode: loads "title.dat".
void load_title();
// main_loop once per frame on the title: the picture and, once revealed, the menu.
void draw_title();
// run_simulation_step on the title: idle count, mouse highlight, pointer.
void title_update();
// The main loop before composing a title frame: whether anything the title shows (its picture,
// the menu's rows and highlight, the pointer's place) differs from the last time it asked.
bool title_look_changed();
// title_update, and tests: the menu row drawn over frame line y, counting on past the last row;
// -1 above the first.
int menu_row_at(int y);
// dispatch_event on the title: every input event.
void menu_input(const InputEvent &event);
// menu_input and title_update: brings the cursor back onto a row of the current menu.
void clamp_menu_cursor();
// main_loop once per frame while playing, after the HUD: draws and ends the banner.
void draw_banner();
// draw_banner, and the headless replayer once per tick: a banner whose time is up ends, and the
// player comes back at the start.
void end_banner_when_due();

// The menu rows' actions.
void menu_new_game();
void menu_options();
void menu_quit();
void menu_back();
void menu_play_skidrunner();
void menu_play_cop();
void menu_back_to_game();
void menu_toggle_daytime();
void menu_cycle_text_speed();
void menu_cycle_difficulty();
