// Missions: reading the mission files, offering the missions at their start cells, setting up
// and checking each step, completing a mission, and the arrow with the step's text.
#include "missions/missions.h"

#include <cstdio>
#include <cstdlib>

#include "display/display.h"
#include "display/palette.h"
#include "frame/data_files.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "map/map.h"
#include "sprites/sprites.h"
#include "title/title.h"

MissionRecord missions[MISSION_COUNT];
DATAFILE *mission_data = nullptr;
BITMAP *arrow_image = nullptr;
MissionRecord *current_mission = nullptr;
MissionStep *current_step = nullptr;
int step_index = 0;
Sprite *mission_target = nullptr;
const char *mission_text = nullptr;
int mission_text_end = 0;
bool job_done = false;
int job_done_end = 0;

namespace {
constexpr int MAX_FELONY = 5;
// mission.dat's object 0: the arrow, pointing north.
constexpr int ARROW = 0;
// The arrow stands this far from the player, toward a target that is off to one side.
constexpr int ARROW_REACH = 90;
// The arrow picture is 16 x 16: drawn on a target, its centre sits on the target's centre.
constexpr int ARROW_HALF = 8;
// A start marker sits this far below the top edge of its cell (18 px below the centre).
constexpr int START_MARKER_DROP = 50;
// Step texts and "Job done!" sit at the left edge, this far above the bottom of the screen.
constexpr int TEXT_RISE = 50;

int cell_centre(int32_t cell) { return cell * tile_size + tile_size / 2; }

void aim_at(Sprite *target) { mission_target = target; }

// One 32-bit field of a record, taken only when the file reached that far.
// The file is read as one block over the records: the bytes it holds replace the field's
// bytes in little-endian order, so a field the file cuts short keeps only its high bytes.
void read_field(const unsigned char *record, int available, int offset, int32_t &field)
{
    uint32_t value = (uint32_t)field;
    for (int k = 0; k < 4 && offset + k < available; k++)
        value = (value & ~(0xFFu << (8 * k))) | ((uint32_t)record[offset + k] << (8 * k));
    field = (int32_t)value;
}

void decode_record(const unsigned char *bytes, int available, MissionRecord &r)
{
    read_field(bytes, available, 0, r.step_count);
    read_field(bytes, available, 4, r.start_x);
    read_field(bytes, available, 8, r.start_y);
    for (int k = 0; k < 3; k++) read_field(bytes, available, 12 + 4 * k, r.unused[k]);
    for (int j = 0; j < MISSION_MAX_STEPS; j++) {
        int base = MISSION_STEPS_OFFSET + j * MISSION_STEP_BYTES;
        MissionStep &s = r.steps[j];
        read_field(bytes, available, base, s.cell_x);
        read_field(bytes, available, base + 4, s.cell_y);
        read_field(bytes, available, base + 8, s.kind);
        read_field(bytes, available, base + 12, s.unused[0]);
        read_field(bytes, available, base + 16, s.unused[1]);
    }
    read_field(bytes, available, MISSION_DONE_OFFSET, r.done);
}

// Whether a record is offered: not done and holding 1..10 steps. A count outside 1..10 would
// read past the record's ten steps, so such a record counts as empty.
bool mission_available(const MissionRecord *record)
{
    return record->done == 0 && record->step_count >= 1 && record->step_count <= MISSION_MAX_STEPS;
}

// Whether mission_target is still in the world: the sprite list tells the missions when a
// target leaves it (forget_mission_target), so a vanished target is null here.
bool mission_target_alive() { return mission_target != nullptr; }

bool player_in_cell(const MissionStep *step)
{
    return player->tile_x == step->cell_x && player->tile_y == step->cell_y;
}

// Whether the current step is done, with what finishing it does to the world.
bool step_finished()
{
    // A target that left the world (a victim that drowned) leaves its step unfinishable.
    if (!mission_target_alive()) return false;
    switch (current_step->kind) {
    case STEP_BRIEFCASE:
        if (!(mission_target->flags & SPRITE_WRECKED)) return false;  // not taken yet
        mission_target->flags |= SPRITE_REMOVE;
        return true;
    case STEP_KILL:
        if (!(mission_target->flags & SPRITE_WRECKED)) return false;  // not struck yet
        if (felony < MAX_FELONY) felony += 1;
        return true;
    case STEP_BOMB:
        if (!player_in_cell(current_step)) return false;
        aim_at(create_sprite(&bomb_template, player->x, player->y, itofix(-64), 0));
        return true;
    case STEP_GOTO:
        return player_in_cell(current_step);
    default:
        return false;
    }
}

// All steps done: the player walks away on foot where it was, forgiven.
void complete_mission()
{
    Sprite *old = player;
    current_mission->done = -1;
    current_mission = nullptr;
    current_step = nullptr;
    aim_at(nullptr);
    player = create_sprite(player_template, old->x, old->y, 0, 0);
    old->flags |= SPRITE_REMOVE;  // a car the player drove goes with the old player
    felony = 0;
    // The player is told, for as long as a step's text would show. Only frames read this.
    job_done = true;
    job_done_end = game_clock() + text_speed * 1000;
}

void advance_mission()
{
    if (step_index == current_mission->step_count) {
        complete_mission();
        return;
    }
    if (!step_finished()) return;
    step_index += 1;
    // After the last step nothing starts: the mission completes at the next tick.
    if (step_index < current_mission->step_count) {
        current_step = &current_mission->steps[step_index];
        start_mission_step(current_step);
    }
}

// Every available mission starts when the player stands on its start cell, or is marked there.
void offer_missions()
{
    for (MissionRecord &r : missions) {
        if (!mission_available(&r)) continue;
        if (player->tile_x == r.start_x && player->tile_y == r.start_y) {
            current_mission = &r;
            job_done = false;  // the new mission's words take the place
            step_index = 0;
            current_step = &r.steps[0];
            start_mission_step(current_step);
        } else {
            // Made anew every tick: the marker lives for one update.
            create_sprite(&start_marker_template, cell_centre(r.start_x),
                          r.start_y * tile_size + START_MARKER_DROP, itofix(-64), 0);
        }
    }
}

void draw_arrow_toward(const Sprite *target)
{
    if (!arrow_image) return;
    const Sprite *p = player;
    fixed theta = fixatan2(itofix(p->x - target->x), itofix(p->y - target->y));
    fixed heading = itofix(-64) - theta;  // from the player toward the target
    int x =
        (p->x - camera_x) + fixtoi(fixmul(itofix(ARROW_REACH), fixcos(heading))) + screen_width / 2;
    int y = (p->y - camera_y) + fixtoi(fixmul(itofix(ARROW_REACH), fixsin(heading))) +
            screen_height / 2;
    // A target within a third of the screen gets the arrow on itself.
    if (abs(p->x - target->x) < screen_width / 3 && abs(p->y - target->y) < screen_height / 3) {
        x = target->x - camera_x + screen_width / 2 - ARROW_HALF;
        y = target->y - camera_y + screen_height / 2 - ARROW_HALF;
    }
    // The picture points north; turned by -theta it points at the target.
    rotate_sprite(buffer, arrow_image, x, y, -theta);
}
}  // namespace

void forget_mission_target(const Sprite *s)
{
    if (s == mission_target) mission_target = nullptr;
}

void load_missions()
{
    // Every new game loads the files afresh: all missions are offered again.
    if (mission_data) unload_datafile(mission_data);
    arrow_image = nullptr;
    mission_data = load_checked_datafile("mission.dat");
    if (!mission_data) fatal_error("Error opening mission.dat");
    require_object(mission_data, "mission.dat", ARROW, DAT_BITMAP);
    mission_text = nullptr;
    job_done = false;
    read_mission_file("map.mis");
    current_mission = nullptr;
    current_step = nullptr;
    step_index = 0;
    aim_at(nullptr);
    arrow_image = (BITMAP *)mission_data[ARROW].dat;
}

void read_mission_file(const char *name)
{
    FILE *f = fopen(name, "rb");
    if (!f) fatal_error("Error loading .mis file!");
    unsigned char bytes[MISSION_FILE_BYTES];
    int got = (int)fread(bytes, 1, sizeof bytes, f);
    fclose(f);
    // A shorter file fills the bytes it reaches; the rest keep what they held.
    for (int i = 0; i < MISSION_COUNT; i++)
        decode_record(bytes + i * MISSION_RECORD_BYTES, got - i * MISSION_RECORD_BYTES,
                      missions[i]);
}

void start_mission_step(MissionStep *step)
{
    current_step = step;
    int x = cell_centre(step->cell_x);
    int y = cell_centre(step->cell_y);
    switch (step->kind) {
    case STEP_BRIEFCASE:
        aim_at(create_sprite(&briefcase_template, x, y, itofix(-64), 0));
        mission_text = "get a briefcase";
        break;
    case STEP_KILL:
        aim_at(create_sprite(&pedestrian_template, x, y, 0, 0));  // a calm passer-by
        mission_text = "kill someone";
        break;
    case STEP_BOMB:
        aim_at(create_sprite(&marker_template, x, y, 0, 0));
        mission_text = "plant a bomb";
        break;
    default:
        // A place to reach keeps the text of the step before.
        aim_at(create_sprite(&marker_template, x, y, 0, 0));
        break;
    }
    mission_text_end = game_clock() + text_speed * 1000;
}

void update_missions()
{
    if (mission_under_way())
        advance_mission();
    else
        offer_missions();
}

void draw_mission_arrow()
{
    if (!mission_under_way()) return;
    if (mission_target_alive()) draw_arrow_toward(mission_target);
    if (mission_text && game_clock() < mission_text_end)
        textout_ex(buffer, game_font, mission_text, 0, screen_height - TEXT_RISE,
                   COLOUR_MISSION_TEXT, 0);
}

bool job_done_showing() { return job_done && game_clock() < job_done_end; }

void draw_job_done()
{
    // The arrow's drawing stops with the mission, so the word of its end is drawn here.
    if (mission_under_way() || !job_done_showing()) return;
    textout_ex(buffer, game_font, "Job done!", 0, screen_height - TEXT_RISE, COLOUR_MISSION_TEXT,
               0);
}

bool mission_under_way() { return current_mission && current_step; }
