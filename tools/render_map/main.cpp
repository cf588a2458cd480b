// render_map: draws the compiled city into a PNG picture, to look at the whole city at once.
// Run it in the game folder, where map.map, tiles.dat, pal.pcx and sprites.dat are:
//     render_map [--scale N] [--cells X0 Y0 X1 Y1] [--plain] city.png
// --scale N shrinks the picture N times (the full city is 9600 x 9600 pixels; the default 8
// gives 1200 x 1200), --cells draws only that rectangle of cells, --plain leaves out the
// rings round the placed objects and the start. sprites.dat is optional: without it the
// placed objects show only as rings.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "city_picture.h"

namespace {

struct options {
    int scale = 8;
    cell_area area;
    bool marks = true;
    std::string output;
};

bool parse_options(int argc, char **argv, options &o)
{
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--scale" && i + 1 < argc) {
            o.scale = std::atoi(argv[++i]);
        } else if (a == "--cells" && i + 4 < argc) {
            o.area = {std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), std::atoi(argv[i + 3]),
                      std::atoi(argv[i + 4])};
            i += 4;
        } else if (a == "--plain") {
            o.marks = false;
        } else if (!a.empty() && a[0] != '-' && o.output.empty()) {
            o.output = a;
        } else {
            return false;
        }
    }
    const cell_area &c = o.area;
    bool area_ok = c.x0 >= 0 && c.y0 >= 0 && c.x0 <= c.x1 && c.y0 <= c.y1 && c.x1 < 150 && c.y1 < 150;
    return !o.output.empty() && o.scale >= 1 && o.scale <= 64 && area_ok;
}

int render(const options &o)
{
    map_contents map;
    std::string why;
    if (!read_map_contents("map.map", map, why)) {
        std::fprintf(stderr, "map.map: %s\n", why.c_str());
        return 1;
    }
    PALETTE palette;
    BITMAP *palette_picture = load_pcx("pal.pcx", palette);
    if (!palette_picture) {
        std::fprintf(stderr, "pal.pcx: cannot be read\n");
        return 1;
    }
    destroy_bitmap(palette_picture);
    DATAFILE *tiles = load_datafile("tiles.dat");
    if (!tiles) {
        std::fprintf(stderr, "tiles.dat: cannot be read\n");
        return 1;
    }
    DATAFILE *sprites = load_datafile("sprites.dat");
    BITMAP *world = draw_city(map, o.area, tiles, sprites);
    if (!world) {
        std::fprintf(stderr, "not enough memory for the picture\n");
        return 1;
    }
    rgb_picture picture = shrink_to_rgb(world, palette, o.scale);
    destroy_bitmap(world);
    if (sprites) unload_datafile(sprites);
    unload_datafile(tiles);
    if (o.marks) mark_city(picture, map, o.area, o.scale);
    if (!write_png(picture, o.output)) {
        std::fprintf(stderr, "%s: cannot be written\n", o.output.c_str());
        return 1;
    }
    std::printf("%s: %d x %d pixels\n", o.output.c_str(), picture.w, picture.h);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    options o;
    if (!parse_options(argc, argv, o)) {
        std::fprintf(stderr, "usage: render_map [--scale N] [--cells X0 Y0 X1 Y1] [--plain] OUTPUT.png\n"
                             "(run in the folder that holds map.map, tiles.dat and pal.pcx)\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "the graphics library does not start\n");
        return 1;
    }
    return render(o);
}
