// The game without a screen: the recorder of scripted demos, the replayer and the census start
// it here, play demo records tick by tick as the main loop would, and write what the world is
// at a tick as one line of fields.
#include <allegro.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
constexpr int STEP_MS = 10;

uint64_t mix(uint64_t h, int64_t v)
{
    // FNV-1a over the value's eight bytes.
    for (int i = 0; i < 8; i++) h = (h ^ (uint8_t)(v >> (8 * i))) * 1099511628211ull;
    return h;
}

uint64_t sprite_hash(uint64_t h, const Sprite *s)
{
    const int64_t fields[] = {template_index(s), s->x,    s->y,      s->vx,    s->vy,
                              s->angle,          s->turn, s->spin,   s->speed, s->health,
                              s->flags,          s->wait, s->period, s->frame, s->scale,
                              s->power,          s->forward, s->reverse, s->handbrake,
                              s->ambient};
    for (int64_t v : fields) h = mix(h, v);
    return h;
}

int list_position(const Sprite *target)
{
    int i = 0;
    for (const Sprite *s = sprite_list; s; s = s->next, i++)
        if (s == target) return i;
    return -1;
}
}  // namespace

bool start_headless_game()
{
    start_game_clock();
    set_game_clock(0);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return false;
    set_color_depth(8);
    load_sounds();
    load_random_numbers();
    build_display_state();
    return true;
}

void start_headless_demo(bool cop)
{
    police_count = 0;
    ambient_count = 0;
    restart_random_numbers();
    tick_count = 0;
    set_game_clock(0);
    player_template = cop ? &cop_template : &skidrunner_template;
    game_state = STATE_PLAYING;
    new_game();
}

void begin_headless_tick()
{
    tick_count += 1;
    // The clock runs 10 ms a step.
    set_game_clock(tick_count * STEP_MS);
}

void finish_headless_tick()
{
    if (game_state != STATE_PLAYING) return;
    if (demo_mode == DEMO_PLAYING) replay_demo_events();
    // The world still moves in the step in which a playback ends.
    update_world();
    update_missions();
    // A banner's time is checked once a step, as the live game checks it once a frame.
    if (game_state == STATE_PLAYING) end_banner_when_due();
}

bool demo_file_is_whole(FILE *f)
{
    unsigned char bytes[12];
    int32_t last = 1;
    long records = 0;
    size_t got;
    while ((got = fread(bytes, 1, sizeof bytes, f)) == sizeof bytes) {
        int32_t tick = le32_at(bytes);
        if (tick < last) return false;
        last = tick;
        records++;
    }
    rewind(f);
    return got == 0 && records > 0;
}

void print_digest_line(FILE *out)
{
    uint64_t h = 1469598103934665603ull;
    int count = 0;
    for (const Sprite *s = sprite_list; s; s = s->next, count++) h = sprite_hash(h, s);
    int mission = current_mission ? (int)(current_mission - missions) : -1;
    int done = 0;
    for (int i = 0; i < MISSION_COUNT; i++) done |= (missions[i].done != 0) << i;
    fprintf(out,
            "tick=%d sprites=%d world=%016" PRIx64 " player=%d:%d,%d felony=%d police=%d "
            "ambient=%d random=%d mission=%d/%d/%03x target=%d banner=%s state=%d\n",
            tick_count, count, h, list_position(player), player ? player->x : 0,
            player ? player->y : 0, felony, police_count, ambient_count, random_index, mission,
            step_index, done, list_position(mission_target),
            banner_active && banner_text ? banner_text : "-", game_state);
}

void print_sprites(FILE *out)
{
    int i = 0;
    for (const Sprite *s = sprite_list; s; s = s->next, i++)
        fprintf(out,
                "  %3d template=%d at=%d,%d v=%d,%d angle=%d turn=%d spin=%d speed=%d health=%d "
                "flags=%x wait=%d frame=%d scale=%d ambient=%d%s\n",
                i, template_index(s), s->x, s->y, s->vx, s->vy, s->angle, s->turn, s->spin,
                s->speed, s->health, (unsigned)s->flags, s->wait, s->frame, s->scale, s->ambient,
                s == player ? " player" : "");
}
