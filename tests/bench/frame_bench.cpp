// What a frame and a tick cost with a full city: 55 ambient sprites around the player.
// FullFrame composes a playing frame as the main loop does (map passes, sprites, night);
// BareDrawingCalls issues the same library drawing calls from prepared lists, so the ratio of
// the two is what the game adds around the library. WorldTick is one update_world.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <vector>

#include "display/display.h"
#include "display/palette.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
struct Blit {
    BITMAP *b;
    int x, y;
};
struct Roof {
    BITMAP *b;
    int x, y, size;
};
struct Quad {
    int points[8];
};
struct Rotated {
    BITMAP *b;
    int x, y;
    fixed angle, scale;
    bool translucent;
};

struct DrawList {
    std::vector<Blit> floors;
    std::vector<Quad> walls;
    std::vector<Roof> roofs;
    std::vector<Rotated> sprites;
};

void set_up_city()
{
    static bool done = false;
    if (done) return;
    start_game_clock();
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(8);
    load_sounds();
    load_random_numbers();
    build_display_state();
    player_template = &skidrunner_template;
    game_state = STATE_PLAYING;
    new_game();
    for (int i = 0; i < 20000 && ambient_count < AMBIENT_TARGET; i++) spawn_ambient();
    // The spawner keeps to the corners off screen; the rest of the crowd walks the pavements
    // in view, up to the full population.
    update_world();
    for (int cy = camera_y / 64 - 4; cy <= camera_y / 64 + 4 && ambient_count < AMBIENT_TARGET; cy++)
        for (int cx = camera_x / 64 - 5; cx <= camera_x / 64 + 5 && ambient_count < AMBIENT_TARGET;
             cx++)
            if (tile_at(cx, cy) == TILE_PAVEMENT)
                create_sprite(&pedestrian_template, cx * 64 + 32, cy * 64 + 32, 0, 1);
    night_mode = 1;
    done = true;
}

void add_cell(DrawList &list, int t, int sx, int sy)
{
    int rx = sx + (sx - 320) / 4 - 9, ry = sy + (sy - 240) / 4 - 9;
    if (t != TILE_BUILDING) list.floors.push_back({tile_bitmaps[t], sx, sy});
    if (t == TILE_BUILDING) {
        list.walls.push_back({{rx, ry, sx, sy, sx + 64, sy, rx + 82, ry}});
        list.walls.push_back({{rx, ry + 82, sx, sy + 64, sx + 64, sy + 64, rx + 82, ry + 82}});
        list.walls.push_back({{rx, ry, sx, sy, sx, sy + 64, rx, ry + 82}});
        list.walls.push_back({{rx + 82, ry, sx + 64, sy, sx + 64, sy + 64, rx + 82, ry + 82}});
    }
    if (t == TILE_WALL)
        list.walls.push_back({{rx + 32, ry, sx + 32, sy, sx + 32, sy + 64, rx + 32, ry + 82}});
    if (t == TILE_BUILDING || t == TILE_ROOF) list.roofs.push_back({tile_bitmaps[15], rx, ry, 82});
}

DrawList prepare_list()
{
    DrawList list;
    int ccx = camera_x / 64, ccy = camera_y / 64;
    for (int cx = ccx - 6; cx <= ccx + 6; cx++)
        for (int cy = ccy - 4; cy <= ccy + 4; cy++)
            add_cell(list, tile_at(cx, cy), cx * 64 - camera_x + 320, cy * 64 - camera_y + 240);
    for (int layer : {LAYER_BOTTOM, LAYER_MIDDLE, LAYER_TOP})
        for (Sprite *s = sprite_list; s; s = s->next) {
            BITMAP *b = sprite_bitmap(s);
            if (sprite_layer(s) != layer || !b) continue;
            int sx = s->x - b->w / 2 - camera_x + 320, sy = s->y - b->h / 2 - camera_y + 240;
            if (sx < -64 || sx > 704 || sy < -64 || sy > 544) continue;
            list.sprites.push_back({b, sx, sy, s->angle + itofix(64), s->scale,
                                    (s->flags & SPRITE_TRANSLUCENT) != 0});
        }
    return list;
}

void draw_list(const DrawList &list)
{
    for (const Blit &f : list.floors) draw_sprite(buffer, f.b, f.x, f.y);
    for (const Rotated &s : list.sprites) {
        if (s.translucent)
            draw_trans_sprite(buffer, s.b, s.x, s.y);
        else
            rotate_scaled_sprite(buffer, s.b, s.x, s.y, s.angle, s.scale);
    }
    for (const Quad &q : list.walls) polygon(buffer, 4, q.points, COLOUR_WALL);
    for (const Roof &r : list.roofs) stretch_sprite(buffer, r.b, r.x, r.y, r.size, r.size);
    color_map = &light_table;
    draw_trans_sprite(buffer, light_overlay, 0, 0);
    color_map = &trans_table;
}

void FullFrame(benchmark::State &state)
{
    set_up_city();
    for (auto _ : state) {
        draw_map(MAP_PASS_GROUND);
        draw_sprites();
        draw_map(MAP_PASS_WALLS);
        draw_map(MAP_PASS_ROOFS);
        draw_night_overlay();
    }
    state.counters["ambient"] = ambient_count;
}
BENCHMARK(FullFrame)->Repetitions(5)->ReportAggregatesOnly(true);

void BareDrawingCalls(benchmark::State &state)
{
    set_up_city();
    DrawList list = prepare_list();
    for (auto _ : state) draw_list(list);
    state.counters["sprites"] = (double)list.sprites.size();
}
BENCHMARK(BareDrawingCalls)->Repetitions(5)->ReportAggregatesOnly(true);

void WorldTick(benchmark::State &state)
{
    set_up_city();
    for (auto _ : state) update_world();
    state.counters["ambient"] = ambient_count;
}
BENCHMARK(WorldTick)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace

BENCHMARK_MAIN();
