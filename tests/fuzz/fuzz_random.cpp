// rand.rnd as any bytes: read as the game reads it, then a street filling up and a bomb going
// off on its numbers.
#include "frame/frame.h"
#include "fuzz_world.h"
#include "sprites/sprites.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = fuzz_input_file(data, size, "rand.rnd");
    if (setjmp(fuzz_escape) == 0) {
        fuzz_fresh_world();
        read_random_file(path);
        create_sprite(&bomb_template, player->x + 100, player->y, 0, 0)->wait = 0;
        fuzz_run_ticks(80);
    }
    return 0;
}
