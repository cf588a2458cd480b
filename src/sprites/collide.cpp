// Collisions: drowning, scrapping, buildings pushing back, and pixel-exact contacts between
// sprites, each resolved by who met whom.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "actors/actors.h"
#include "display/display.h"
#include "map/map.h"
#include "sound/sound.h"
#include "sprites/sprites.h"

namespace {
constexpr int SCRATCH_SIZE = 200;
constexpr int SCRATCH_CENTRE = 100;
constexpr int CRASH_SOUND_OTHER = 7;
constexpr int CRASH_SOUND_SELF = 8;
constexpr int KNOCK_DOWN_SPEED = 20;
constexpr int DENT_SPEED = 35;
constexpr fixed JUMP_SCALE = 91750;  // 1.4: a person leaping over a slow car

struct TestPoints {
    Point p[5];  // front-left, front-right, rear-right, rear-left, centre
};

TestPoints test_points(const Sprite *s)
{
    BITMAP *b = sprite_bitmap(s);
    int hw = b->w / 2 - 8, hh = b->h / 2;
    fixed ca = fixcos(s->angle), sa = fixsin(s->angle);
    fixed cb = fixcos(-s->angle), sb = fixsin(-s->angle);
    int fx = fixtoi(ca * hh), fy = fixtoi(sa * hh);
    int wx = fixtoi(sb * hw), wy = fixtoi(cb * hw);
    return TestPoints{{{s->x + fx - wx, s->y + fy - wy},
                       {s->x + fx + wx, s->y + fy + wy},
                       {s->x - fx + wx, s->y - fy + wy},
                       {s->x - fx - wx, s->y - fy - wy},
                       {s->x, s->y}}};
}

void scorch_all(Sprite *s)
{
    for (int i = 0; i < s->image_count; i++)
        if (s->images[i].bitmap) scorch_bitmap(own_picture(s, i));
}

void dent_all(Sprite *s)
{
    for (int i = 0; i < s->image_count; i++)
        if (s->images[i].bitmap) dent_bitmap(own_picture(s, i));
}

// True when s drowned (the call stops).
bool drown(Sprite *s)
{
    if (tile_at(s->tile_x, s->tile_y) != TILE_WATER || sprite_layer(s) == LAYER_TOP) return false;
    bool was_player = s == player;
    create_sprite(&splash_template, s->x, s->y, 0, 0);
    s->flags |= SPRITE_REMOVE;
    if (was_player) {
        player = create_sprite(&marker_template, s->x, s->y, 0, 1);
        show_banner("Splash!");
    }
    return true;
}

void scrap_if_spent(Sprite *s)
{
    uint32_t f = s->flags;
    if ((f & SPRITE_ON_FOOT) || s->health > 0 || (f & SPRITE_HARMFUL) || !s->behaviour ||
        (f & SPRITE_WRECKED) || (f & SPRITE_HEAVY))
        return;
    create_sprite(&explosion_template, s->x, s->y, 0, 1);
    scorch_all(s);
    s->behaviour = wreck_behaviour;
    s->flags |= SPRITE_WRECKED;
    if (s == player) show_banner("Scrap metal!");
}

void hit_buildings(Sprite *s, const TestPoints &points)
{
    for (const Point &p : points.p) {
        int cx = p.x / 64, cy = p.y / 64;
        if (tile_at(cx, cy) != TILE_BUILDING) continue;
        if (!(s->flags & SPRITE_HARMFUL)) {
            s->vx = itofix(s->x - (cx * 64 + 32)) / 50;
            s->vy = itofix(s->y - (cy * 64 + 32)) / 50;
            if (!(s->flags & SPRITE_ON_FOOT)) s->health -= s->speed / 20 + 1;
        } else if (!(s->flags & SPRITE_TRANSLUCENT)) {
            create_sprite(&explosion_template, s->x, s->y, 0, 0);
            s->flags |= SPRITE_REMOVE;
        }
    }
}

// Rule H: a projectile or explosion hurts the first thing it touches.
void harm(Sprite *s, Sprite *o)
{
    if (o->behaviour && (o->flags & SPRITE_ON_FOOT)) {
        o->behaviour(o, EVENT_STRUCK);
        o->scale = itofix(1);
        if (s->link && s->link == player) raise_felony();
        scorch_all(o);
    } else {
        o->health -= s->health;
    }
    if (s->behaviour) s->behaviour(s, EVENT_STRUCK);
}

// Rule P: a person touched by a vehicle is knocked down, leaps or is pushed aside.
void person_meets_vehicle(Sprite *s, Sprite *o)
{
    if (o->speed > KNOCK_DOWN_SPEED || (s->flags & SPRITE_WRECKED)) {
        if (o == player && !(s->flags & SPRITE_WRECKED)) raise_felony();
        s->behaviour(s, EVENT_STRUCK);
        s->angle = itofix(angle_to_sprite(s, o) - 128);
    } else if (s->handbrake != 0 || s->scale > itofix(1)) {
        s->frame = 2;
        s->handbrake = 1;
        s->scale = JUMP_SCALE;
        set_sprite_layer(s, LAYER_TOP);
    } else {
        int a = angle_to_sprite(s, o) - 128;
        s->x += fixtoi(fixcos(itofix(a)) * 2);
        s->y += fixtoi(fixsin(itofix(a)) * 2);
        set_sprite_layer(s, LAYER_MIDDLE);
    }
}

void spin_off_heavy(Sprite *s, Sprite *o)
{
    int b = angle_to_sprite(o, s);
    if (b < fixtoi(o->angle)) {
        o->spin += itofix(s->speed / 30);
        s->spin -= itofix(o->speed / 30);
    } else {
        o->spin -= itofix(s->speed / 30);
        s->spin += itofix(o->speed / 30);
    }
}

// Rule V: two vehicles (or a vehicle and an object) crash.
void vehicles_crash(Sprite *s, Sprite *o)
{
    fixed avx = (o->vx + s->vx) / 2, avy = (o->vy + s->vy) / 2;
    int a = angle_to_sprite(s, o);
    s->health -= o->speed / 20 + 1;
    o->health -= s->speed / 20 + 1;
    if ((s->flags & SPRITE_HEAVY) && !(o->flags & SPRITE_HEAVY)) spin_off_heavy(s, o);
    if (o->speed > DENT_SPEED || s->speed > DENT_SPEED) {
        dent_all(s);
        if (o == player || s == player) raise_felony();
        play_sprite_sound(o, sound_sample(CRASH_SOUND_OTHER), 0);
        play_sprite_sound(s, sound_sample(CRASH_SOUND_SELF), 0);
    }
    if (!(s->flags & SPRITE_HEAVY)) {
        s->vx = avx;
        s->vy = avy;
        s->x += fixtoi(fixcos(itofix(a - 128)) * 3);
        s->y += fixtoi(fixsin(itofix(a - 128)) * 3);
    }
    if (!(o->flags & SPRITE_HEAVY)) {
        o->vx = avx;
        o->vy = avy;
        o->x += fixtoi(fixcos(itofix(a)) * 3);
        o->y += fixtoi(fixsin(itofix(a)) * 3);
        sprite_moved(o);
    }
}

// How far s may be pushed during its own contacts before the sprites found near where it
// stood no longer cover all it could touch.
constexpr int PUSH_MARGIN = 32;

bool is_candidate(const Sprite *s, const Sprite *o)
{
    return o != s && (o->flags & SPRITE_SOLID) && !(o->flags & SPRITE_TRANSLUCENT) &&
           !(o->flags & SPRITE_HARMFUL);
}

// Most sprites of the city are far from s: one cheap look at the distance passes them by
// before their pictures are looked at.
bool surely_out_of_reach(const Sprite *s, const Sprite *o)
{
    return abs(s->x - o->x) > tallest_picture || abs(s->y - o->y) > tallest_picture;
}

// A picture turned about its centre at its own size covers nothing farther from that centre
// than half its width and height together: when no test point comes that near, nothing can
// touch and the picture need not be drawn.
bool no_point_near(const Sprite *o, const BITMAP *ob, const TestPoints &points)
{
    if (o->scale != itofix(1)) return false;
    int64_t r = (ob->w + ob->h) / 2 + 2;
    for (const Point &p : points.p) {
        int64_t dx = p.x - o->x, dy = p.y - o->y;
        if (dx * dx + dy * dy <= r * r) return false;
    }
    return true;
}

// Where o's picture would be drawn into the 200 x 200 scratch area about s's centre at
// (100, 100), as the screen shows it; false when it is surely out of reach.
bool within_reach(const Sprite *s, const Sprite *o, const TestPoints &points, int *left, int *top)
{
    BITMAP *ob = sprite_bitmap(o), *sb = sprite_bitmap(s);
    if (!ob) return false;
    int reach = ob->h / 2 + sb->h / 2;
    if (abs(s->x - o->x) > reach || abs(s->y - o->y) > reach) return false;
    if (no_point_near(o, ob, points)) return false;
    *left = o->x - s->x + SCRATCH_CENTRE - ob->w / 2;
    *top = o->y - s->y + SCRATCH_CENTRE - ob->h / 2;
    return true;
}

bool one_contact(Sprite *s, Sprite *o, const TestPoints &points);

// Every other sprite s may touch, in list order. Only those standing near s are looked at; if
// the contacts push s farther than the margin, the rest of the list is walked whole.
void meet_others(Sprite *s, const TestPoints &points)
{
    int x0 = s->x, y0 = s->y;
    // Kept from call to call: the world update tests one sprite at a time, never two at once.
    static std::vector<Sprite *> near;
    sprites_near(x0, y0, tallest_picture + PUSH_MARGIN, near);
    for (size_t i = 0; i <= near.size(); i++) {
        if (i > 0 && (abs(s->x - x0) > PUSH_MARGIN || abs(s->y - y0) > PUSH_MARGIN)) {
            // Sprites a behaviour made during the walk went to the head, where it has been.
            const std::vector<Sprite *> &all = listed_sprites();
            auto at = std::find(all.begin(), all.end(), near[i - 1]);
            for (++at; at != all.end(); ++at)
                if (one_contact(s, *at, points)) return;
            return;
        }
        if (i == near.size() || one_contact(s, near[i], points)) return;
    }
}

// o's picture as it was drawn into the scratch area about s, when s's tests began: the
// resolution of one point may move or turn o, but the later points still look at that picture.
struct DrawnPicture {
    BITMAP *picture;
    fixed angle, scale;
    int left, top;
};

// What the scratch area shows at (x, y); outside it the library's getpixel answers -1, which
// counts as a touch.
int scratch_pixel(const DrawnPicture &d, int x, int y)
{
    if (x < 0 || y < 0 || x >= SCRATCH_SIZE || y >= SCRATCH_SIZE) return -1;
    return turned_pixel(d.picture, d.angle, d.scale, x - d.left, y - d.top);
}

// True when s, a harmful sprite, has spent itself on o.
bool resolve_contacts(Sprite *s, Sprite *o, const DrawnPicture &drawn, const TestPoints &points)
{
    for (const Point &p : points.p) {
        // s's position now: an earlier push in this call shifts the later samples.
        if (scratch_pixel(drawn, p.x - s->x + SCRATCH_CENTRE, p.y - s->y + SCRATCH_CENTRE) == 0)
            continue;
        bool s_on_foot = s->flags & SPRITE_ON_FOOT, o_on_foot = o->flags & SPRITE_ON_FOOT;
        if (s->flags & SPRITE_HARMFUL) {
            harm(s, o);
            return true;
        }
        if (s_on_foot && s->behaviour && !o_on_foot)
            person_meets_vehicle(s, o);
        else if (!s_on_foot && !o_on_foot)
            vehicles_crash(s, o);
    }
    return false;
}

bool one_contact(Sprite *s, Sprite *o, const TestPoints &points)
{
    DrawnPicture drawn{sprite_bitmap(o), o->angle + itofix(64), o->scale, 0, 0};
    if (surely_out_of_reach(s, o) || !is_candidate(s, o) ||
        !within_reach(s, o, points, &drawn.left, &drawn.top))
        return false;
    return resolve_contacts(s, o, drawn, points);
}
}  // namespace

void collide_sprite(Sprite *s)
{
    if (s->scale > itofix(1)) return;  // airborne
    if ((s->flags & SPRITE_TRANSLUCENT) && !(s->flags & SPRITE_HARMFUL)) return;
    if (drown(s)) return;
    if (!(s->flags & SPRITE_SOLID)) return;
    scrap_if_spent(s);
    if (!sprite_bitmap(s)) return;

    TestPoints points = test_points(s);
    hit_buildings(s, points);
    meet_others(s, points);
}
