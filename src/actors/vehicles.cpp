// The behaviours of vehicles and the police: traffic that follows the painted directions,
// police cars that patrol and, once the skidrunner is wanted, chase and ram; policemen who get
// out, pursue, shoot, arrest or pull a driver out; driverless cars and burning wrecks.
#include <cstdlib>

#include "actors/actors.h"
#include "frame/frame.h"
#include "sound/sound.h"
#include "title/title.h"

namespace {
constexpr int POLICE_SOUND = 14;
constexpr int SCREECH_SOUND = 22;
constexpr int ARREST_SOUND = 25;
constexpr int CHASE_PROBE = 50;
constexpr fixed STRUCK_SCALE = 72090;  // 1.1: thrown into the air
constexpr int STRUCK_FRAME = 9;
constexpr int PULLED_OUT_TICKS = 1000;
constexpr int BUSTED_TICKS = 5000;

bool moving(const Sprite *s) { return s->vx != 0 || s->vy != 0; }
bool badly_damaged(const Sprite *s) { return s->health <= s->max_health / 4; }

// The police chase only a wanted skidrunner.
bool chase_mode()
{
    return felony != 0 && sprite_faction(player_template) == FACTION_CRIMINAL;
}

void arrest_player(Sprite *cop)
{
    show_banner("Busted!");
    play_sprite_sound(cop, sound_sample(ARREST_SOUND), 0);
    cop->forward = 0;
    set_sprite_layer(player, LAYER_BOTTOM);
    player->behaviour = one_shot_behaviour;
    player->wait = BUSTED_TICKS;
    player->frame = player->image_count - 1;  // lying
}

void pull_player_out()
{
    player = leave_vehicle(player_template, player, 0);
    player->frame = player->image_count - 1;  // lying, long enough to be arrested
    player->wait = PULLED_OUT_TICKS;
}

// A policeman whose quarry drives off goes back to his car, and gets in when he is there.
void return_to_car(Sprite *s)
{
    if (!s->link) return;
    if (near(s->link, s, 20)) {
        s->link->behaviour = police_car_behaviour;
        s->flags |= SPRITE_REMOVE;
    } else {
        s->angle = itofix(angle_to_sprite(s, s->link));
    }
}

void pursue(Sprite *s, Point door)
{
    s->angle = itofix(angle_to_sprite(s, player));
    avoid_walls(s);
    if (banner_active) {
        s->forward = 0;
        return;
    }
    s->forward = 1;
    if (player->flags & SPRITE_ON_FOOT) {
        bool aimed = next_random() % 50 == 0;
        if (aimed && s->angle == itofix(angle_to_sprite(s, player))) fire_weapon(s, &weapons[0]);
        if (near(player, s, 10)) arrest_player(s);
    } else if (near_point(s, door.x, door.y, 20) && player->speed < 30) {
        pull_player_out();
    }
}

void police_chase(Sprite *s)
{
    bool player_driving = !(player->flags & SPRITE_ON_FOOT);
    if (player_driving && !(player->flags & SPRITE_WRECKED) && player->speed > 15) {
        // Points straight at the player and rams.
        if (abs(s->vx) > itofix(1) || abs(s->vy) > itofix(1))
            s->angle = itofix(angle_to_sprite(s, player));
        s->forward = 1;
    } else if (player->speed < 8 && s->speed < 20) {
        Sprite *cop = leave_vehicle(&cop_template, s, 1);
        cop->link = s;
        if (next_random() % 5 == 0) play_sprite_sound(cop, sound_sample(POLICE_SOUND), 0);
        s->forward = 0;
        s->behaviour = empty_car_behaviour;
    }
    if (obstacle_ahead(s, CHASE_PROBE)) s->forward = 0;
}
}  // namespace

void traffic_car_behaviour(Sprite *s, int event)
{
    if (event != EVENT_UPDATE) return;
    if (!badly_damaged(s)) {
        if (moving(s))
            s->frame = s->frame < s->image_count - 2 ? s->frame + 1 : 0;
        else
            s->frame = 0;
        follow_road(s);
    } else {
        // The driver gives up on a wreck and walks away.
        emit_smoke(s);
        s->behaviour = empty_car_behaviour;
        leave_vehicle(&pedestrian_template, s, 1);
    }
}

void police_car_behaviour(Sprite *s, int event)
{
    if (event != EVENT_UPDATE) return;
    if (!chase_mode()) {
        s->frame = 0;
        s->health = s->max_health;  // a patrolling car is repaired
        follow_road(s);
        return;
    }
    s->frame = s->frame < s->image_count - 2 ? s->frame + 1 : 1;  // the siren flashes
    if (badly_damaged(s)) {
        emit_smoke(s);
        return;
    }
    police_chase(s);
}

void cop_on_foot_behaviour(Sprite *s, int event)
{
    if (event == EVENT_STRUCK) {
        s->behaviour = dying_behaviour;
        s->scale = STRUCK_SCALE;
        s->frame = STRUCK_FRAME;
        s->flags |= SPRITE_WRECKED;
        s->reverse = s->forward = s->turn = s->wait = 0;
        return;
    }
    s->handbrake = 1;  // a slow car makes him leap rather than pushing him aside
    if (moving(s))
        s->frame = s->frame < 7 ? s->frame + 1 : 0;
    else
        s->frame = 0;
    if (s->scale > itofix(1)) s->frame = 2;
    // The cop player's own sprite and every policeman of a cop game stop here.
    if (felony == 0 || sprite_faction(player_template) == sprite_faction(s)) return;

    Point door = door_point(player);
    bool player_driving = !(player->flags & SPRITE_ON_FOOT);
    if (player_driving && abs(door.x - s->x) > 200 && abs(door.y - s->y) > 200) {
        return_to_car(s);
        return;
    }
    pursue(s, door);
}

void empty_car_behaviour(Sprite *s, int event)
{
    if (event != EVENT_UPDATE) return;
    if (s->frame < s->image_count - 2)
        s->frame += 1;
    else
        s->frame = sprite_faction(s) == FACTION_POLICE ? 1 : 0;  // a police car keeps flashing
    if (s->turn != 0 && s->speed > 60) {
        play_sprite_sound(s, sound_sample(SCREECH_SOUND), -1);
    } else if (s->sample && s->sample == sound_sample(SCREECH_SOUND)) {
        play_sprite_sound(s, nullptr, 0);
    }
    if (badly_damaged(s))
        emit_smoke(s);
    else if (s != player)
        s->turn = s->forward = 0;  // nobody drives it: it rolls to a stop
}

void wreck_behaviour(Sprite *s, int)
{
    emit_smoke(s);
    s->forward = s->reverse = s->handbrake = s->turn = 0;
}
