// Any bytes as a datafile and as the palette picture: our reader must never fault on them, and
// whatever it lets through, the library must load, use and unload without a fault of its own.
#include <allegro.h>

#include "frame/data_files.h"
#include "fuzz_world.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_start();
    return 0;
}

namespace {
// A font is used as the game uses its fonts: measured, and its text drawn.
void use_objects(DATAFILE *data, BITMAP *page)
{
    for (DATAFILE *d = data; d->type != DAT_END; d++) {
        if (d->type == DAT_FONT && get_font_ranges((FONT *)d->dat) > 0) {
            FONT *f = (FONT *)d->dat;
            text_length(f, "Skidrunner");
            textout_ex(page, f, "Job done! 0123456789 ~", 4, 4, 50, -1);
        }
        if (d->type == DAT_FILE) use_objects((DATAFILE *)d->dat, page);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char why[240];
    if (datafile_is_whole(data, size, why, sizeof why)) {
        DATAFILE *loaded = load_datafile(fuzz_input_file(data, size, "any.dat"));
        if (loaded) {
            BITMAP *page = create_bitmap_ex(8, 320, 64);
            use_objects(loaded, page);
            destroy_bitmap(page);
            unload_datafile(loaded);
        }
    }
    if (pcx_palette_is_whole(data, size, why, sizeof why)) {
        PALETTE palette;
        BITMAP *picture = load_pcx(fuzz_input_file(data, size, "any.pcx"), palette);
        if (picture) destroy_bitmap(picture);
    }
    return 0;
}
