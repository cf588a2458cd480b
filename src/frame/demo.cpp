// Demo files: every event handed to the game is written with its tick, and played back at the
// same tick from a world started the same way.
#include <cstdio>

#include "frame/frame.h"
#include "frame/platform.h"
#include "sprites/sprites.h"

FILE *demo_file = nullptr;
int32_t next_demo_tick = 0;

namespace {
void write_le32(int32_t value)
{
    unsigned char bytes[4];
    put_le32_at(bytes, value);
    fwrite(bytes, 1, 4, demo_file);
}
}  // namespace

bool read_demo_value(int32_t *value)
{
    unsigned char bytes[4];
    if (!demo_file || fread(bytes, 1, 4, demo_file) != 4) return false;
    *value = le32_at(bytes);
    return true;
}

void record_demo_event(const InputEvent &event)
{
    if (!demo_file) return;
    write_le32(tick_count);
    write_le32(event.type);
    write_le32(event.value);
    // A game closed by force still leaves every event it recorded.
    fflush(demo_file);
}

bool start_demo(const char *filename)
{
    // The title only starts a demo there is: without one it keeps waiting.
    FILE *file = fopen(filename, "rb");
    if (!file) return false;
    police_count = 0;
    ambient_count = 0;
    restart_random_numbers();
    tick_count = 0;
    // The demo starts now: the minutes spent on the title are not caught up, which would run
    // the demo through unseen.
    last_update_time = game_clock();
    demo_mode = DEMO_PLAYING;
    if (demo_file) fclose(demo_file);
    demo_file = file;
    read_demo_value(&next_demo_tick);
    player_template = &skidrunner_template;
    game_state = STATE_PLAYING;
    new_game();
    return true;
}

void replay_demo_events()
{
    if (!demo_file) return;
    if (next_demo_tick < tick_count) fatal_error("Out of sync!");
    while (next_demo_tick == tick_count) {
        int32_t type = 0, value = 0;
        if (feof(demo_file) || !read_demo_value(&type) || !read_demo_value(&value)) {
            game_state = STATE_TITLE;
            return;
        }
        handle_game_key(InputEvent{type, value, 0, 0});
        read_demo_value(&next_demo_tick);
    }
}
