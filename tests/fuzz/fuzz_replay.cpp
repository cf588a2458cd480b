// The replayer's whole run of a demo file of any bytes: its check of the file, a demo started
// as the title starts one, every record replayed, up to 600 ticks (a record may lie years of
// ticks ahead: the game would wait for it, a fuzzer cannot).
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
    const char *path = fuzz_input_file(data, size, "replay.dem");
    FILE *f = fopen(path, "rb");
    if (!f) return 0;
    if (!demo_file_is_whole(f)) {
        fclose(f);
        return 0;
    }
    if (setjmp(fuzz_escape) == 0) {
        demo_file = f;
        read_demo_value(&next_demo_tick);
        start_headless_demo(false);
        demo_mode = DEMO_PLAYING;
        fuzz_run_ticks(600);
        static FILE *nowhere = fopen("/dev/null", "w");
        print_digest_line(nowhere);
    }
    if (demo_file) fclose(demo_file);
    demo_file = nullptr;
    demo_mode = DEMO_NONE;
    return 0;
}
