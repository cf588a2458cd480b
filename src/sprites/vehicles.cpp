// Getting in and out of cars, firing weapons, and keeping the streets populated.
#include <cstdlib>

#include "actors/actors.h"
#include "display/display.h"
#include "frame/frame.h"
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

namespace {
constexpr int SHOT_SOUND = 24;
constexpr int SHOOTING_FRAME = 8;
constexpr int MUZZLE = 20;
constexpr int DOOR_REACH = 25;
constexpr int TAKE_DISTANCE = 15;
constexpr int WALK_DISTANCE = 80;
constexpr int TAKE_SPEED = 25;
constexpr int LEAVE_SPEED = 20;
constexpr int STUNNED_TICKS = 200;
constexpr int LYING_FRAME = 10;

bool enterable(const Sprite *c)
{
    return !(c->flags & (SPRITE_ON_FOOT | SPRITE_HARMFUL | SPRITE_WRECKED));
}

// A policeman takes only an empty police car; the skidrunner takes any car.
bool allowed_to_take(const Sprite *c)
{
    if (sprite_faction(player) != FACTION_POLICE) return true;
    return sprite_faction(c) == FACTION_POLICE && c->behaviour == empty_car_behaviour;
}

void throw_out_driver(Sprite *c, Point d)
{
    const Sprite *source =
        sprite_faction(c) == FACTION_CIVILIAN ? &pedestrian_template : &cop_template;
    Sprite *driver = create_sprite(source, d.x, d.y, 0, 0);
    driver->wait = STUNNED_TICKS;  // lies stunned
    driver->frame = LYING_FRAME;
    set_sprite_layer(driver, LAYER_BOTTOM);
    driver->power = 5;
    driver->forward = 1;
    driver->link = c;
    c->behaviour = empty_car_behaviour;
    c->handbrake = c->reverse = c->turn = c->forward = 0;
    raise_felony();
    play_random_music();
}

void take_car(Sprite *c, Point d)
{
    player->flags |= SPRITE_REMOVE;
    player = c;
    c->wait = 15;
    c->frame = c->image_count - 1;
    if (c->behaviour != empty_car_behaviour) throw_out_driver(c, d);
}

void get_in_or_walk_to_car()
{
    for (Sprite *c = sprite_list; c; c = c->next) {
        if (!enterable(c)) continue;
        Point d = door_point(c);
        int dx = abs(player->x - d.x), dy = abs(player->y - d.y);
        if (dx < TAKE_DISTANCE && dy < TAKE_DISTANCE && c->speed < TAKE_SPEED) {
            if (!allowed_to_take(c)) continue;
            take_car(c, d);
            return;
        }
        // Later cars in the list override earlier ones.
        if (dx < WALK_DISTANCE && dy < WALK_DISTANCE && c->speed < TAKE_SPEED &&
            allowed_to_take(c)) {
            player->angle = itofix(angle_to_point(player, d.x, d.y));
            player->forward = 1;
            player->handbrake = 1;
            player->link = c;
        }
    }
}

// A random cell of the window around the player that no sprite stands near; false when the
// draws run out.
bool draw_free_cell(int *cx, int *cy)
{
    int lo_x = (player->x - screen_width) / 64, hi_x = (player->x + screen_width) / 64;
    int lo_y = (player->y - screen_height) / 64, hi_y = (player->y + screen_height) / 64;
    static std::vector<Sprite *> near;  // what stands within a cell of the drawn cell's corner
    for (int draw = 0; draw < SPAWN_MAX_DRAWS; draw++) {
        // Half the table is negative: a plain remainder would put half the spawns up to a whole
        // window left of or above the player, where they are despawned at once.
        int x = remainder_in_range(next_random(), hi_x - lo_x) + lo_x;
        int y = remainder_in_range(next_random(), hi_y - lo_y) + lo_y;
        x = x < 0 ? 0 : (x > MAP_SIZE - 1 ? MAP_SIZE - 1 : x);
        y = y < 0 ? 0 : (y > MAP_SIZE - 1 ? MAP_SIZE - 1 : y);
        sprites_near(x * 64, y * 64, 63, near);
        if (near.empty()) {
            *cx = x;
            *cy = y;
            return true;
        }
    }
    return false;
}

const Sprite *walker_template(int q)
{
    switch (q) {
    case 0: return &stroller_b_template;
    case 1: return &stroller_a_template;
    case 2: return &skidrunner_template;
    default: return &pedestrian_template;
    }
}
}  // namespace

Point door_point(const Sprite *car)
{
    fixed a = car->angle - itofix(64);
    return Point{car->x + fixtoi(fixcos(a) * DOOR_REACH), car->y + fixtoi(fixsin(a) * DOOR_REACH)};
}

void fire_weapon(Sprite *s, const Weapon *weapon)
{
    Sprite *p = create_sprite(weapon->projectile, s->x + fixtoi(fixcos(s->angle) * MUZZLE),
                              s->y + fixtoi(fixsin(s->angle) * MUZZLE), s->angle, -1);
    p->forward = -1;
    p->link = s;  // the shooter answers for what the shot hits
    play_sprite_sound(s, sound_sample(SHOT_SOUND), 0);
    s->frame = SHOOTING_FRAME;
    s->wait = weapon->reload;
    s->vx = s->vy = 0;
}

Sprite *leave_vehicle(const Sprite *source, Sprite *car, int ambient)
{
    Point d = door_point(car);
    car->wait = 35;
    car->frame = car->image_count - 1;  // the door stands open
    return create_sprite(source, d.x, d.y, car->angle, ambient);
}

void enter_or_leave_vehicle()
{
    if (!(player->flags & SPRITE_ON_FOOT)) {
        if (player->speed <= LEAVE_SPEED) player = leave_vehicle(player_template, player, 0);
        return;
    }
    get_in_or_walk_to_car();
}

void spawn_ambient()
{
    int cx, cy;
    if (!draw_free_cell(&cx, &cy)) return;
    if (abs(player->x - cx * 64) <= screen_width / 2 || abs(player->y - cy * 64) <= screen_height / 2)
        return;  // on screen
    int x = cx * 64 + 32, y = cy * 64 + 32;
    const Sprite *car;
    // Every draw makes one of the twelve models: police come only by the rule below.
    int kind = remainder_in_range(next_random(), 12);
    int32_t r = next_random();
    if ((r % difficulty == 0 && police_count == 0) || police_count < felony)
        car = &police_car_template;
    else
        car = car_templates[kind];

    static const int heading_of_code[4] = {64, 192, 128, 0};
    int code = tile_at(cx, cy);
    if (code >= 2 && code <= 5) {
        create_sprite(car, x, y, itofix(heading_of_code[code - 2]), 1);
    } else if (code == TILE_PAVEMENT) {
        int q = next_random() % 10;
        create_sprite(walker_template(q), x, y, itofix(next_random() % 255), 1);
    }
}
