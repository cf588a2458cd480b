// The game's entry point.
#include <allegro.h>

#include "frame/frame.h"
#include "frame/home.h"
#include "frame/platform.h"
#include "sprites/sprites.h"

int main(int argc, char **argv)
{
    start_game_clock();
    saved_argc = argc;
    saved_argv = argv;
    answer_help_and_version();
    settle_in_player_folder();
    parse_command_line();
    load_game();
    if (demo_mode != DEMO_NONE) {
        // A recording or playback from the command line starts straight in play.
        player_template = &skidrunner_template;
        game_state = STATE_PLAYING;
        new_game();
    }
    main_loop();
}
END_OF_MAIN()
