// soak [SEEDS [TICKS]] | soak --seed N [TICKS]: long play with a monkey at the keys, for the
// sanitizer build. For each seed (1..SEEDS, or N alone) a new game on the real city (the cop's role for every third seed) takes TICKS steps of
// reproducible random key presses and releases through the game's key handler, the world
// update, the mission update and the banner's end, as the main loop would run them. Escape is
// answered by going straight back to the game, the screenshot key is left alone. At the end it
// prints the steps run, the banners seen and how much the resident memory grew after the first
// seed, and fails (status 1) when it grew by a megabyte or more.
// Run it in the game folder: it reads the data files by their bare names.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/splitmix.h"
#include "frame/frame.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
constexpr long MEMORY_GROWTH_LIMIT_KB = 1024;

// The keys a player presses, walking and driving weighted above the rest.
constexpr int KEYS[] = {GAME_KEY_UP,   GAME_KEY_UP,    GAME_KEY_UP,    GAME_KEY_LEFT,
                        GAME_KEY_RIGHT, GAME_KEY_DOWN, GAME_KEY_SPACE, GAME_KEY_ENTER,
                        GAME_KEY_ENTER, GAME_KEY_LCONTROL, GAME_KEY_TAB, GAME_KEY_1,
                        GAME_KEY_2,    GAME_KEY_3,     GAME_KEY_4,     GAME_KEY_ESC,
                        GAME_KEY_F12};
constexpr int KEY_COUNT = sizeof KEYS / sizeof *KEYS;

long resident_kb()
{
    FILE *f = fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        fclose(f);
    }
    return resident * 4;
}

// One seed's game; the number of banners it saw.
int play(uint64_t seed, long ticks)
{
    uint64_t state = seed;
    bool held[128] = {};
    start_headless_demo(seed % 3 == 0);
    int banners = 0;
    bool banner_was = false;
    for (long t = 0; t < ticks; t++) {
        begin_headless_tick();
        // About one key change in eight steps, as fast fingers make them.
        uint64_t r = splitmix64(state);
        if (r % 8 == 0) {
            int key = KEYS[(r >> 8) % KEY_COUNT];
            held[key] = !held[key];
            handle_game_key(InputEvent{held[key] ? EVENT_PRESSED : EVENT_RELEASED, key, 0, 0});
            if (game_state != STATE_PLAYING) game_state = STATE_PLAYING;  // "Back to game"
        }
        finish_headless_tick();
        if (banner_active && !banner_was) banners++;
        banner_was = banner_active != 0;
    }
    return banners;
}
}  // namespace

int main(int argc, char **argv)
{
    bool one = argc > 2 && strcmp(argv[1], "--seed") == 0;
    int first = one ? atoi(argv[2]) : 1;
    int last = one ? first : (argc > 1 ? atoi(argv[1]) : 10);
    const char *ticks_arg = one ? (argc > 3 ? argv[3] : nullptr) : (argc > 2 ? argv[2] : nullptr);
    long ticks = ticks_arg ? atol(ticks_arg) : 100000;
    if (!start_headless_game()) return printf("the library did not start\n"), 1;
    long first_kb = 0;
    for (int seed = first; seed <= last; seed++) {
        int banners = play((uint64_t)seed, ticks);
        if (seed == first) first_kb = resident_kb();
        printf("seed %d: %ld steps, %d banners, %d sprites at the end, resident %ld kB\n", seed,
               ticks, banners, [] {
                   int n = 0;
                   for (Sprite *s = sprite_list; s; s = s->next) n++;
                   return n;
               }(), resident_kb());
        fflush(stdout);
    }
    long growth = resident_kb() - first_kb;
    printf("resident memory grew by %ld kB after the first seed (limit %ld kB)\n", growth,
           MEMORY_GROWTH_LIMIT_KB);
    return growth < MEMORY_GROWTH_LIMIT_KB ? 0 : 1;
}
