// Actors: the behaviours of every sprite and the steering helpers they share.
#pragma once
#include "sprites/sprites.h"

// Vehicles and the police.
void traffic_car_behaviour(Sprite *s, int event);
void police_car_behaviour(Sprite *s, int event);
void cop_on_foot_behaviour(Sprite *s, int event);
void empty_car_behaviour(Sprite *s, int event);
void wreck_behaviour(Sprite *s, int event);
// People, projectiles and effects.
void pedestrian_behaviour(Sprite *s, int event);
void stroller_behaviour(Sprite *s, int event);
void crowd_behaviour(Sprite *s, int event);
void static_behaviour(Sprite *s, int event);
void dying_behaviour(Sprite *s, int event);
void one_shot_behaviour(Sprite *s, int event);
void explosion_behaviour(Sprite *s, int event);
void bullet_behaviour(Sprite *s, int event);
void rocket_behaviour(Sprite *s, int event);
void bomb_behaviour(Sprite *s, int event);
void briefcase_behaviour(Sprite *s, int event);

// Steering helpers of the behaviours.
// Cars lining up with a road: a turn rate of 2 units the short way, or a snap onto target.
fixed turn_toward(Sprite *s, int target);
// Traffic and patrolling police, each update: cruise, brake for obstacles, steer by the road.
void follow_road(Sprite *s);
// Damaged vehicles, each update: a smoke puff and a flame behind.
void emit_smoke(Sprite *s);
// Walkers: turn away from water and buildings ahead.
void avoid_walls(Sprite *s);
// Walkers: turn back when the next step leaves the pavement.
void keep_to_pavement(Sprite *s);
// Walkers: turn back into the world at its edges.
void keep_in_world(Sprite *s);
// The box test every distance of the actors uses: strict on both axes.
bool near(const Sprite *p, const Sprite *q, int d);
bool near_point(const Sprite *p, int x, int y, int d);
// follow_road and the police: the first sprite (not on the ground) near the point just ahead.
Sprite *obstacle_ahead(Sprite *s, int reach);
