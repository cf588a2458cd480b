// The manifest of the shipped data files, the look each loader takes at a file before the
// library loads it, and the check of the objects it then uses.
#include "frame/data_files.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frame/frame.h"

namespace {
// No data file of the game comes near this; a larger file is not one of them.
constexpr size_t LARGEST_FILE = 1u << 30;
constexpr int FIRST_TEXT_CHARACTER = 32, LAST_TEXT_CHARACTER = 126;

// The whole file, or false when it cannot be opened; *readable is false when it opened but
// could not be read to its end.
bool read_whole_file(const char *path, std::vector<unsigned char> &bytes, bool *readable)
{
    FILE *f = fopen(path, "rb");
    if (!f) return false;
    bytes.clear();
    unsigned char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0 && bytes.size() <= LARGEST_FILE)
        bytes.insert(bytes.end(), block, block + got);
    *readable = !ferror(f) && bytes.size() <= LARGEST_FILE;
    fclose(f);
    return true;
}

const char *base_name(const char *path)
{
    const char *slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// Whether the manifest lists name with this size and checksum. A manifest that is missing or
// garbled lists nothing, and every file is then read through instead.
bool shipped_as(const char *name, size_t size, uint32_t crc)
{
    FILE *f = fopen(DATA_MANIFEST, "r");
    if (!f) return false;
    char line[256], listed[64];
    unsigned long listed_size;
    unsigned listed_crc;
    bool same = false;
    while (!same && fgets(line, sizeof line, f))
        same = line[0] != '#' &&
               sscanf(line, "%63s %lu %x", listed, &listed_size, &listed_crc) == 3 &&
               strcmp(listed, name) == 0 && listed_size == size && listed_crc == crc;
    fclose(f);
    return same;
}

// A type id as its four letters, for messages.
const char *type_name(int type, char (&text)[5])
{
    for (int i = 0; i < 4; i++) {
        char c = (char)((unsigned)type >> (24 - 8 * i));
        text[i] = c >= 32 && c < 127 ? c : '?';
    }
    text[4] = 0;
    return text;
}

bool font_has_text_characters(FONT *font)
{
    for (int c = FIRST_TEXT_CHARACTER; c <= LAST_TEXT_CHARACTER; c++) {
        bool found = false;
        for (int r = 0; r < get_font_ranges(font) && !found; r++)
            found = c >= get_font_range_begin(font, r) && c <= get_font_range_end(font, r);
        if (!found) return false;
    }
    return true;
}

[[noreturn]] void refuse(const char *format, ...) __attribute__((format(printf, 1, 2)));
void refuse(const char *format, ...)
{
    static char message[400];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    fatal_error(message);
}
}  // namespace

uint32_t data_crc32(const unsigned char *bytes, size_t size)
{
    static uint32_t table[256];
    if (table[1] == 0)
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool check_data_file(const char *path, DataFileKind kind, bool mid_line)
{
    std::vector<unsigned char> bytes;
    bool readable = false;
    if (!read_whole_file(path, bytes, &readable)) return false;
    const char *name = base_name(path);
    char why[240] = "it could not be read";
    if (readable) {
        if (shipped_as(name, bytes.size(), data_crc32(bytes.data(), bytes.size()))) return true;
        bool whole = kind == DATAFILE_KIND
                         ? datafile_is_whole(bytes.data(), bytes.size(), why, sizeof why)
                         : pcx_palette_is_whole(bytes.data(), bytes.size(), why, sizeof why);
        // Not as shipped, but whole: a file changed on purpose loads like any other.
        if (whole) return true;
    }
    refuse("%s%s is damaged or from another build of Skidrunner (%s): reinstall the game's data "
           "files",
           mid_line ? "\n" : "", name, why);
}

DATAFILE *load_checked_datafile(const char *path)
{
    if (!check_data_file(path, DATAFILE_KIND)) return nullptr;
    return load_datafile(path);
}

int datafile_object_count(const DATAFILE *data)
{
    int count = 0;
    while (data[count].type != DAT_END) count++;
    return count;
}

void require_object(const DATAFILE *data, const char *file, int index, int type, int min_w,
                    int min_h)
{
    int count = datafile_object_count(data);
    char wanted[5], found[5];
    if (index >= count)
        refuse("%s holds %d objects, and the game needs its object %d: the file is from another "
               "build of Skidrunner",
               file, count, index);
    const DATAFILE &object = data[index];
    if (object.type != type)
        refuse("%s: object %d is a %s, not the %s the game needs: the file is from another build "
               "of Skidrunner",
               file, index, type_name(object.type, found), type_name(type, wanted));
    if (type == DAT_BITMAP) {
        BITMAP *b = (BITMAP *)object.dat;
        if (bitmap_color_depth(b) != 8 || b->w < min_w || b->h < min_h)
            refuse("%s: picture %d is %dx%d at %d bits; the game needs at least %dx%d at 8 bits",
                   file, index, b->w, b->h, bitmap_color_depth(b), min_w, min_h);
    } else if (type == DAT_FONT && !font_has_text_characters((FONT *)object.dat)) {
        refuse("%s: font %d lacks some of the characters %d to %d", file, index,
               FIRST_TEXT_CHARACTER, LAST_TEXT_CHARACTER);
    }
}
