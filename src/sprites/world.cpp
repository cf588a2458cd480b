// The world update: one tick of the whole world, the physics of people and vehicles, the camera.
#include <cstdlib>

#include "display/display.h"
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"

namespace {
// The camera looks ahead 35 updates of the player's velocity and eases by 1/35 a tick.
constexpr int CAMERA_LEAD = 35;
constexpr fixed COAST_THRUST = 26214;  // (1.0 / 5) * 2, kept while a car rolls fast
constexpr fixed JUMP_SHRINK = 6554;  // 0.1: an airborne person lands within a few updates
constexpr int COAST_SPEED = 40;

int speed_rating(const Sprite *s)
{
    int ax = abs(fixtoi(s->vx * 30));
    int ay = abs(fixtoi(s->vy * 30));
    return ((ax + ay) / 3) / s->period;
}

bool inside_grid(int cx, int cy) { return cx >= 0 && cx < MAP_SIZE && cy >= 0 && cy < MAP_SIZE; }

// How many cells a person inside a building looks for open ground, how far it gets in a step,
// and how deep into the open cell it aims, so that its centre lands clearly outside the wall.
constexpr int ESCAPE_RADIUS = 6;
constexpr int ESCAPE_STEP = 4;
constexpr int ESCAPE_MARGIN = 12;

int clamp_to(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The nearest point a person inside a building can walk straight out to: along a row or a
// column, through building cells only, to the first cell of dry ground, aimed a margin inside
// it. Water ends a way out (walking into it would drown him). The four ways are tried in a fixed
// order and the nearest kept; false if none reaches dry ground within a few cells.
bool nearest_way_out(const Sprite *s, int *px, int *py)
{
    static const int ways[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    long best = -1;
    for (const auto &way : ways) {
        for (int r = 1; r <= ESCAPE_RADIUS; r++) {
            int x = s->tile_x + way[0] * r, y = s->tile_y + way[1] * r;
            int code = tile_at(x, y);
            if (code == TILE_BUILDING && inside_grid(x, y)) continue;
            if (code == TILE_BUILDING || code == TILE_WATER) break;
            int tx = clamp_to(s->x, x * 64 + ESCAPE_MARGIN, x * 64 + 63 - ESCAPE_MARGIN);
            int ty = clamp_to(s->y, y * 64 + ESCAPE_MARGIN, y * 64 + 63 - ESCAPE_MARGIN);
            long d = (long)(tx - s->x) * (tx - s->x) + (long)(ty - s->y) * (ty - s->y);
            if (best < 0 || d < best) best = d, *px = tx, *py = ty;
            break;
        }
    }
    return best >= 0;
}

// A person whose centre stands in a building (pushed, knocked, or out of a car beside a wall)
// walks out to the nearest open ground. Stepping back the way it came is not enough: the wall's
// push and the step back cancel near the cell's middle, and the person would be held there.
void step_out_of_building(Sprite *s)
{
    int tx, ty;
    if (!nearest_way_out(s, &tx, &ty)) {
        s->x -= fixtoi(s->vx * 2);
        s->y -= fixtoi(s->vy * 2);
        return;
    }
    s->x += clamp_to(tx - s->x, -ESCAPE_STEP, ESCAPE_STEP);
    s->y += clamp_to(ty - s->y, -ESCAPE_STEP, ESCAPE_STEP);
}

void walk(Sprite *s)
{
    if (s->scale > itofix(1)) {
        s->scale -= JUMP_SHRINK;  // landing from a jump
        s->handbrake = 0;
    }
    s->angle += s->turn * 4;
    // A person who stood in a building is put back out of it.
    if (inside_grid(s->tile_x, s->tile_y) && tile_at(s->tile_x, s->tile_y) == TILE_BUILDING &&
        (s->vx != 0 || s->vy != 0 || s->forward || s->reverse))
        step_out_of_building(s);
    s->vx = s->vy = 0;
    if (s->reverse) accelerate(s, -itofix(s->power / 2), s->angle);
    if (s->forward || s->scale > itofix(1)) accelerate(s, itofix(s->power), s->angle);
    if ((s->flags & SPRITE_FIRING) && !(s->flags & SPRITE_WRECKED)) fire_weapon(s, current_weapon);
}

void drive(Sprite *s)
{
    // A vehicle cannot turn on the spot.
    if (abs(s->vx) > itofix(1) || abs(s->vy) > itofix(1)) s->angle += s->turn;
    fixed thrust = 0;
    if (s->speed > COAST_SPEED) thrust = COAST_THRUST;
    if (s->forward) thrust = itofix(1);
    if (s->reverse) thrust = -COAST_THRUST;
    if (s->handbrake) {
        thrust = 0;
        if (s->spin == 0) s->spin = s->turn * 2;  // a handbrake turn
    }
    accelerate(s, thrust, s->angle);
}

// One tick of one sprite: its wait, or its whole update; a marked sprite on foot goes at once.
void update_sprite(Sprite *s)
{
    if (s->ambient && (abs(s->x - player->x) > screen_width || abs(s->y - player->y) > screen_height))
        s->flags |= SPRITE_REMOVE;
    if (s->wait != 0) {
        s->wait -= 1;
    } else {
        adjust_sprite_sound(s);
        s->wait = s->period;
        s->tile_x = s->x / 64;
        s->tile_y = s->y / 64;
        collide_sprite(s);
        if (s->behaviour) s->behaviour(s, EVENT_UPDATE);
        s->x += fixtoi(s->vx);
        s->y += fixtoi(s->vy);
        s->angle += s->spin;
        if (s->period != 0) s->speed = speed_rating(s);
        if (s->flags & SPRITE_ON_FOOT) {
            s->speed = 0;
            walk(s);
            sprite_moved(s);
        } else {
            drive(s);
            sprite_moved(s);
            // A vehicle or projectile marked for removal goes at its next waiting tick.
            return;
        }
    }
    // The sprite the player controls stays until the player is another sprite: an arrested
    // player lies his time out under a banner that ends only when frames are drawn.
    if ((s->flags & SPRITE_REMOVE) && s != player) remove_sprite(s);
}

void ease_toward(int *camera, int target)
{
    if (*camera < target) *camera += (target - *camera) / CAMERA_LEAD;
    if (*camera > target) *camera -= (*camera - target) / CAMERA_LEAD;
}
}  // namespace

void update_world()
{
    int tx = player->x + fixtoi(player->vx * CAMERA_LEAD);
    int ty = player->y + fixtoi(player->vy * CAMERA_LEAD);
    // The music is the car radio: it plays only at the wheel.
    if (player->flags & SPRITE_ON_FOOT)
        pause_music();
    else
        resume_music();
    start_filing_sprites();
    if (player->link) enter_or_leave_vehicle();
    if (ambient_count < AMBIENT_TARGET) spawn_ambient();

    // Sprites made during the pass go to the head and are first processed next tick.
    for (Sprite *s = sprite_list, *next; s; s = next) {
        next = s->next;
        update_sprite(s);
    }
    stop_filing_sprites();

    if (player->flags & SPRITE_ON_FOOT) {
        camera_x = player->x;
        camera_y = player->y;
    } else {
        ease_toward(&camera_x, tx);
        ease_toward(&camera_y, ty);
    }
}

void accelerate(Sprite *s, fixed force, fixed angle)
{
    if (!(s->flags & SPRITE_ON_FOOT) && s->power != 0) {
        int d = 40 / s->power;
        if (d == 0) d = 1;
        s->spin = s->spin * 90 / 100;
        int friction = s->handbrake == 0 ? 93 : 88;
        s->vx = s->vx * friction / 100;
        s->vy = s->vy * friction / 100;
        s->vx += fixmul(force, fixcos(angle)) / d;
        s->vy += fixmul(force, fixsin(angle)) / d;
    } else {
        s->vx = fixmul(force, fixcos(angle));
        s->vy = fixmul(force, fixsin(angle));
    }
}
