// Steering helpers shared by the behaviours: the road-following driver, the turn toward a
// road's direction, the smoke of damaged vehicles and the walkers' three checks.
#include <cstdlib>

#include "actors/actors.h"
#include "frame/platform.h"
#include "map/map.h"

namespace {
constexpr int CRUISE_SPEED = 30;
constexpr int KEEP_REVERSE_BELOW = 40;
constexpr int OBSTACLE_REACH = 35;
constexpr int LOOK_AHEAD_UPDATES = 20;

// The nearest of the eight compass directions: each component -1, 0 or 1.
int dir_x(fixed a) { return fixtoi(fixcos(a)); }
int dir_y(fixed a) { return fixtoi(fixsin(a)); }

int cell_of_point(int px, int py) { return tile_at(px / 64, py / 64); }

int half_first_height(const Sprite *s)
{
    BITMAP *b = s->images[0].bitmap;
    return b ? b->h / 2 : 0;
}

// The road direction a cell code asks for: 0..255, -1 for no road, -2 for open ground.
constexpr int NO_ROAD = -1;
constexpr int OPEN_GROUND = -2;
int road_direction(int code)
{
    switch (code) {
    case 2: case 6: case 11: return 64;
    case 3: case 9: case 12: return 192;
    case 4: case 7: case 13: return 128;
    case 5: case 8: case 10: return 0;
    case TILE_WATER: case TILE_GRASS: case TILE_PAVEMENT: case TILE_BUILDING: case TILE_WALL:
        return NO_ROAD;
    default: return OPEN_GROUND;
    }
}
}  // namespace

bool near(const Sprite *p, const Sprite *q, int d)
{
    return abs(p->x - q->x) < d && abs(p->y - q->y) < d;
}

bool near_point(const Sprite *p, int x, int y, int d)
{
    return abs(p->x - x) < d && abs(p->y - y) < d;
}

fixed turn_toward(Sprite *s, int target)
{
    int a = fixtoi(s->angle) & 255;
    int d = abs(a - target);
    if (d < 2) {
        s->angle = itofix(target);  // snaps onto the road
        return 0;
    }
    // The shorter way round; from straight behind, +2 from above and -2 from below.
    if (a > target) return d < 128 ? -itofix(2) : itofix(2);
    return d < 128 ? itofix(2) : -itofix(2);
}

Sprite *obstacle_ahead(Sprite *s, int reach)
{
    int hs = half_first_height(s);
    // The probe point lies within half the tallest picture of s; only what stands near can be hit.
    static std::vector<Sprite *> near;  // kept from probe to probe: nothing below probes again
    sprites_near(s->x, s->y, reach + tallest_picture / 2 + 1, near);
    for (Sprite *o : near) {
        if (o == s || sprite_layer(o) == LAYER_BOTTOM) continue;
        int r = (hs + half_first_height(o)) / 2;
        if (near_point(o, s->x + r * dir_x(s->angle), s->y + r * dir_y(s->angle), reach))
            return o;
    }
    return nullptr;
}

void follow_road(Sprite *s)
{
    s->forward = s->speed < CRUISE_SPEED ? 1 : 0;
    s->handbrake = 0;
    if (obstacle_ahead(s, OBSTACLE_REACH)) {
        s->handbrake = 1;
        s->forward = 0;
        s->turn = 0;
        return;
    }
    if (s->speed > KEEP_REVERSE_BELOW) s->reverse = 0;
    // Where the car will be after 20 updates at its present velocity.
    int lx = s->x + fixtoi(LOOK_AHEAD_UPDATES * s->vx);
    int ly = s->y + fixtoi(LOOK_AHEAD_UPDATES * s->vy);
    int direction = road_direction(cell_of_point(lx, ly));
    if (direction == NO_ROAD)
        s->forward = 0;
    else if (direction == OPEN_GROUND)
        s->turn = 0;
    else
        s->turn = turn_toward(s, direction);
}

void emit_smoke(Sprite *s)
{
    fixed a = s->angle;
    // A puff 18 px behind, jittered for the look only.
    int x1 = s->x - fixtoi(18 * fixcos(a)) - (int)(cosmetic_random() % 4);
    int y1 = s->y - fixtoi(18 * fixsin(a)) - (int)(cosmetic_random() % 4);
    Sprite *puff = create_sprite(&smoke_template, x1, y1, 0, 0);
    puff->forward = 1;
    if (s != player) s->turn = 0;  // a damaged car under its own control stops steering
    int x2 = s->x - fixtoi(10 * fixcos(a)) - (int)(cosmetic_random() % 2);
    int y2 = s->y - fixtoi(10 * fixsin(a)) - (int)(cosmetic_random() % 2);
    create_sprite(&fire_template, x2, y2, 0, 0);
}

void avoid_walls(Sprite *s)
{
    for (int i = 0; i < 4; i++) {
        int code = cell_of_point(s->x + 20 * dir_x(s->angle), s->y + 20 * dir_y(s->angle));
        if (code != TILE_WATER && code != TILE_BUILDING) continue;
        int quarter = fixtoi(s->angle / 64);
        s->angle = itofix((quarter + 1) * 64);
    }
}

void keep_to_pavement(Sprite *s)
{
    if (tile_at(s->tile_x, s->tile_y) != TILE_PAVEMENT) return;
    if (cell_of_point(s->x + fixtoi(2 * s->vx), s->y + fixtoi(2 * s->vy)) != TILE_PAVEMENT)
        s->angle -= itofix(110);
}

void keep_in_world(Sprite *s)
{
    if (s->x < 0) s->angle = 0;
    if (s->y < 0) s->angle = itofix(64);
    if (s->x > MAP_PIXELS) s->angle = itofix(128);
    if (s->y > MAP_PIXELS) s->angle = itofix(192);
}
