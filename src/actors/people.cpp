// The behaviours of people who are not police, of the struck and dying, and of the short-lived
// and passive sprites: effects, explosions, bullets, rockets, the bomb, the briefcase.
#include "actors/actors.h"
#include "frame/frame.h"
#include "map/map.h"
#include "sound/sound.h"

namespace {
constexpr int CALM = 2;
constexpr int RUNNING = 5;
constexpr int LEFT_STEP_SOUND = 26;
constexpr int RIGHT_STEP_SOUND = 27;
constexpr int EXPLOSION_SOUND = 10;
constexpr int SCREAMS[4] = {21, 18, 15, 16};
constexpr int DEATH_SOUNDS[4] = {17, 5, 28, 19};
constexpr fixed STRUCK_SCALE = 72090;   // 1.1
constexpr fixed THROWN_SCALE = 85197;   // 1.3: struck again while dying
constexpr fixed DYING_SPIN = 19661;     // 0.3: the body slides and spins
constexpr int LYING_TICKS = 6000;
constexpr int BULLET_RANGE = 401;

bool moving(const Sprite *s) { return s->vx != 0 || s->vy != 0; }

void play_one_of(Sprite *s, const int (&sounds)[4], int r)
{
    if (r >= 0 && r < 4) play_sprite_sound(s, sound_sample(sounds[r]), 0);
}

// Pedestrians and strollers struck down: thrown up, and dying from now on.
void struck(Sprite *s, int frame)
{
    set_sprite_layer(s, LAYER_TOP);
    s->behaviour = dying_behaviour;
    s->frame = frame;
    s->flags |= SPRITE_WRECKED;
    s->reverse = s->forward = 0;
    s->scale = STRUCK_SCALE;
    s->turn = 0;
    s->wait = 0;
}

void stroll_or_stop(Sprite *s)
{
    if (next_random() % 50 == 0) s->forward = 0;
    if (next_random() % 50 == 0)
        s->forward = 1;
    else
        s->turn = next_random() % 6 - 11;  // a drift too small to see
}

bool frightened(const Sprite *s)
{
    if (s->power == RUNNING) return false;
    bool car_on_pavement = !(player->flags & SPRITE_ON_FOOT) &&
                           tile_at(player->tile_x, player->tile_y) == TILE_PAVEMENT &&
                           near(player, s, 80);
    return car_on_pavement || (player->flags & SPRITE_FIRING);
}

void walk_as_a_passer_by(Sprite *s)
{
    keep_to_pavement(s);
    if (s->power == CALM) {
        stroll_or_stop(s);
    } else {
        s->angle = itofix(angle_to_sprite(s, player) - 128);  // straight away from the player
        avoid_walls(s);
    }
    if (frightened(s)) {
        s->power = RUNNING;
        s->period = 5;
        s->forward = 1;
        play_one_of(s, SCREAMS, next_random() % 12);
    }
    keep_in_world(s);
}
}  // namespace

void pedestrian_behaviour(Sprite *s, int event)
{
    if (event == EVENT_STRUCK) {
        struck(s, 9);
        return;
    }
    if (moving(s))
        s->frame = s->frame < 7 ? s->frame + 1 : 0;
    else
        s->frame = 0;
    if (s->scale > itofix(1)) s->frame = 2;
    if (s != player) walk_as_a_passer_by(s);
    if (near(player, s, 64)) {
        if (s->frame == 1) play_sprite_sound(s, sound_sample(LEFT_STEP_SOUND), 0);
        if (s->frame == 5) play_sprite_sound(s, sound_sample(RIGHT_STEP_SOUND), 0);
    }
}

void stroller_behaviour(Sprite *s, int event)
{
    if (event == EVENT_STRUCK) {
        struck(s, s->image_count - 2);
        return;
    }
    if (moving(s)) s->frame = s->frame < s->image_count - 3 ? s->frame + 1 : 0;
    if (s != player) {
        keep_to_pavement(s);
        s->forward = 1;  // strollers walk all the time
    }
}

void crowd_behaviour(Sprite *s, int)
{
    s->vx = s->vy = s->turn = s->spin = 0;
    s->health = 100;  // a crowd cannot be moved or destroyed
    bool alarmed = !(player->flags & SPRITE_ON_FOOT) || (player->flags & SPRITE_FIRING);
    if (!near(player, s, 80) || !alarmed || s->frame != 0) return;
    // It scatters once: two people run from the player.
    for (int i = 0; i < 2; i++) {
        Sprite *p = create_sprite(&pedestrian_template, s->x + 20 * i, s->y, 0, 0);
        p->power = RUNNING;
        p->period = 5;
        p->forward = 1;
        p->handbrake = 1;
    }
    s->frame = 1;
}

void static_behaviour(Sprite *s, int) { s->vx = s->vy = s->turn = s->spin = 0; }

void dying_behaviour(Sprite *s, int event)
{
    s->period = 4;
    s->forward = 1;
    s->turn = DYING_SPIN;
    if (event == EVENT_STRUCK) {
        s->scale = THROWN_SCALE;
        return;
    }
    if (s->scale > itofix(1)) {
        s->frame = s->image_count - 2;  // still in the air
    } else if (s->frame == s->image_count - 1) {
        s->flags |= SPRITE_REMOVE;  // has lain its time
    } else {
        // Has just landed.
        play_one_of(s, DEATH_SOUNDS, next_random() % 4);
        create_sprite(&death_mark_template, s->x, s->y, s->angle, 0);
        s->frame = s->image_count - 1;
        s->wait = LYING_TICKS;
        s->flags &= ~SPRITE_SOLID;
        set_sprite_layer(s, LAYER_BOTTOM);
        s->forward = 0;
        if (s == player) show_banner("Wasted!");
    }
}

void one_shot_behaviour(Sprite *s, int event)
{
    if (event != EVENT_UPDATE) return;
    if (s->frame >= s->image_count - 2) s->flags |= SPRITE_REMOVE;
    // The last frame shown is image_count - 2: the one after it has no picture.
    if (s->frame < MAX_SPRITE_IMAGES - 1) s->frame += 1;
}

void explosion_behaviour(Sprite *s, int event)
{
    s->health = 200;  // its damage stays whole
    if (event != EVENT_UPDATE) return;
    if (s->frame == 0) play_sprite_sound(s, sound_sample(EXPLOSION_SOUND), 0);
    s->frame += 1;
    if (s->frame == s->image_count - 1) s->flags |= SPRITE_REMOVE;
}

void bullet_behaviour(Sprite *s, int event)
{
    if (event == EVENT_STRUCK) {
        s->flags |= SPRITE_REMOVE;
        return;
    }
    s->forward = 1;
    // A bullet flies until it is far from its shooter; one whose shooter is gone falls.
    if (!s->link || !near(s->link, s, BULLET_RANGE)) s->flags |= SPRITE_REMOVE;
}

void rocket_behaviour(Sprite *s, int event)
{
    if (event == EVENT_STRUCK) {
        create_sprite(&explosion_template, s->x, s->y, 0, 0);
        return;
    }
    s->forward = 1;
    if (tile_at(s->tile_x, s->tile_y) == TILE_BUILDING) s->health = 0;
}

void bomb_behaviour(Sprite *s, int)
{
    s->flags |= SPRITE_REMOVE;
    // Eight rings of explosions, ring i within 10 i px, going off 30 i ticks later.
    for (int i = 1; i <= 8; i++) {
        int dy = remainder_in_range(next_random(), 20 * i) - 10 * i;
        int dx = remainder_in_range(next_random(), 20 * i) - 10 * i;
        Sprite *e = create_sprite(&explosion_template, s->x + dx, s->y + dy, 0, 0);
        e->wait = 30 * i;
    }
    felony = 5;
}

void briefcase_behaviour(Sprite *s, int)
{
    if (near(player, s, 15)) s->flags |= SPRITE_WRECKED;  // taken
}
