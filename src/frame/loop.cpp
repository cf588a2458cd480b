// The main loop: one drawn frame per pass, then one simulation step per whole 10 ms.
#include <allegro.h>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "hud/hud.h"
#include "map/map.h"
#include "missions/missions.h"
#include "sprites/sprites.h"
#include "title/title.h"

constexpr int STEP_MS = 10;

int64_t frames_shown = 0;

void draw_frame()
{
    // The pointer comes off whatever bitmap it was drawn on before anything is drawn.
    if (mouse_driver) show_mouse(nullptr);
    if (game_state == STATE_PLAYING) {
        draw_map(MAP_PASS_GROUND);
        draw_sprites();
        draw_map(MAP_PASS_WALLS);
        draw_map(MAP_PASS_ROOFS);
        if (night_mode) draw_night_overlay();
        draw_hud();
        draw_banner();
        if (mission_under_way()) draw_mission_arrow();
        draw_job_done();
    } else {
        draw_title();
        if (mouse_driver) show_mouse(buffer);
    }
}

void run_simulation_step()
{
    tick_count += 1;
    poll_input();
    if (game_state == STATE_PLAYING) {
        if (demo_mode == DEMO_PLAYING) replay_demo_events();
        update_world();
        update_missions();
    } else {
        // A recording or playback stops for good once the title is shown.
        demo_mode = DEMO_NONE;
        title_update();
    }
}

int run_due_steps()
{
    int32_t elapsed = game_clock() - last_update_time;
    if (elapsed < STEP_MS) return 0;
    // One step for each whole 10 ms: the world runs at 100 steps a second however fast the
    // frames are drawn. The part of a step not yet due waits for the next pass.
    int32_t steps = elapsed / STEP_MS;
    for (int32_t left = steps; left > 0; left--) run_simulation_step();
    // Time spent inside the steps is not made up later.
    last_update_time = game_clock() - elapsed % STEP_MS;
    return (int)steps;
}

int32_t next_step_due() { return last_update_time + STEP_MS; }

namespace {
// Whether the screen shows the title as last composed (false once a game frame is shown).
bool title_on_screen = false;
}  // namespace

void show_frame()
{
    if (game_state == STATE_PLAYING) {
        title_on_screen = false;
    } else {
        // The title stands still for minutes on end while its steps run: a picture that would
        // be the one on the screen already (the menu and the pointer where they were) is not
        // composed again.
        bool changed = title_look_changed();
        if (title_on_screen && !changed) return;
        title_on_screen = true;
    }
    draw_frame();
    present_frame();
    frames_shown += 1;
}

void main_loop()
{
    bool steps_ran = true;  // the first pass shows the first frame
    for (;;) {
        if (quit_requested) quit_game();
        // Only a step changes what a frame shows (the world, the menu, the pointer's place as
        // the title reads it), so a pass after none draws nothing.
        if (steps_ran) show_frame();
        steps_ran = run_due_steps() > 0;
        // Until the next step the processor is given back: a loop that drew without pause would
        // keep a core busy, and would hold the library's lock on the display nearly all the
        // time, so that on a busy machine its input thread read the keys seconds late.
        if (!steps_ran) sleep_until_clock(next_step_due());
    }
}
