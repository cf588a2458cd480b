// demo.dem as any bytes: played back as the game plays it (a fresh world each time), for 80
// ticks at most: the records of a demo are read as its ticks come.
#include <cstdio>

#include "frame/frame.h"
#include "fuzz_world.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = fuzz_input_file(data, size, "demo.dem");
    if (setjmp(fuzz_escape) == 0) {
        fuzz_fresh_world();
        demo_file = fopen(path, "rb");
        next_demo_tick = 0;
        read_demo_value(&next_demo_tick);
        demo_mode = DEMO_PLAYING;
        fuzz_run_ticks(80);
        fclose(demo_file);
        demo_file = nullptr;
        demo_mode = DEMO_NONE;
    }
    return 0;
}
