#include "fuzz_world.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "missions/missions.h"
#include "sprites/sprites.h"
#include "title/title.h"

jmp_buf fuzz_escape;

namespace {
void back_to_the_fuzzer(const char *)
{
    if (demo_file) fclose(demo_file);
    demo_file = nullptr;
    longjmp(fuzz_escape, 1);
}
}  // namespace

void fuzz_start()
{
    // The targets run in the game folder, where the data files are; SKID_GAME_DIR may name it.
    const char *dir = getenv("SKID_GAME_DIR");
    if (dir && chdir(dir) != 0) abort();
    if (!start_headless_game()) abort();
    start_headless_demo(false);
    fatal_error_handler = back_to_the_fuzzer;
}

const char *fuzz_input_file(const uint8_t *data, size_t size, const char *name)
{
    static char path[256];
    snprintf(path, sizeof path, "/tmp/skid_fuzz_%d_%s", (int)getpid(), name);
    FILE *f = fopen(path, "wb");
    if (!f) abort();
    if (size) fwrite(data, 1, size, f);
    fclose(f);
    return path;
}

void fuzz_fresh_world(const char *map_file, const char *mission_file)
{
    player = nullptr;
    while (sprite_list) remove_sprite(sprite_list);
    read_map_file(map_file);
    read_mission_file(mission_file);
    current_mission = nullptr;
    current_step = nullptr;
    step_index = 0;
    mission_target = nullptr;
    player = create_sprite(&skidrunner_template, start_x, start_y, 0, 0);
    camera_x = start_x;
    camera_y = start_y;
    police_count = ambient_count = felony = 0;
    banner_active = 0;
    banner_text = nullptr;
    tick_count = 0;
    game_state = STATE_PLAYING;
    demo_mode = DEMO_NONE;
}

void fuzz_run_ticks(int ticks)
{
    for (int t = 0; t < ticks && game_state == STATE_PLAYING; t++) {
        begin_headless_tick();
        finish_headless_tick();
    }
}
