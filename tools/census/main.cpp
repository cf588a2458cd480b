// census: how lively the streets are. Loads the game's own data files (run it in the game
// folder), starts a headless game, and
//   (a) stands the player still at five places of the city for ten seconds of game time each,
//   (b) plays the attract demo (demo.dem) as the title plays it,
// printing for every second the ambient sprites alive, the cars and people moving on screen and
// the police cars about. `make bench` runs it; `census --places` prints the stands alone.
#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"

namespace {
constexpr int TICKS_PER_SECOND = 100;
constexpr int STAND_SECONDS = 10;

struct Place {
    const char *name;
    int cell_x, cell_y;  // -1: the map's start cell
};

// Pavement cells where a player might stop and look about, one in each kind of place.
constexpr Place PLACES[] = {
    {"the start", -1, -1},                // Market Square
    {"a four-way junction", 19, 89},      // Tanners Row and Forge Street, in the Ironworks
    {"the business quarter", 104, 21},    // Exchange Street, by the Exchange
    {"the harbour", 127, 89},             // the quay between North Quay and Albert Basin
    {"Southside", 86, 118},               // Crescent Row
};

struct Head_count {
    int ambient, moving_on_screen, police_cars;
};

bool on_screen(const Sprite *s)
{
    return abs(s->x - camera_x) < screen_width / 2 && abs(s->y - camera_y) < screen_height / 2;
}

// Cars and people only: shots, flames, smoke and marks are not street life.
bool street_life(const Sprite *s)
{
    return (s->flags & SPRITE_SOLID) && !(s->flags & (SPRITE_HARMFUL | SPRITE_TRANSLUCENT)) &&
           s->behaviour != nullptr;
}

Head_count count_heads()
{
    Head_count c{ambient_count, 0, 0};
    for (const Sprite *s = sprite_list; s; s = s->next) {
        if (s != player && street_life(s) && on_screen(s) && (s->vx != 0 || s->vy != 0))
            c.moving_on_screen += 1;
        if (sprite_faction(s) == FACTION_POLICE && !(s->flags & SPRITE_ON_FOOT))
            c.police_cars += 1;
    }
    return c;
}

void print_second(int second, const Head_count &c)
{
    printf("  %6d %8d %17d %7d\n", second, c.ambient, c.moving_on_screen, c.police_cars);
}

void print_header(const char *title)
{
    printf("%s\n  second  ambient  moving on screen  police\n", title);
}

void fresh_game()
{
    restart_random_numbers();
    tick_count = 0;
    felony = 0;
    player_template = &skidrunner_template;
    game_state = STATE_PLAYING;
    new_game();
}

void step()
{
    tick_count += 1;
    update_world();
    update_missions();
}

// Ten seconds standing still at one place; the count at the end of the stand.
int stand_at(const Place &place)
{
    fresh_game();
    if (place.cell_x >= 0) {
        player->x = place.cell_x * 64 + 32;
        player->y = place.cell_y * 64 + 32;
        camera_x = player->x;
        camera_y = player->y;
    }
    char title[120];
    snprintf(title, sizeof title, "standing at %s, cell (%d, %d)", place.name, player->x / 64,
             player->y / 64);
    print_header(title);
    Head_count c{};
    for (int second = 1; second <= STAND_SECONDS; second++) {
        for (int t = 0; t < TICKS_PER_SECOND; t++) step();
        c = count_heads();
        print_second(second, c);
    }
    return c.ambient;
}

// The attract demo as the title plays it; the mean moving on screen while at the wheel.
bool drive_demo(double *mean_moving)
{
    fresh_game();
    demo_file = fopen("demo.dem", "rb");
    if (!demo_file || !read_demo_value(&next_demo_tick)) {
        fprintf(stderr, "census: no demo.dem to drive\n");
        return false;
    }
    demo_mode = DEMO_PLAYING;
    print_header("driving the attract demo");
    long moving_sum = 0, driving_ticks = 0;
    Head_count c{};
    while (game_state == STATE_PLAYING) {
        tick_count += 1;
        replay_demo_events();
        update_world();
        update_missions();
        if (!(player->flags & SPRITE_ON_FOOT)) {
            moving_sum += count_heads().moving_on_screen;
            driving_ticks += 1;
        }
        if (tick_count % TICKS_PER_SECOND == 0) print_second(tick_count / TICKS_PER_SECOND, c = count_heads());
    }
    fclose(demo_file);
    demo_file = nullptr;
    demo_mode = DEMO_NONE;
    *mean_moving = driving_ticks ? (double)moving_sum / driving_ticks : 0.0;
    printf("  at the wheel for %.1f s, %.1f cars and people moving on screen on average\n",
           driving_ticks / 100.0, *mean_moving);
    return true;
}
}  // namespace

int main(int argc, char **argv)
{
    bool places_only = argc > 1 && strcmp(argv[1], "--places") == 0;
    start_game_clock();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(8);
    load_sounds();
    load_random_numbers();
    build_display_state();

    auto started = std::chrono::steady_clock::now();
    int sum = 0, worst = 1 << 30;
    for (const Place &place : PLACES) {
        int n = stand_at(place);
        sum += n;
        if (n < worst) worst = n;
    }
    int place_count = (int)(sizeof PLACES / sizeof *PLACES);
    printf("ambient sprites after %d s: mean %.1f over %d places, worst %d (aim: 30, 15)\n",
           STAND_SECONDS, (double)sum / place_count, place_count, worst);
    double moving = 0.0;
    if (!places_only && drive_demo(&moving))
        printf("moving on screen at the wheel: %.1f on average (aim: 8)\n", moving);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printf("census took %.2f s of machine time\n", seconds);
    return 0;
}
