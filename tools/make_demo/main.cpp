// make_demo SCRIPT OUTPUT: records the title's attract demo. It starts a game as
// "skidrunner -record" does and hands the script's key changes to the game at their ticks, so
// the file it writes is the very file a player at the keys would have recorded.
// Run it in the game folder: the game reads its data files by their bare names.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
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

namespace {
struct KeyName {
    const char *name;
    int code;
};
constexpr KeyName KEYS[] = {
    {"enter", GAME_KEY_ENTER}, {"up", GAME_KEY_UP},     {"down", GAME_KEY_DOWN},
    {"left", GAME_KEY_LEFT},   {"right", GAME_KEY_RIGHT}, {"space", GAME_KEY_SPACE},
    {"ctrl", GAME_KEY_LCONTROL}, {"tab", GAME_KEY_TAB}, {"esc", GAME_KEY_ESC},
    {"1", GAME_KEY_1},         {"2", GAME_KEY_2},       {"3", GAME_KEY_3},
    {"4", GAME_KEY_4},
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
    if (argc != 3) return fprintf(stderr, "usage: make_demo SCRIPT OUTPUT\n"), 2;
    std::vector<ScriptLine> script;
    if (!read_script(argv[1], &script)) return 1;
    start_game_clock();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(8);
    load_sounds();
    load_random_numbers();
    build_display_state();

    std::string part = std::string(argv[2]) + ".part";
    demo_file = fopen(part.c_str(), "wb");
    if (!demo_file) return fprintf(stderr, "%s: cannot write\n", part.c_str()), 1;
    demo_mode = DEMO_RECORDING;
    player_template = &skidrunner_template;
    game_state = STATE_PLAYING;
    new_game();
    // The steps of the main loop, with the script's events in place of the keyboard's.
    size_t next = 0;
    while (next < script.size() && game_state == STATE_PLAYING) {
        tick_count += 1;
        for (; next < script.size() && script[next].tick == tick_count; next++)
            dispatch_event(script[next].event);
        if (game_state != STATE_PLAYING) break;
        update_world();
        update_missions();
    }
    fclose(demo_file);
    demo_file = nullptr;
    if (rename(part.c_str(), argv[2]) != 0) return fprintf(stderr, "cannot write %s\n", argv[2]), 1;
    return 0;
}
