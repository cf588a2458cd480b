// Reading the city source and writing map.map. The source is meant to be edited by hand, so
// every fault is reported with its line, and all of them at once.
#include "city_source.h"

#include "frame/platform.h"

#include <sstream>

const legend_entry city_legend[CITY_CODE_COUNT] = {
    {'~', 0, "water"},
    {',', 1, "park grass"},
    {'v', 2, "lane south (traffic spawns)"},
    {'^', 3, "lane north (traffic spawns)"},
    {'<', 4, "lane west (traffic spawns)"},
    {'>', 5, "lane east (traffic spawns)"},
    {'s', 6, "junction lane south"},
    {'w', 7, "junction lane west"},
    {'e', 8, "junction lane east"},
    {'n', 9, "junction lane north"},
    {'E', 10, "bridge lane east"},
    {'S', 11, "bridge lane south"},
    {'N', 12, "bridge lane north"},
    {'W', 13, "bridge lane west"},
    {'.', 14, "pavement"},
    {'#', 15, "building"},
    {'+', 16, "junction asphalt"},
    {'|', 17, "zebra crossing on a north-south street"},
    {'=', 18, "zebra crossing on an east-west street"},
    {'P', 19, "car park"},
    {'%', 20, "gravel yard"},
    {'!', 21, "thin wall on pavement"},
    {':', 22, "arcade"},
};

const object_kind city_object_kinds[5] = {
    {"car", 1}, {"fountain", 2}, {"crowd", 3}, {"barrier", 4}, {"tree", 5},
};

namespace {

struct placed_line {
    int line;
    city_object object;
};

struct source_reader {
    city_map &city;
    std::vector<city_error> errors;
    std::vector<placed_line> placed;
    int start_line = 0;
    bool grid_seen = false;

    void fail(int line, const std::string &message) { errors.push_back({line, message}); }
    void read_grid(std::istream &in, int &line_number);
    void read_directive(const std::string &text, int line_number);
    bool read_cell(std::istringstream &words, int line, int &x, int &y);
    void check_placement();
};

std::string strip_return(std::string text)
{
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

bool is_blank_or_comment(const std::string &text)
{
    size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos || text[first] == '#';
}

// Headings by compass name or as whole angle units 0..255; -1 for anything else.
int parse_heading(const std::string &word)
{
    if (word == "east") return 0;
    if (word == "south") return 64;
    if (word == "west") return 128;
    if (word == "north") return 192;
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) return -1;
    if (word.size() > 3) return -1;
    int units = std::stoi(word);
    return units < 256 ? units : -1;
}

void source_reader::read_grid(std::istream &in, int &line_number)
{
    grid_seen = true;
    std::string row;
    for (int y = 0; y < CITY_SIZE; y++) {
        if (!std::getline(in, row)) {
            fail(line_number, "the grid ends after " + std::to_string(y) + " rows, not " +
                                  std::to_string(CITY_SIZE));
            return;
        }
        line_number++;
        row = strip_return(row);
        if ((int)row.size() != CITY_SIZE) {
            fail(line_number, "grid row " + std::to_string(y) + " has " +
                                  std::to_string(row.size()) + " characters, not " +
                                  std::to_string(CITY_SIZE));
            continue;
        }
        for (int x = 0; x < CITY_SIZE; x++) {
            int code = code_of_symbol(row[x]);
            if (code < 0) {
                fail(line_number, std::string("unknown character '") + row[x] + "' in column " +
                                      std::to_string(x));
                continue;
            }
            city.cells[y * CITY_SIZE + x] = code;
        }
    }
}

bool source_reader::read_cell(std::istringstream &words, int line, int &x, int &y)
{
    if (!(words >> x >> y)) {
        fail(line, "expected a column and a row");
        return false;
    }
    if (x < 0 || x >= CITY_SIZE || y < 0 || y >= CITY_SIZE) {
        fail(line, "cell " + std::to_string(x) + "," + std::to_string(y) + " is outside the city");
        return false;
    }
    return true;
}

void source_reader::read_directive(const std::string &text, int line_number)
{
    std::istringstream words(text);
    std::string keyword;
    words >> keyword;
    if (keyword == "start") {
        int x, y;
        if (start_line) fail(line_number, "a second start cell (the first is on line " +
                                              std::to_string(start_line) + ")");
        if (!read_cell(words, line_number, x, y)) return;
        city.start_x = x;
        city.start_y = y;
        start_line = line_number;
        return;
    }
    for (const object_kind &kind : city_object_kinds) {
        if (keyword != kind.name) continue;
        city_object object;
        object.type = kind.type;
        if (!read_cell(words, line_number, object.cell_x, object.cell_y)) return;
        std::string heading = "east";
        words >> heading;
        object.heading = parse_heading(heading);
        if (object.heading < 0) {
            fail(line_number, "unknown heading '" + heading + "'");
            return;
        }
        placed.push_back({line_number, object});
        return;
    }
    fail(line_number, "unknown line '" + text + "'");
}

void source_reader::check_placement()
{
    if (!grid_seen) fail(0, "no grid: the source needs a line 'grid' and 150 rows after it");
    if ((int)placed.size() > CITY_MAX_OBJECTS)
        fail(placed[CITY_MAX_OBJECTS].line, "more than " + std::to_string(CITY_MAX_OBJECTS) +
                                                " placed objects");
    for (const placed_line &p : placed) {
        if (!is_passable_code(city.at(p.object.cell_x, p.object.cell_y)))
            fail(p.line, "the object stands in water or a building");
        city.objects.push_back(p.object);
    }
    if (!start_line) fail(0, "no start cell: add a line 'start COLUMN ROW'");
    else if (!is_passable_code(city.at(city.start_x, city.start_y)))
        fail(start_line, "the start cell is water or a building");
}

void put_le32(std::vector<unsigned char> &out, size_t at, int32_t value)
{
    put_le32_at(out.data() + at, value);
}

}  // namespace

int code_of_symbol(char symbol)
{
    for (const legend_entry &entry : city_legend)
        if (entry.symbol == symbol) return entry.code;
    return -1;
}

bool is_passable_code(int code)
{
    return code != 0 && code != 15;
}

std::vector<city_error> read_city(std::istream &in, city_map &city)
{
    source_reader reader{city, {}, {}, 0, false};
    std::string text;
    int line_number = 0;
    while (std::getline(in, text)) {
        line_number++;
        text = strip_return(text);
        if (is_blank_or_comment(text)) continue;
        if (text == "grid") {
            if (reader.grid_seen) reader.fail(line_number, "a second grid");
            reader.read_grid(in, line_number);
            continue;
        }
        reader.read_directive(text, line_number);
    }
    reader.check_placement();
    return reader.errors;
}

std::vector<unsigned char> encode_city(const city_map &city)
{
    std::vector<unsigned char> out(CITY_FILE_SIZE, 0);
    for (int i = 0; i < CITY_SIZE * CITY_SIZE; i++) put_le32(out, 4 * i, city.cells[i]);
    size_t records = CITY_SIZE * CITY_SIZE * 4;
    for (size_t i = 0; i < city.objects.size() && i < (size_t)CITY_MAX_OBJECTS; i++) {
        const city_object &o = city.objects[i];
        size_t at = records + 16 * i;
        put_le32(out, at, o.cell_x);
        put_le32(out, at + 4, o.cell_y);
        put_le32(out, at + 8, o.type);
        // The game keeps headings as 16.16 fixed-point values.
        put_le32(out, at + 12, o.heading * 65536);
    }
    put_le32(out, CITY_FILE_SIZE - 8, city.start_x);
    put_le32(out, CITY_FILE_SIZE - 4, city.start_y);
    return out;
}
