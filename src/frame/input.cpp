// Input events, the game's keys and the random-number table.
#include <allegro.h>

#include <cstdio>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

unsigned char previous_keys[128];
int previous_mouse_b = 0;
int32_t random_table[256];
int random_index = 0;

constexpr int HORN_SOUND = 2;

void poll_input()
{
    for (int code = 0; code < KEY_CODE_COUNT; code++) {
        int live = key_code_live(code);
        unsigned char held = live >= 0 ? (unsigned char)key[live] : 0;
        if (held == previous_keys[code]) continue;
        previous_keys[code] = held;
        InputEvent event{held ? EVENT_PRESSED : EVENT_RELEASED, code, 0, 0};
        if (demo_mode == DEMO_PLAYING && event.type == EVENT_PRESSED) {
            // Any key ends a playback; the title then waits its full idle time.
            game_state = STATE_TITLE;
            idle_ticks = 0;
            continue;
        }
        dispatch_event(event);
    }
    if (mouse_b != previous_mouse_b) {
        previous_mouse_b = mouse_b;
        dispatch_event(InputEvent{EVENT_MOUSE, mouse_x, mouse_y, previous_mouse_b});
    }
}

void dispatch_event(const InputEvent &event)
{
    if (game_state == STATE_PLAYING) {
        if (demo_mode == DEMO_RECORDING) record_demo_event(event);
        handle_game_key(event);
    } else {
        menu_input(event);
    }
}

namespace {
void handle_key_press(int code)
{
    switch (code) {
    case GAME_KEY_1:
    case GAME_KEY_2:
    case GAME_KEY_3:
    case GAME_KEY_4: current_weapon = &weapons[code - GAME_KEY_1]; break;
    case GAME_KEY_F11: save_bitmap("dump.pcx", buffer, game_palette); break;
    case GAME_KEY_F12: cycle_screen_mode(); break;
    case GAME_KEY_ESC: game_state = STATE_TITLE; break;
    case GAME_KEY_TAB: play_sprite_sound(player, sound_sample(HORN_SOUND), -1); break;
    case GAME_KEY_ENTER: enter_or_leave_vehicle(); break;
    case GAME_KEY_SPACE: player->handbrake = -1; break;
    case GAME_KEY_LEFT: player->turn -= itofix(2); break;
    case GAME_KEY_RIGHT: player->turn += itofix(2); break;
    case GAME_KEY_UP:
        player->forward = -1;
        player->link = nullptr;  // stops a walk toward a car
        break;
    case GAME_KEY_DOWN: player->reverse = -1; break;
    case GAME_KEY_LCONTROL: player->flags |= SPRITE_FIRING; break;
    default: break;
    }
}

void handle_key_release(int code)
{
    switch (code) {
    case GAME_KEY_TAB: play_sprite_sound(player, nullptr, 0); break;
    case GAME_KEY_SPACE: player->handbrake = 0; break;
    case GAME_KEY_LEFT: player->turn += itofix(2); break;
    case GAME_KEY_RIGHT: player->turn -= itofix(2); break;
    case GAME_KEY_UP: player->forward = 0; break;
    case GAME_KEY_DOWN: player->reverse = 0; break;
    case GAME_KEY_LCONTROL: player->flags &= ~SPRITE_FIRING; break;
    default: break;
    }
}
}  // namespace

void handle_game_key(const InputEvent &event)
{
    // A wrecked player's keys, Escape included, do nothing.
    if (!player || (player->flags & SPRITE_WRECKED)) return;
    if (event.type == EVENT_PRESSED)
        handle_key_press(event.value);
    else if (event.type == EVENT_RELEASED)
        handle_key_release(event.value);
}

void load_random_numbers() { read_random_file("rand.rnd"); }

void read_random_file(const char *name)
{
    FILE *file = fopen(name, "rb");
    if (!file) fatal_error("Couldn't open rand.rnd: the game's random numbers are missing");
    unsigned char bytes[1024];
    size_t got = fread(bytes, 1, sizeof bytes, file);
    fclose(file);
    if (got != sizeof bytes) fatal_error("rand.rnd is shorter than 1024 bytes");
    for (int i = 0; i < 256; i++) random_table[i] = le32_at(bytes + 4 * i);
    restart_random_numbers();
}

void restart_random_numbers()
{
    random_index = 0;
    restart_cosmetic_random();
}

int32_t next_random()
{
    random_index += 1;
    if (random_index == 256) random_index = 0;
    return random_table[random_index];
}

int32_t remainder_in_range(int32_t value, int32_t n)
{
    int32_t r = value % n;
    return r < 0 ? r + n : r;
}
