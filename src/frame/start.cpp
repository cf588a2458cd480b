// Start-up, the loading sequence, a new game and the two ends of the program.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "display/display.h"
#include "frame/platform.h"
#include "frame/frame.h"
#include "hud/hud.h"
#include "map/map.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

int game_state = STATE_TITLE;
int demo_mode = DEMO_NONE;
int32_t tick_count = 0;
int32_t last_update_time = 0;
Sprite *player_template = &skidrunner_template;
int saved_argc = 0;
char **saved_argv = nullptr;

namespace {
// Loading messages reach the console as they are printed, also through a pipe.
void say(const char *text)
{
    fputs(text, stdout);
    fflush(stdout);
}

FILE *open_demo_file(const char *mode)
{
    if (demo_file) fclose(demo_file);
    demo_file = fopen("demo.dem", mode);
    if (!demo_file)
        fatal_error(mode[0] == 'w' ? "Couldn't create demo.dem" : "Couldn't open demo.dem");
    return demo_file;
}
}  // namespace

void parse_command_line()
{
    // Every argument is looked at, the program's own path too; a later option wins.
    for (int i = 0; i < saved_argc; i++) {
        const char *arg = saved_argv[i];
        if (strcmp(arg, "-VGA") == 0) {
            screen_width = 320;
            screen_height = 200;
        } else if (strcmp(arg, "-record") == 0) {
            demo_mode = DEMO_RECORDING;
            open_demo_file("wb");
        } else if (strcmp(arg, "-play") == 0) {
            demo_mode = DEMO_PLAYING;
            open_demo_file("rb");
            read_demo_value(&next_demo_tick);
        }
    }
}

void load_game()
{
    say("Loading allegro functions");
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        static char message[300];
        snprintf(message, sizeof message,
                 "\nCouldn't start allegro: no display to open a window on? (%s)\n",
                 allegro_error[0] ? allegro_error : "the library gave no reason");
        fatal_error(message);
    }
    install_quit_requests();
    install_display_lost_handler();
    say(".");
    install_keyboard();
    say(".");
    install_timer();
    say(".");
    install_game_sound();
    say(".\n");
    install_mouse();
    say("Loading sounds...\n");
    load_sounds();
    say("Loading HUD...\n");
    load_hud();
    say("Loading random numbers...\n");
    load_random_numbers();
    say("Loading title...\n");
    load_title();
    say("Loading GFX display...\n");
    init_display();
}

void new_game()
{
    // Smoke and scorch marks are jittered by the look-only generator, but the smoke is an
    // obstacle the traffic and the spawner see: each game starts it afresh, as a demo must.
    restart_cosmetic_random();
    load_sprites();
    load_tile_map();
    load_missions();
    player = create_sprite(player_template, start_x, start_y, 0, 0);
    // The map's objects and the player are not counted as ambient or police.
    police_count = 0;
    ambient_count = 0;
    felony = 0;
    banner_active = 0;
    banner_text = nullptr;
}

volatile sig_atomic_t quit_requested = 0;

namespace {
void request_quit() { quit_requested = 1; }
void request_quit_on_signal(int) { quit_requested = 1; }
}  // namespace

void install_quit_requests()
{
    // Without a callback the library ignores the close button; and its own handlers for these
    // signals abort when they land inside a screen update, leaving no recording closed.
    set_close_button_callback(request_quit);
    signal(SIGINT, request_quit_on_signal);
    signal(SIGTERM, request_quit_on_signal);
}

void quit_game()
{
    if (demo_file) {
        fclose(demo_file);
        demo_file = nullptr;
    }
    exit(0);
}

void (*fatal_error_handler)(const char *message) = nullptr;

void fatal_error(const char *message)
{
    if (fatal_error_handler) fatal_error_handler(message);
    allegro_exit();
    size_t length = strlen(message);
    fputs(message, stdout);
    if (length == 0 || message[length - 1] != '\n') fputc('\n', stdout);
    fflush(stdout);
    if (demo_file) {
        fclose(demo_file);
        demo_file = nullptr;
    }
    // A failure must not report success.
    exit(1);
}
