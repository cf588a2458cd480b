// Test tool: composes the game's first frames without a screen and saves them, so a display
// test can hold what the real window shows against what the game meant to draw.
//   render_frame title OUT.pcx      the opening title picture as the title screen draws it
//   render_frame menu OUT.pcx       the main menu, as the first Enter reveals it
//   render_frame menu OUT.pcx M R   menu M (0 main, 1 role, 2 options) with row R highlighted
//   render_frame menu OUT.pcx M R X Y  the same with the mouse pointer's tip at (X, Y)
//   render_frame city OUT.pcx       the first frame of "skidrunner -record", before any key
//   render_frame city OUT.pcx CX CY the same city with the camera on cell (CX, CY)
//   add "night" at the end for the night overlay, "cop" for a cop game's city
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
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

int main(int argc, char **argv)
{
    bool known = strcmp(argv[1], "title") == 0 || strcmp(argv[1], "menu") == 0 ||
                 strcmp(argv[1], "city") == 0;
    if (argc < 3 || !known) {
        fprintf(stderr, "usage: render_frame title|menu|city OUT.pcx [M R|CX CY] [night|cop]\n");
        return 2;
    }
    start_game_clock();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(8);
    load_sounds();
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
        bool cop = strcmp(argv[argc - 1], "cop") == 0;
        player_template = cop ? &cop_template : &skidrunner_template;
        game_state = STATE_PLAYING;
        new_game();
        if (argc >= 5 && isdigit((unsigned char)argv[3][0])) {
            camera_x = atoi(argv[3]) * 64 + 32;
            camera_y = atoi(argv[4]) * 64 + 32;
        }
        night_mode = strcmp(argv[argc - 1], "night") == 0;
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
