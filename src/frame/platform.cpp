#include "frame/platform.h"

#include <cerrno>
#include <ctime>

namespace {
timespec clock_start{};
bool clock_pinned = false;
int32_t pinned_ms = 0;

// 4.0 put the modifier keys right after KEY_BACKQUOTE's neighbours; 4.4 inserted twelve
// codes (103..114) before them, so its KEY_LSHIFT..KEY_CAPSLOCK (115..126) are 4.0's 103..114.
constexpr int FIRST_SHIFTED_LIVE = 115;
constexpr int LAST_SHIFTED_LIVE = 126;
constexpr int SHIFT = 12;
constexpr int LAST_SHARED = 102;
}  // namespace

void start_game_clock() { clock_gettime(CLOCK_MONOTONIC, &clock_start); }

int32_t game_clock()
{
    if (clock_pinned) return pinned_ms;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    int64_t ms = (int64_t)(now.tv_sec - clock_start.tv_sec) * 1000 +
                 (now.tv_nsec - clock_start.tv_nsec) / 1000000;
    return (int32_t)ms;
}

void set_game_clock(int32_t ms)
{
    clock_pinned = true;
    pinned_ms = ms;
}

void release_game_clock() { clock_pinned = false; }

void sleep_until_clock(int32_t ms)
{
    if (clock_pinned) return;
    // The clock reads ms at this instant exactly: waking there is neither early nor late.
    timespec due = clock_start;
    int64_t ns = (int64_t)due.tv_nsec + (int64_t)ms * 1000000;
    due.tv_sec += (time_t)(ns / 1000000000);
    due.tv_nsec = (long)(ns % 1000000000);
    if (due.tv_nsec < 0) due.tv_sec -= 1, due.tv_nsec += 1000000000;
    // A signal cuts the sleep short: the rest is slept (a quit request asked by Ctrl+C waits
    // for the loop's next pass anyway, a step at most).
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
}

int key_code_40(int live_code)
{
    if (live_code >= 0 && live_code <= LAST_SHARED) return live_code;
    if (live_code >= FIRST_SHIFTED_LIVE && live_code <= LAST_SHIFTED_LIVE) return live_code - SHIFT;
    return -1;
}

int key_code_live(int code_40)
{
    if (code_40 >= 0 && code_40 <= LAST_SHARED) return code_40;
    if (code_40 >= FIRST_SHIFTED_LIVE - SHIFT && code_40 <= LAST_SHIFTED_LIVE - SHIFT)
        return code_40 + SHIFT;
    return -1;
}

int32_t le32_at(const unsigned char *b)
{
    return (int32_t)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 |
                     (uint32_t)b[3] << 24);
}

void put_le32_at(unsigned char *bytes, int32_t value)
{
    uint32_t v = (uint32_t)value;
    for (int i = 0; i < 4; i++) bytes[i] = (unsigned char)(v >> (8 * i));
}

namespace {
constexpr uint32_t COSMETIC_SEED = 0x2545F491u;
uint32_t cosmetic_state = COSMETIC_SEED;
}  // namespace

void restart_cosmetic_random() { cosmetic_state = COSMETIC_SEED; }

uint32_t cosmetic_random()
{
    uint32_t &state = cosmetic_state;
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}
