// map.map as any bytes: read as the game reads it, then the world run on it for a while.
#include "frame/frame.h"
#include "fuzz_world.h"
#include "map/map.h"
#include "sprites/sprites.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = fuzz_input_file(data, size, "map.map");
    if (setjmp(fuzz_escape) == 0) {
        fuzz_fresh_world(path);
        fuzz_run_ticks(30);
    }
    return 0;
}
