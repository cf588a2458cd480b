#include "game_fixture.h"

#include <cstring>

#include "sound/sound.h"

std::vector<std::pair<Sprite *, int>> behaviour_calls;

void recording_behaviour(Sprite *s, int event) { behaviour_calls.push_back({s, event}); }

int calls_of(Sprite *s, int event)
{
    int n = 0;
    for (auto &call : behaviour_calls) n += call.first == s && call.second == event;
    return n;
}

void ensure_display_state()
{
    static bool built = false;
    if (built) return;
    set_color_depth(8);
    screen_width = 640;
    screen_height = 480;
    build_display_state();
    load_sounds();
    built = true;
}

void GameTest::SetUp()
{
    ensure_display_state();
    set_game_clock(1000);
    load_random_numbers();
    load_sprites();
    if (!tiles_data) {
        tiles_data = load_datafile("tiles.dat");
        ASSERT_NE(tiles_data, nullptr);
        for (int code = 0; code < TILE_CODE_COUNT; code++)
            tile_bitmaps[code] = (BITMAP *)tiles_data[tile_object_of_code[code]].dat;
        prepare_map_pictures();
    }
    fill_map(TILE_PAVEMENT);
    ambient_count = police_count = felony = 0;
    banner_active = 0;
    banner_text = nullptr;
    game_state = STATE_PLAYING;
    demo_mode = DEMO_NONE;
    player_template = &skidrunner_template;
    current_weapon = &weapons[2];
    difficulty = 21;
    camera_x = camera_y = 0;
    memset(previous_keys, 0, sizeof previous_keys);
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    previous_mouse_b = 0;
    mouse_b = 0;
    behaviour_calls.clear();
}

void GameTest::TearDown()
{
    load_sprites();  // frees what the test made
    release_game_clock();
}

void GameTest::fill_map(int code)
{
    for (int &cell : tile_map) cell = code;
}

Sprite *GameTest::make(const Sprite &source, int x, int y, int angle_units)
{
    return create_sprite(&source, x, y, itofix(angle_units), 0);
}

void GameTest::give_block_picture(Sprite *s, int w, int h)
{
    for (int i = 0; i < s->image_count; i++) {
        if (s->images[i].bitmap) destroy_bitmap(own_picture(s, i));
        s->images[i].bitmap = create_bitmap(w, h);
        clear_to_color(s->images[i].bitmap, 1);
    }
}

void GameTest::fill_random(int32_t value)
{
    for (int32_t &v : random_table) v = value;
    random_index = 0;
}

int GameTest::list_length()
{
    int n = 0;
    for (Sprite *s = sprite_list; s; s = s->next) n++;
    return n;
}
