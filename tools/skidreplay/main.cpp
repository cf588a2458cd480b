// skidreplay DEMO [--until TICK] [--every N] [--cop] [--difficulty N] [--sprites]
//            [--compare EXPECTED] [--speed]
// Replays a demo file without a screen or sound, as fast as the machine allows, exactly as the
// title plays it: a new game, the file's records handed to the game at their ticks, until the
// file ends (or TICK). Every N ticks (100 unless asked) and at the last tick it prints one line
// of what the world is (see print_digest_line); --sprites adds every listed sprite. With
// --compare it checks the lines against an expected file instead and names the first tick and
// field that differ. --speed adds, on standard error, how many times faster than the game the
// demo was replayed (by the processor time of the replay, start-up left out). Run it in the game folder: it reads the game's data files by name.
// Exit status: 0 done (or all lines agree), 1 not a demo file or a difference, 2 bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "title/title.h"

namespace {
struct Options {
    const char *demo = nullptr, *expected = nullptr;
    int32_t until = -1;
    int every = 100, difficulty = 21;
    bool cop = false, sprites = false, speed = false;
};

bool parse(int argc, char **argv, Options *o)
{
    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        bool has_value = i + 1 < argc;
        if (strcmp(a, "--until") == 0 && has_value) o->until = atoi(argv[++i]);
        else if (strcmp(a, "--every") == 0 && has_value) o->every = atoi(argv[++i]);
        else if (strcmp(a, "--difficulty") == 0 && has_value) o->difficulty = atoi(argv[++i]);
        else if (strcmp(a, "--compare") == 0 && has_value) o->expected = argv[++i];
        else if (strcmp(a, "--cop") == 0) o->cop = true;
        else if (strcmp(a, "--sprites") == 0) o->sprites = true;
        else if (strcmp(a, "--speed") == 0) o->speed = true;
        else if (a[0] != '-' && !o->demo) o->demo = a;
        else return false;
    }
    return o->demo && o->every > 0;
}

int64_t processor_ns()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

std::vector<std::string> read_lines(FILE *f)
{
    std::vector<std::string> lines;
    char line[4096];
    while (fgets(line, sizeof line, f)) lines.push_back(line);
    return lines;
}

// The first field (name=value) of two digest lines that differs, or "" when they agree.
std::string first_difference(const std::string &want, const std::string &got)
{
    size_t i = 0, j = 0;
    while (i < want.size() || j < got.size()) {
        size_t wi = want.find_first_of(" \n", i), gj = got.find_first_of(" \n", j);
        std::string w = want.substr(i, wi - i), g = got.substr(j, gj - j);
        if (w != g) return "expected " + w + ", replayed " + g;
        if (wi == std::string::npos || gj == std::string::npos) break;
        i = wi + 1, j = gj + 1;
    }
    return "";
}

int compare(const std::vector<std::string> &want, const std::vector<std::string> &got)
{
    for (size_t k = 0; k < want.size() || k < got.size(); k++) {
        if (k >= got.size()) return printf("the replay ended early: %s", want[k].c_str()), 1;
        if (k >= want.size()) return printf("the replay went on: %s", got[k].c_str()), 1;
        std::string d = first_difference(want[k], got[k]);
        if (!d.empty()) {
            printf("first difference at %s: %s\n", got[k].substr(0, got[k].find(' ')).c_str(),
                   d.c_str());
            return 1;
        }
    }
    printf("%zu lines agree\n", got.size());
    return 0;
}
}  // namespace

int main(int argc, char **argv)
{
    Options o;
    if (!parse(argc, argv, &o)) {
        fprintf(stderr, "usage: skidreplay DEMO [--until TICK] [--every N] [--cop] "
                        "[--difficulty N] [--sprites] [--compare EXPECTED] [--speed]\n");
        return 2;
    }
    FILE *f = fopen(o.demo, "rb");
    if (!f || !demo_file_is_whole(f)) {
        printf("%s is not a demo file (records of three 32-bit values, ticks from 1 never "
               "going back)\n", o.demo);
        return 1;
    }
    if (!start_headless_game()) return printf("the library did not start\n"), 1;
    difficulty = o.difficulty;
    int64_t started = processor_ns();
    demo_file = f;
    read_demo_value(&next_demo_tick);
    start_headless_demo(o.cop);
    demo_mode = DEMO_PLAYING;

    // The lines go to a temporary file first when they are to be compared.
    FILE *out = o.expected ? tmpfile() : stdout;
    while (game_state == STATE_PLAYING && (o.until < 0 || tick_count < o.until)) {
        begin_headless_tick();
        finish_headless_tick();
        bool last = game_state != STATE_PLAYING || tick_count == o.until;
        if (tick_count % o.every == 0 || last) {
            print_digest_line(out);
            if (o.sprites) print_sprites(out);
        }
    }
    if (o.speed) {
        double seconds = (double)(processor_ns() - started) / 1e9;
        fprintf(stderr, "%d ticks in %.3f s: %.0f times real time\n", tick_count, seconds,
                tick_count / 100.0 / seconds);
    }
    if (!o.expected) return 0;
    FILE *want = fopen(o.expected, "r");
    if (!want) return printf("cannot read %s\n", o.expected), 1;
    rewind(out);
    return compare(read_lines(want), read_lines(out));
}
