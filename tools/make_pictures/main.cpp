// make_pictures OUT_DIR: draws every picture of the game and writes them as 8-bit PCX files,
// one folder per datafile (OUT_DIR/sprites, tiles, title, font, hud, mission), plus
// OUT_DIR/pal.pcx, the game palette. The build packs each folder into its datafile.
// make_pictures --icons OUT_DIR: the menu icon, at each size the desktop looks for.
#include "game_palette.h"
#include "pictures.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

std::string indexed_name(int index, const char *name)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d_%s.pcx", index, name);
    return buffer;
}

namespace {

bool write_set(const std::filesystem::path &folder, const picture_set &set, const PALETTE pal)
{
    std::filesystem::create_directories(folder);
    for (const named_picture &p : set) {
        std::string file = (folder / p.file).string();
        if (save_pcx(file.c_str(), p.image.get(), pal) != 0) {
            std::fprintf(stderr, "make_pictures: cannot write %s\n", file.c_str());
            return false;
        }
    }
    return true;
}

// pal.pcx: only its palette matters to the game; the picture is a swatch of all 256 entries.
bool write_palette(const std::filesystem::path &folder, const PALETTE pal)
{
    picture swatch = new_picture(16 * 8, 16 * 8);
    for (int i = 0; i < PAL_SIZE; ++i)
        rectfill(swatch.get(), (i % 16) * 8, (i / 16) * 8, (i % 16) * 8 + 7, (i / 16) * 8 + 7, i);
    std::string file = (folder / "pal.pcx").string();
    return save_pcx(file.c_str(), swatch.get(), pal) == 0;
}

}  // namespace

int main(int argc, char **argv)
{
    bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: make_pictures [--icons] OUT_DIR\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "make_pictures: cannot start the library\n");
        return 1;
    }
    set_color_depth(8);
    if (icons) return write_icons(argv[2]) ? 0 : 1;
    PALETTE pal;
    make_game_palette(pal);
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);

    bool ok = write_palette(out, pal);
    ok = ok && write_set(out / "sprites", make_sprite_pictures(), pal);
    ok = ok && write_set(out / "tiles", make_tile_pictures(), pal);
    ok = ok && write_set(out / "title", make_title_pictures(pal), pal);
    ok = ok && write_set(out / "font", make_font_grids(), pal);
    ok = ok && write_set(out / "hud", make_hud_pictures(), pal);
    ok = ok && write_set(out / "mission", make_mission_pictures(), pal);
    return ok ? 0 : 1;
}
