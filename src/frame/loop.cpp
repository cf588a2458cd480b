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

void run_due_steps()
{
    int32_t elapsed = game_clock() - last_update_time;
    if (elapsed < STEP_MS) return;
    // One step for each whole 10 ms: the world runs at 100 steps a second however fast the
    // frames are drawn. The part of a step not yet due waits for the next pass.
    for (int32_t steps = elapsed / STEP_MS; steps > 0; steps--) run_simulation_step();
    // Time spent inside the steps is not made up later.
    last_update_time = game_clock() - elapsed % STEP_MS;
}

int32_t ms_until_next_step()
{
    int32_t wait = STEP_MS - (game_clock() - last_update_time);
    return wait > 0 ? wait : 0;
}

void main_loop()
{
    for (;;) {
        if (quit_requested) quit_game();
        draw_frame();
        present_frame();
        // Nothing on screen changes before the next step, so the time until then is given
        // back. A loop that drew without pause would hold the screen (and with it the
        // library's lock on the display) nearly all the time: on a busy machine the library's
        // input thread, which needs that lock, would read the keys seconds late or never.
        sleep_ms(ms_until_next_step());
        run_due_steps();
    }
}
