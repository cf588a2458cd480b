// Test tool: composes the game's first frames without a screen and saves them, so a display
// test can hold what the real window shows against what the game meant to draw.
//   render_frame title OUT.pcx      the opening title picture as the title screen draws it
//   render_frame menu OUT.pcx       the main menu, as the first Enter reveals it
//   render_frame menu OUT.pcx M R   menu M (0 main, 1 role, 2 options) with row R highlighted
//   render_frame menu OUT.pcx M R X Y  the same with the mouse pointer's tip at (X, Y)
//   render_frame city OUT.pcx       the first frame of "skidrunner -record", before any key
//   render_frame city OUT.pcx CX CY the same city with the camera on cell (CX, CY)
//   add "night" after the city's cell for the night overlay, "cop" for a cop game's city,
//   "weapon N" for the weapon of key N in hand, "job_done" for the word of a mission just done
// Run it in the game folder: it reads the data files by their bare names.
#include <allegro.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "hud/hud.h"
#include "map/map.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

int main(int argc, char **argv)
{
    bool known = argc >= 3 && (strcmp(argv[1], "title") == 0 || strcmp(argv[1], "menu") == 0 ||
                               strcmp(argv[1], "city") == 0);
    if (!known) {
        fprintf(stderr, "usage: render_frame title|menu|city OUT.pcx [M R [X Y]|CX CY] [night] "
                        "[cop] [weapon N] [job_done]\n");
        return 2;
    }
    start_game_clock();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(8);
    load_sounds();
    load_hud();
    load_random_numbers();
    load_title();
    build_display_state();
    if (strcmp(argv[1], "menu") == 0) {
        menu_visible = -1;
        title_picture = (BITMAP *)title_data[0].dat;
        if (argc >= 5) {
            current_menu = atoi(argv[3]);
            menu_cursor = atoi(argv[4]);
        }
    }
    if (strcmp(argv[1], "city") == 0) {
        bool cop = false;
        for (int i = 3; i < argc; i++) cop = cop || strcmp(argv[i], "cop") == 0;
        player_template = cop ? &cop_template : &skidrunner_template;
        game_state = STATE_PLAYING;
        new_game();
        for (int i = 3; i < argc; i++) {
            if (strcmp(argv[i], "cop") == 0) {
                continue;
            } else if (strcmp(argv[i], "night") == 0) {
                night_mode = 1;
            } else if (strcmp(argv[i], "job_done") == 0) {
                job_done = true;
                job_done_end = game_clock() + text_speed * 1000;
            } else if (strcmp(argv[i], "weapon") == 0 && i + 1 < argc) {
                current_weapon = &weapons[(atoi(argv[++i]) - 1) & 3];
            } else if (i + 1 < argc && isdigit((unsigned char)argv[i][0])) {
                camera_x = atoi(argv[i]) * 64 + 32;
                camera_y = atoi(argv[++i]) * 64 + 32;
            }
        }
    }
    draw_frame();
    if (strcmp(argv[1], "menu") == 0 && argc >= 7)
        draw_sprite(buffer, (BITMAP *)title_data[2].dat, atoi(argv[5]), atoi(argv[6]));
    if (save_pcx(argv[2], buffer, game_palette) != 0) {
        fprintf(stderr, "couldn't write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
