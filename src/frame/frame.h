// The game frame: start-up, the loading sequence, new games, the main loop with its fixed
// 10 ms steps, input events and game keys, the random-number table, demo files, the ends.
#pragma once
#include <cstdint>
#include <csignal>
#include <cstdio>

struct Sprite;

// Which screen is live: 1 the title and menus, 0 playing. Owned here; set by the menus, the
// Escape key, the end of a demo and the end of a banner during a demo.
constexpr int STATE_PLAYING = 0;
constexpr int STATE_TITLE = 1;
extern int game_state;
// 0 no demo, 1 playing a demo back, 2 recording one.
constexpr int DEMO_NONE = 0;
constexpr int DEMO_PLAYING = 1;
constexpr int DEMO_RECORDING = 2;
extern int demo_mode;
// Simulation steps since start-up or the last demo start: the time base of demo files.
extern int32_t tick_count;
// The clock reading at the end of the last batch of simulation steps.
extern int32_t last_update_time;
// The template the player's sprite is made from: the skidrunner or the cop.
extern Sprite *player_template;

// The command line as main received it.
extern int saved_argc;
extern char **saved_argv;

// main, first: "--help" or "--version" prints its answer and ends the program, status 0.
void answer_help_and_version();
// main, first: reads "-VGA", "-scale N", "-record" and "-play" from the saved command line,
// and warns of any other argument.
void parse_command_line();
// main, once: installs the library's drivers and loads every file the game keeps loaded.
void load_game();
// main (a demo from the command line), the "Play as" menu rows and a demo start: a fresh world.
void new_game();
// main, last: draws frames and runs the simulation steps the clock asks for; never returns.
[[noreturn]] void main_loop();
// main_loop, once per pass: composes the frame of the current state into the buffer.
void draw_frame();
// main_loop, after the steps that ran: composes the frame and puts it on the screen, unless it
// is a title picture already there.
void show_frame();
// Frames put on the screen since start-up: the benchmark of the game's processor use reads it.
extern int64_t frames_shown;
// main_loop, once per pass: one step per whole 10 ms since the last batch; the steps run.
int run_due_steps();
// main_loop, after a pass that ran no step: the clock reading at which the next step is due.
int32_t next_step_due();
// run_due_steps: one simulation step (tick, input, world or title).
void run_simulation_step();
// Set when the player closes the window or the program is asked to stop (Ctrl+C, a logout):
// main_loop quits cleanly at its next pass. Written from the library's event thread or a
// signal handler, so it is only ever set and read.
extern volatile sig_atomic_t quit_requested;
// load_game, after the library starts: the window's close button and SIGINT/SIGTERM ask to quit.
void install_quit_requests();
// load_game, after the library starts: the game ends at once, status 1, if its X server goes.
void install_display_lost_handler();
// The "Quit" menu row and fatal_error: closes the demo file and ends the program with status 0.
[[noreturn]] void quit_game();
// Every check that cannot go on: closes the screen, prints message and ends with status 1.
[[noreturn]] void fatal_error(const char *message);
// The fuzzers only: when set, fatal_error hands its message here first, and the handler does not
// return (it jumps back to the fuzzer's next input). The game never sets it.
extern void (*fatal_error_handler)(const char *message);

// ---- Input events, game keys and random numbers ----

// One input change, as the game and demo files see it.
struct InputEvent {
    int32_t type;     // 0 key released, 1 key pressed, 2 mouse buttons changed
    int32_t value;    // the 4.0 key code, or the mouse x position
    int32_t mouse_y;  // type 2 only
    int32_t buttons;  // type 2 only: the library's mouse_b bits
};
constexpr int32_t EVENT_RELEASED = 0;
constexpr int32_t EVENT_PRESSED = 1;
constexpr int32_t EVENT_MOUSE = 2;

// The 4.0 key codes the game reacts to; demo files hold these numbers.
constexpr int GAME_KEY_1 = 28;
constexpr int GAME_KEY_2 = 29;
constexpr int GAME_KEY_3 = 30;
constexpr int GAME_KEY_4 = 31;
constexpr int GAME_KEY_F11 = 57;
constexpr int GAME_KEY_F12 = 58;
constexpr int GAME_KEY_ESC = 59;
constexpr int GAME_KEY_TAB = 64;
constexpr int GAME_KEY_ENTER = 67;
constexpr int GAME_KEY_SPACE = 75;
constexpr int GAME_KEY_LEFT = 82;
constexpr int GAME_KEY_RIGHT = 83;
constexpr int GAME_KEY_UP = 84;
constexpr int GAME_KEY_DOWN = 85;
constexpr int GAME_KEY_LCONTROL = 105;

// Key states (by 4.0 code) and mouse buttons seen at the last poll.
extern unsigned char previous_keys[128];
extern int previous_mouse_b;
// The contents of "rand.rnd" and the index of the value last handed out.
extern int32_t random_table[256];
extern int random_index;

// run_simulation_step, right after the tick is counted: turns every key and mouse-button
// change into an event for the live screen.
void poll_input();
// poll_input: hands one event to the game (recording it first) or to the title menu.
void dispatch_event(const InputEvent &event);
// dispatch_event and the demo playback: the game's reaction to one event.
void handle_game_key(const InputEvent &event);
// load_game: reads the 256 random numbers of "rand.rnd".
void load_random_numbers();
// load_random_numbers (and the fuzzers): a random-number file into the table, index restarted.
void read_random_file(const char *name);
// Program start (load_random_numbers) and every demo start: the table is read from its start
// again, and so is the jitter of smoke and scorch marks.
void restart_random_numbers();
// Every game decision that needs chance: the next value of the table (may be negative).
int32_t next_random();
// Where a draw must land in 0..n-1 (a cell of the spawner's window, a bomb's ring, a tune):
// value's remainder by n brought up into that range; n must be positive.
int32_t remainder_in_range(int32_t value, int32_t n);

// ---- Demo files ----

// "demo.dem" while recording or playing; null when none is open.
extern FILE *demo_file;
// During playback: the tick of the next record not yet replayed.
extern int32_t next_demo_tick;
// The title after five idle minutes: plays the named demo file from a fresh game; false (and
// nothing changed) when the file cannot be opened.
bool start_demo(const char *filename);
// run_simulation_step while a demo plays: hands the records due at this tick to the game.
void replay_demo_events();
// The demo's start and playback: the next 32-bit value of the demo file; false (and value
// left as it was) at its end.
bool read_demo_value(int32_t *value);
// dispatch_event while recording: appends one event record to the demo file.
void record_demo_event(const InputEvent &event);

// ---- Headless runs: the demo recorder, the replayer, the census, the tests ----

// Their start: the library without a screen or sound, the sounds' files, the random numbers,
// the display state (fonts, buffer, palette, tables). False when the library cannot start.
bool start_headless_game();
// A demo's start, as the title starts one: counters, random numbers, tick and clock restarted,
// a new game in the skidrunner role (or the cop's).
void start_headless_demo(bool cop);
// One step of the main loop without a screen, in two halves: the tick is counted and the clock
// set to 10 ms a tick; the caller hands over the step's input events; then the demo's records
// due are replayed, the world and the missions move and a banner whose time is up ends.
void begin_headless_tick();
void finish_headless_tick();
// The replayer: the world at this tick as one line of named fields (a hash of every listed
// sprite in list order, the player, felony, the counters, the random index, the missions, the
// banner, the screen), and every listed sprite, one a line.
void print_digest_line(FILE *out);
// The replayer, before it plays a file: whole records of three 32-bit values, ticks from 1 on
// never going back (the file is read through and rewound).
bool demo_file_is_whole(FILE *f);
void print_sprites(FILE *out);
