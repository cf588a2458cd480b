// map.mis as any bytes: read as the game reads it, then the player taken to every start and
// step cell in turn while the missions run.
#include "frame/frame.h"
#include "fuzz_world.h"
#include "missions/missions.h"
#include "sprites/sprites.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_start();
    return 0;
}

namespace {
void stand_at(int32_t cell_x, int32_t cell_y)
{
    player->x = cell_x * 64 + 32;
    player->y = cell_y * 64 + 32;
    fuzz_run_ticks(3);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = fuzz_input_file(data, size, "map.mis");
    if (setjmp(fuzz_escape) == 0) {
        fuzz_fresh_world("map.map", path);
        for (const MissionRecord &m : missions) {
            stand_at(m.start_x, m.start_y);
            for (int i = 0; i < MISSION_MAX_STEPS; i++) stand_at(m.steps[i].cell_x, m.steps[i].cell_y);
        }
    }
    return 0;
}
