// skid_bench: what a tick and a frame cost, and how the cost grows with the world. Every figure
// of a frame is the processor time of this thread (the machine is shared: wall time says more
// about the neighbours than about the game), measured five times; each line gives the median, the least
// and the most of the five.
//   tick N      one world update with N sprites listed around the player (the spawner held off,
//               so the population stays near N), the median of 200 updates per run;
//   tick chase  the full population (55 ambient) with two police cars after the player;
//   frame       a whole playing frame as the game composes it, beside the same frame made with
//               the plain drawing calls (every floor masked, every wall, the roof stretched for
//               each building) and the plain floor alone, at the start, on a median street and
//               on the densest view of the city, by day and by night.
// Run it in the game folder: it reads the data files by their bare names.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "display/display.h"
#include "display/palette.h"
#include "frame/frame.h"
#include "map/map.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
constexpr int RUNS = 5;

// A tick is timed by the monotonic clock, which the system reads without a call into the
// kernel (the thread's own clock costs one, as long as a tenth of a tick); the median of 200
// leaves out the ticks the neighbours interrupted.
int64_t wall_ns()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

int64_t thread_ns()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

double median_of(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void print_figures(const char *name, const std::vector<double> &us, const char *extra = "")
{
    printf("%-34s median %8.1f us  min %8.1f  max %8.1f%s\n", name, median_of(us),
           *std::min_element(us.begin(), us.end()), *std::max_element(us.begin(), us.end()), extra);
}

int listed()
{
    int n = 0;
    for (Sprite *s = sprite_list; s; s = s->next) n++;
    return n;
}

// A new game with only the player left, then n sprites: the spawner's own (up to its 55), then
// walkers on the pavements and cars on the lanes round the player, all within the distance at
// which the world keeps them.
void set_scene(int n)
{
    start_headless_demo(false);
    for (Sprite *s = sprite_list, *next; s; s = next) {
        next = s->next;
        if (s != player) remove_sprite(s);
    }
    ambient_count = 0;
    for (int i = 0; i < 5000 && ambient_count < std::min(n - 1, AMBIENT_TARGET); i++) spawn_ambient();
    static const int heading_of_code[4] = {64, 192, 128, 0};
    int pcx = player->x / 64, pcy = player->y / 64;
    for (int round = 0; round < 4 && listed() < n; round++)
        for (int dy = -6; dy <= 6 && listed() < n; dy++)
            for (int dx = -9; dx <= 9 && listed() < n; dx++) {
                int cx = pcx + dx, cy = pcy + dy, code = tile_at(cx, cy);
                int x = cx * 64 + 16 + 32 * (round % 2), y = cy * 64 + 16 + 32 * (round / 2);
                if (code == TILE_PAVEMENT)
                    create_sprite(&pedestrian_template, x, y, itofix(round * 64), 1);
                else if (code >= 2 && code <= 5 && round == 0)
                    create_sprite(&car_a_template, cx * 64 + 32, cy * 64 + 32,
                                  itofix(heading_of_code[code - 2]), 1);
            }
    // The spawner would top a small world up: it is held off.
    ambient_count = std::max(ambient_count, AMBIENT_TARGET);
}

// The city as a game finds it (its placed objects), the spawner's 55 about the player, and two
// police cars after him.
void set_chase_scene()
{
    start_headless_demo(false);
    for (int i = 0; i < 5000 && ambient_count < AMBIENT_TARGET; i++) spawn_ambient();
    felony = 3;
    create_sprite(&police_car_template, player->x + 200, player->y, 0, 1);
    create_sprite(&police_car_template, player->x - 200, player->y, 0, 1);
}

void bench_ticks(const char *name, int n, bool chase)
{
    std::vector<double> runs;
    long population = 0, ticks = 0;
    for (int run = 0; run < RUNS; run++) {
        if (chase)
            set_chase_scene();
        else
            set_scene(n);
        for (int i = 0; i < 20; i++) begin_headless_tick(), finish_headless_tick();
        std::vector<double> one;
        for (int i = 0; i < 200; i++) {
            begin_headless_tick();
            int64_t t0 = wall_ns();
            update_world();
            one.push_back((double)(wall_ns() - t0) / 1000.0);
            population += listed(), ticks++;
        }
        runs.push_back(median_of(one));
    }
    char extra[64];
    snprintf(extra, sizeof extra, "  (%ld sprites on average)", population / ticks);
    print_figures(name, runs, extra);
}

void frame_the_game_way() { draw_frame(); }

void frame_the_plain_way()
{
    draw_map_plainly(MAP_PASS_GROUND);
    draw_sprites();
    draw_map_plainly(MAP_PASS_WALLS);
    draw_map_plainly(MAP_PASS_ROOFS);
    if (night_mode) draw_night_overlay();
}

void floor_the_plain_way() { draw_map_plainly(MAP_PASS_GROUND); }

std::vector<double> time_frames(void (*compose)())
{
    std::vector<double> runs;
    for (int run = 0; run < RUNS; run++) {
        int64_t t0 = thread_ns();
        for (int i = 0; i < 40; i++) compose();
        runs.push_back((double)(thread_ns() - t0) / 40000.0);
    }
    return runs;
}

int buildings_in_view(int ccx, int ccy)
{
    int n = 0;
    for (int cx = ccx - 6; cx <= ccx + 6; cx++)
        for (int cy = ccy - 4; cy <= ccy + 4; cy++) n += tile_at(cx, cy) == TILE_BUILDING;
    return n;
}

void bench_frames()
{
    start_headless_demo(false);
    struct Place {
        const char *name;
        int cx, cy;
    };
    std::vector<std::pair<int, int>> streets;  // buildings in view, cell
    int densest = 0, densest_cell = 0;
    // Views that lie wholly inside the city: beyond its edge everything reads as building.
    for (int cy = 5; cy < MAP_SIZE - 5; cy++)
        for (int cx = 7; cx < MAP_SIZE - 7; cx++) {
            int n = buildings_in_view(cx, cy), code = tile_at(cx, cy);
            if (n > densest) densest = n, densest_cell = cy * MAP_SIZE + cx;
            if (code >= 2 && code <= 13) streets.push_back({n, cy * MAP_SIZE + cx});
        }
    std::sort(streets.begin(), streets.end());
    int median_cell = streets[streets.size() / 2].second;
    const Place places[] = {{"start", start_x / 64, start_y / 64},
                            {"median street", median_cell % MAP_SIZE, median_cell / MAP_SIZE},
                            {"densest view", densest_cell % MAP_SIZE, densest_cell / MAP_SIZE}};
    for (const Place &p : places) {
        camera_x = p.cx * 64 + 32, camera_y = p.cy * 64 + 32;
        for (int night = 0; night < 2; night++) {
            night_mode = night;
            char name[80];
            printf("frame at %s (cell %d, %d; %d buildings in view), %s:\n", p.name, p.cx, p.cy,
                   buildings_in_view(p.cx, p.cy), night ? "night" : "day");
            snprintf(name, sizeof name, "  as the game draws it");
            print_figures(name, time_frames(frame_the_game_way));
            snprintf(name, sizeof name, "  with the plain calls");
            print_figures(name, time_frames(frame_the_plain_way));
            snprintf(name, sizeof name, "  the plain floor alone");
            print_figures(name, time_frames(floor_the_plain_way));
        }
    }
    night_mode = 0;
}
}  // namespace

int main(int argc, char **argv)
{
    if (!start_headless_game()) return 1;
    // "skid_bench chase" runs only the chase, long enough for a profiler.
    if (argc > 1 && strcmp(argv[1], "chase") == 0) {
        for (int i = 0; i < 40; i++) bench_ticks("tick, 55 ambient and a chase", 0, true);
        return 0;
    }
    for (int n : {10, 55, 150, 300}) {
        char name[40];
        snprintf(name, sizeof name, "tick with %d sprites", n);
        bench_ticks(name, n, false);
    }
    bench_ticks("tick, 55 ambient and a chase", 0, true);
    bench_frames();
    return 0;
}
