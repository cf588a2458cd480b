// Steering helpers shared by the behaviours.
#include <cstdlib>

#include "actors/actors.h"

bool near(const Sprite *p, const Sprite *q, int d)
{
    return abs(p->x - q->x) < d && abs(p->y - q->y) < d;
}

fixed turn_toward(Sprite *, int) { return 0; }
void follow_road(Sprite *) {}
void emit_smoke(Sprite *) {}
void avoid_walls(Sprite *) {}
void keep_to_pavement(Sprite *) {}
void keep_in_world(Sprite *) {}
