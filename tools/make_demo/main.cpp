// make_demo [--cop] [--difficulty N] SCRIPT OUTPUT: records the title's attract demo (and the
// tests' scripted demos). It starts a game as "skidrunner -record" does and hands the script's
// key changes to the game at their ticks, so the file it writes is the very file a player at
// the keys would have recorded; like the game, it stops recording when the title comes back
// (Escape, or the end of a banner). --cop and --difficulty set what the game cannot record:
// the role (the replayer can replay it with --cop) and the option.
// Run it in the game folder: the game reads its data files by their bare names.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
// A key the game ignores: a record that only keeps the demo playing until its tick.
constexpr int KEY_IDLE = 1;

struct KeyName {
    const char *name;
    int code;
};
constexpr KeyName KEYS[] = {
    {"enter", GAME_KEY_ENTER}, {"up", GAME_KEY_UP},     {"down", GAME_KEY_DOWN},
    {"left", GAME_KEY_LEFT},   {"right", GAME_KEY_RIGHT}, {"space", GAME_KEY_SPACE},
    {"ctrl", GAME_KEY_LCONTROL}, {"tab", GAME_KEY_TAB}, {"esc", GAME_KEY_ESC},
    {"1", GAME_KEY_1},         {"2", GAME_KEY_2},       {"3", GAME_KEY_3},
    {"4", GAME_KEY_4},         {"idle", KEY_IDLE},
};

struct ScriptLine {
    int32_t tick;
    InputEvent event;
};

bool parse_line(const std::string &text, ScriptLine *out, std::string *error)
{
    std::istringstream in(text);
    std::string action, key;
    if (!(in >> out->tick >> action >> key)) return *error = "expected TICK press|release KEY", false;
    if (action != "press" && action != "release") return *error = "not press or release", false;
    for (const KeyName &k : KEYS)
        if (key == k.name) {
            out->event = InputEvent{action == "press" ? EVENT_PRESSED : EVENT_RELEASED, k.code, 0, 0};
            return true;
        }
    return *error = "unknown key '" + key + "'", false;
}

bool read_script(const char *path, std::vector<ScriptLine> *script)
{
    std::ifstream file(path);
    if (!file) return fprintf(stderr, "%s: cannot read\n", path), false;
    std::string text, error;
    for (int number = 1; std::getline(file, text); number++) {
        if (text.empty() || text[0] == '#') continue;
        ScriptLine line;
        if (!parse_line(text, &line, &error) ||
            (!script->empty() && line.tick < script->back().tick) || line.tick < 1) {
            if (error.empty()) error = "ticks must start at 1 and never decrease";
            fprintf(stderr, "%s:%d: %s\n", path, number, error.c_str());
            return false;
        }
        script->push_back(line);
    }
    return !script->empty();
}
}  // namespace

int main(int argc, char **argv)
{
    bool cop = false;
    int option_difficulty = difficulty;
    int first = 1;
    for (; first < argc - 2; first++) {
        if (strcmp(argv[first], "--cop") == 0)
            cop = true;
        else if (strcmp(argv[first], "--difficulty") == 0 && first + 1 < argc - 2)
            option_difficulty = atoi(argv[++first]);
        else
            break;
    }
    if (argc - first != 2)
        return fprintf(stderr, "usage: make_demo [--cop] [--difficulty N] SCRIPT OUTPUT\n"), 2;
    std::vector<ScriptLine> script;
    if (!read_script(argv[first], &script)) return 1;
    if (!start_headless_game()) return 2;
    difficulty = option_difficulty;

    std::string part = std::string(argv[first + 1]) + ".part";
    demo_file = fopen(part.c_str(), "wb");
    if (!demo_file) return fprintf(stderr, "%s: cannot write\n", part.c_str()), 1;
    start_headless_demo(cop);
    demo_mode = DEMO_RECORDING;
    // The steps of the main loop, with the script's events in place of the keyboard's.
    size_t next = 0;
    while (next < script.size() && game_state == STATE_PLAYING) {
        begin_headless_tick();
        for (; next < script.size() && script[next].tick == tick_count; next++)
            dispatch_event(script[next].event);
        finish_headless_tick();
    }
    fclose(demo_file);
    demo_file = nullptr;
    if (rename(part.c_str(), argv[first + 1]) != 0)
        return fprintf(stderr, "cannot write %s\n", argv[first + 1]), 1;
    return 0;
}
