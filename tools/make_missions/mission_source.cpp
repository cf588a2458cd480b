// Reading the mission source and writing map.mis. The source is edited by hand, so every fault
// is reported with its line; once the source reads cleanly every place is checked against the
// city the game will load: a step the player cannot reach would leave its mission under way for
// good.
#include "mission_source.h"

#include <algorithm>
#include <deque>
#include <sstream>

#include "frame/platform.h"
#include "map/map.h"
#include "missions/missions.h"

int mission_city::at(int x, int y) const { return cells[(size_t)y * MAP_SIZE + x]; }

bool read_compiled_city(const std::vector<unsigned char> &bytes, mission_city &city)
{
    if ((long)bytes.size() != MAP_FILE_SIZE) return false;
    city.cells.resize((size_t)MAP_SIZE * MAP_SIZE);
    for (size_t i = 0; i < city.cells.size(); i++) city.cells[i] = le32_at(&bytes[4 * i]);
    const unsigned char *objects = &bytes[4 * city.cells.size()];
    city.object_cells.clear();
    for (int i = 0; i < MAP_OBJECT_COUNT; i++) {
        const unsigned char *r = objects + 16 * i;
        if (le32_at(r + 8) != 0) city.object_cells.push_back({le32_at(r), le32_at(r + 4)});
    }
    city.start_x = le32_at(&bytes[MAP_FILE_SIZE - 8]);
    city.start_y = le32_at(&bytes[MAP_FILE_SIZE - 4]);
    return true;
}

namespace {

struct step_word {
    const char *word;
    int kind;
};
constexpr step_word step_words[] = {
    {"briefcase", STEP_BRIEFCASE}, {"kill", STEP_KILL}, {"bomb", STEP_BOMB}, {"goto", STEP_GOTO}};

const char *kind_word(int kind)
{
    for (const step_word &w : step_words)
        if (w.kind == kind) return w.word;
    return "step";
}

// Lanes, bridges, junctions, crossings, car parks and gravel yards: where cars go.
bool is_road(int code) { return (code >= 2 && code <= 13) || (code >= 16 && code <= 20); }
bool is_walkable(int code) { return code != TILE_WATER && code != TILE_BUILDING; }
bool is_drivable(int code) { return is_road(code) || code == TILE_PAVEMENT || code == TILE_ROOF; }

const char *cell_meaning(int code)
{
    if (code == TILE_WATER) return "water";
    if (code == TILE_GRASS) return "park grass";
    if (code == TILE_PAVEMENT) return "pavement";
    if (code == TILE_BUILDING) return "a building";
    if (code == TILE_WALL) return "a thin wall";
    if (code == TILE_ROOF) return "an arcade";
    if (code >= 16 && code <= 20) return "open asphalt or ground";
    if (code >= 2 && code <= 13) return "a traffic lane";
    return "an unknown cell";
}

// The cells reachable from the player's start through cells that pass the test.
template <typename Test> std::vector<bool> reachable(const mission_city &city, Test passes)
{
    std::vector<bool> seen((size_t)MAP_SIZE * MAP_SIZE, false);
    std::deque<std::pair<int, int>> frontier;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= MAP_SIZE || y >= MAP_SIZE) return;
        size_t i = (size_t)y * MAP_SIZE + x;
        if (seen[i] || !passes(city.cells[i])) return;
        seen[i] = true;
        frontier.push_back({x, y});
    };
    visit(city.start_x, city.start_y);
    while (!frontier.empty()) {
        auto [x, y] = frontier.front();
        frontier.pop_front();
        visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
    }
    return seen;
}

std::string cell_text(int x, int y)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

struct mission_reader {
    const mission_city &city;
    std::vector<mission_plan> &plans;
    std::vector<mission_error> errors;
    std::vector<bool> on_foot, by_car;

    void fail(int line, const std::string &message) { errors.push_back({line, message}); }
    void read_line(const std::string &text, int line);
    bool read_cell(std::istringstream &words, int line, int &x, int &y);
    bool has_object(int x, int y) const;
    bool is_step_cell(int x, int y) const;
    void check_start(const mission_plan &m);
    void check_step(const mission_plan &m, const mission_step_plan &s);
    void check_all();
};

bool mission_reader::read_cell(std::istringstream &words, int line, int &x, int &y)
{
    std::string rest;
    if (!(words >> x >> y)) {
        fail(line, "expected a column and a row");
        return false;
    }
    if (words >> rest) {
        fail(line, "unexpected '" + rest + "' after the cell");
        return false;
    }
    if (x < 0 || y < 0 || x >= MAP_SIZE || y >= MAP_SIZE) {
        fail(line, "the cell " + cell_text(x, y) + " lies outside the 150 x 150 city");
        return false;
    }
    return true;
}

void mission_reader::read_line(const std::string &text, int line)
{
    std::istringstream words(text.substr(0, text.find('#')));
    std::string word;
    if (!(words >> word)) return;  // blank or comment
    if (word == "mission") {
        mission_plan m;
        m.line = line;
        std::string rest;
        if (!(words >> m.name) || (words >> rest)) fail(line, "expected: mission NAME");
        for (const mission_plan &other : plans)
            if (other.name == m.name) fail(line, "a second mission called " + m.name);
        plans.push_back(m);
        return;
    }
    if (plans.empty()) {
        fail(line, "'" + word + "' before the first 'mission NAME' line");
        return;
    }
    mission_plan &m = plans.back();
    int x = 0, y = 0;
    if (word == "start") {
        if (m.start_line) fail(line, "mission " + m.name + " has a second start");
        if (!read_cell(words, line, x, y)) return;
        m.start_x = x, m.start_y = y, m.start_line = line;
        return;
    }
    for (const step_word &w : step_words) {
        if (word != w.word) continue;
        if (read_cell(words, line, x, y)) m.steps.push_back({w.kind, x, y, line});
        return;
    }
    fail(line,
         "unknown word '" + word + "': expected mission, start, briefcase, kill, bomb or goto");
}

bool mission_reader::has_object(int x, int y) const
{
    return std::find(city.object_cells.begin(), city.object_cells.end(), std::make_pair(x, y)) !=
           city.object_cells.end();
}

bool mission_reader::is_step_cell(int x, int y) const
{
    for (const mission_plan &m : plans)
        for (const mission_step_plan &s : m.steps)
            if (s.cell_x == x && s.cell_y == y) return true;
    return false;
}

void mission_reader::check_start(const mission_plan &m)
{
    int x = m.start_x, y = m.start_y, code = city.at(x, y);
    std::string where = "mission " + m.name + ": the start " + cell_text(x, y);
    if (code != TILE_PAVEMENT && !is_road(code))
        fail(m.start_line,
             where + " is " + cell_meaning(code) + ": a mission starts on pavement or road");
    else if (!on_foot[(size_t)y * MAP_SIZE + x])
        fail(m.start_line, where + " cannot be reached from the player's start");
    // The player would be in a mission before taking a step.
    if (x == city.start_x && y == city.start_y)
        fail(m.start_line, where + " is the player's start");
    if (has_object(x, y)) fail(m.start_line, where + " is under a placed object");
    // Missions may share a start: a meeting place where two jobs are offered at once. Both
    // start in one tick; the later one in the file is the one under way, and the earlier one
    // is offered there again once it is done.
    // A mission ending there would start the next one under the player's feet.
    if (is_step_cell(x, y)) fail(m.start_line, where + " is the place of a mission step");
}

void mission_reader::check_step(const mission_plan &m, const mission_step_plan &s)
{
    int x = s.cell_x, y = s.cell_y, code = city.at(x, y);
    size_t i = (size_t)y * MAP_SIZE + x;
    std::string where =
        "mission " + m.name + ": the " + kind_word(s.kind) + " at " + cell_text(x, y);
    if (s.kind == STEP_BRIEFCASE || s.kind == STEP_KILL) {
        // A briefcase is picked up and a victim walks where people walk.
        if (code != TILE_PAVEMENT)
            fail(s.line, where + " is on " + cell_meaning(code) + ": it belongs on pavement");
        else if (!on_foot[i])
            fail(s.line, where + " cannot be reached on foot from the player's start");
    } else {
        // Bombs are planted and places reached at the wheel.
        if (!is_road(code))
            fail(s.line,
                 where + " is on " + cell_meaning(code) + ": it belongs on a road or open ground");
        else if (!by_car[i])
            fail(s.line, where + " cannot be reached by car from the player's start");
    }
    // A briefcase under a fountain could never be picked up.
    if (has_object(x, y)) fail(s.line, where + " is under a placed object");
}

void mission_reader::check_all()
{
    if (plans.empty()) fail(0, "no missions: add a 'mission NAME' line");
    if (plans.size() > (size_t)MISSION_COUNT)
        fail(plans[MISSION_COUNT].line, "an eleventh mission: map.mis holds ten");
    on_foot = reachable(city, is_walkable);
    by_car = reachable(city, is_drivable);
    for (const mission_plan &m : plans) {
        if (!m.start_line)
            fail(m.line, "mission " + m.name + " has no start: add 'start COLUMN ROW'");
        else
            check_start(m);
        if (m.steps.empty()) fail(m.line, "mission " + m.name + " has no steps");
        if (m.steps.size() > (size_t)MISSION_MAX_STEPS)
            fail(m.steps[MISSION_MAX_STEPS].line,
                 "mission " + m.name + ": an eleventh step; a mission holds ten");
        for (const mission_step_plan &s : m.steps) check_step(m, s);
    }
}

}  // namespace

std::vector<mission_error> read_missions(std::istream &in, const mission_city &city,
                                         std::vector<mission_plan> &plans)
{
    mission_reader reader{city, plans, {}, {}, {}};
    std::string text;
    int line = 0;
    while (std::getline(in, text)) reader.read_line(text, ++line);
    // A city whose start lies outside it has nothing to check against.
    if (city.start_x < 0 || city.start_y < 0 || city.start_x >= MAP_SIZE ||
        city.start_y >= MAP_SIZE)
        reader.fail(0, "the compiled city has no start cell inside it");
    else if (reader.errors.empty())
        reader.check_all();
    return reader.errors;
}

std::vector<unsigned char> encode_missions(const std::vector<mission_plan> &plans)
{
    std::vector<unsigned char> bytes(MISSION_FILE_BYTES, 0);
    for (size_t i = 0; i < plans.size() && i < (size_t)MISSION_COUNT; i++) {
        const mission_plan &m = plans[i];
        unsigned char *record = &bytes[i * MISSION_RECORD_BYTES];
        size_t count = std::min(m.steps.size(), (size_t)MISSION_MAX_STEPS);
        put_le32_at(record, (int32_t)count);
        put_le32_at(record + 4, m.start_x);
        put_le32_at(record + 8, m.start_y);
        for (size_t j = 0; j < count; j++) {
            unsigned char *step = record + MISSION_STEPS_OFFSET + j * MISSION_STEP_BYTES;
            put_le32_at(step, m.steps[j].cell_x);
            put_le32_at(step + 4, m.steps[j].cell_y);
            put_le32_at(step + 8, m.steps[j].kind);
        }
        // The done field stays 0: every mission is offered at a new game.
    }
    return bytes;
}
