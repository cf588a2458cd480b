// Missions: the mission files, the mission under way, its steps, the start markers, the arrow
// and the step's text.
#pragma once
#include <allegro.h>
#include <cstdint>

struct Sprite;

// What a step asks of the player; any other kind makes a step that never finishes.
constexpr int32_t STEP_BRIEFCASE = 1;
constexpr int32_t STEP_KILL = 2;
constexpr int32_t STEP_BOMB = 3;
constexpr int32_t STEP_GOTO = 4;

constexpr int MISSION_COUNT = 10;
constexpr int MISSION_MAX_STEPS = 10;

// One objective: its place (a map cell) and its kind; fields in map.mis order.
struct MissionStep {
    int32_t cell_x, cell_y;
    int32_t kind;
    int32_t unused[2];
};

// One mission of map.mis; fields in file order. done is 0 while the mission is offered.
struct MissionRecord {
    int32_t step_count;  // 1..10; 0 (or anything outside 1..10) marks an empty record
    int32_t start_x, start_y;
    int32_t unused[3];
    MissionStep steps[MISSION_MAX_STEPS];
    int32_t done;
};

// map.mis: ten records of 228 bytes, little-endian 32-bit fields, no header. make_missions
// writes it with these offsets and the game reads it with them.
constexpr int MISSION_STEP_BYTES = 20;
constexpr int MISSION_RECORD_BYTES = 228;
constexpr int MISSION_FILE_BYTES = MISSION_COUNT * MISSION_RECORD_BYTES;
constexpr int MISSION_STEPS_OFFSET = 24;
constexpr int MISSION_DONE_OFFSET = 224;
static_assert(sizeof(MissionStep) == MISSION_STEP_BYTES, "a step is five 32-bit fields");
static_assert(sizeof(MissionRecord) == MISSION_RECORD_BYTES, "a record is 57 32-bit fields");

// The mission state, owned here and cleared by load_missions at every new game.
// The contents of map.mis; update_missions marks a completed record done (-1).
extern MissionRecord missions[MISSION_COUNT];
// "mission.dat", and its object 0, the north-pointing arrow draw_mission_arrow turns.
extern DATAFILE *mission_data;
extern BITMAP *arrow_image;
// The mission and step under way (both null while none is), and the step's index.
extern MissionRecord *current_mission;
extern MissionStep *current_step;
extern int step_index;
// The sprite the arrow points at; null once it has left the world, so it is never read freed.
extern Sprite *mission_target;
// The step's text ("get a briefcase"...) or null, and the game_clock() time it shows until.
extern const char *mission_text;
extern int mission_text_end;
// "Job done!" after a completed mission: set at completion with the game_clock() time it shows
// until, cleared by a new game and when the next mission starts. Only drawing reads it.
extern bool job_done;
extern int job_done_end;

// remove_sprite: a mission target that leaves the world leaves its step unfinishable.
void forget_mission_target(const Sprite *s);
// new_game, before the player is created: the arrow picture and the missions, none under way.
void load_missions();
// load_missions: reads a mission file over missions; a shorter file leaves the rest alone.
void read_mission_file(const char *name);
// update_missions: makes step current, with its target at the step's cell and its text.
void start_mission_step(MissionStep *step);
// main_loop once per simulation step while playing, after update_world.
void update_missions();
// main_loop once per frame while a mission step is under way: the arrow and the step's text.
void draw_mission_arrow();
// main_loop once per frame while playing: "Job done!" where the step texts go, for text_speed
// seconds after a mission is completed, while no other mission is under way.
void draw_job_done();
// draw_job_done: whether "Job done!" shows at this game_clock() time.
bool job_done_showing();
// main_loop: whether a mission and a step are under way (the arrow is drawn only then).
bool mission_under_way();
