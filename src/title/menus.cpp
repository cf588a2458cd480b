// The menus' rows and what each does, and the options they set.
#include "frame/frame.h"
#include "sprites/sprites.h"
#include "title/title.h"

int night_mode = 0;
int text_speed = 17;
int difficulty = 21;

MenuItem menus[MENU_COUNT][MENU_ROWS] = {
    {{"New game", menu_new_game}, {"Options", menu_options}, {"Quit", menu_quit}, {"end", nullptr}},
    {{"Play as skidrunner", menu_play_skidrunner},
     {"Play as cop", menu_play_cop},
     {"Back", menu_back},
     {"end", nullptr}},
    {{"Day time", menu_toggle_daytime},
     {"Text speed medium", menu_cycle_text_speed},
     {"Difficulty easy", menu_cycle_difficulty},
     {"Back", menu_back},
     {"end", nullptr}},
};

namespace {
void start_game(Sprite *role)
{
    game_state = STATE_PLAYING;
    // From now on the main menu leads back into the running game.
    menus[MENU_MAIN][3] = MenuItem{"Back to game", menu_back_to_game};
    menus[MENU_MAIN][4].text = "end";
    current_menu = MENU_MAIN;
    player_template = role;
    new_game();
}
}  // namespace

void menu_new_game()
{
    current_menu = MENU_ROLE;
    menu_cursor = 0;
}

void menu_options()
{
    current_menu = MENU_OPTIONS;
    menu_cursor = 0;
}

void menu_quit() { quit_game(); }

void menu_back()
{
    current_menu = MENU_MAIN;
    menu_cursor = 0;
}

void menu_play_skidrunner() { start_game(&skidrunner_template); }

void menu_play_cop() { start_game(&cop_template); }

void menu_back_to_game() { game_state = STATE_PLAYING; }

void menu_toggle_daytime()
{
    night_mode = night_mode == 0 ? 1 : 0;
    menus[MENU_OPTIONS][0].text = night_mode ? "Night time" : "Day time";
}

void menu_cycle_text_speed()
{
    MenuItem &row = menus[MENU_OPTIONS][1];
    switch (text_speed) {
    case 17: text_speed = 8, row.text = "Text speed Fast"; break;
    case 8: text_speed = 26, row.text = "Text speed Slow"; break;
    case 26: text_speed = 17, row.text = "Text speed Medium"; break;
    default: break;
    }
}

void menu_cycle_difficulty()
{
    MenuItem &row = menus[MENU_OPTIONS][2];
    switch (difficulty) {
    case 21: difficulty = 13, row.text = "Difficulty medium"; break;
    case 13: difficulty = 5, row.text = "Difficulty hard"; break;
    case 5: difficulty = 21, row.text = "Difficulty easy"; break;
    default: break;
    }
}
