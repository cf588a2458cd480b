// The behaviours of people, projectiles and effects. Their wills are still to come: for now
// people stand still and effects stay where they appear.
#include "actors/actors.h"

void pedestrian_behaviour(Sprite *, int) {}
void stroller_behaviour(Sprite *, int) {}
void crowd_behaviour(Sprite *, int) {}
void static_behaviour(Sprite *, int) {}
void dying_behaviour(Sprite *, int) {}
void one_shot_behaviour(Sprite *, int) {}
void explosion_behaviour(Sprite *, int) {}
void bullet_behaviour(Sprite *, int) {}
void rocket_behaviour(Sprite *, int) {}
void bomb_behaviour(Sprite *, int) {}
void briefcase_behaviour(Sprite *, int) {}
