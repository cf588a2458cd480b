// Effects and small objects of the sprite set.
#pragma once
#include "picture_kit.h"

#include <cstdint>

// One frame of a blast: a ragged ball of fire that turns to smoke as its heat falls.
struct fireball_look {
    int size;           // picture side
    float radius;       // ball radius
    float heat;         // 0..1.2: how much of it still burns white and gold
    float smoke_below;  // heat under which a pixel is smoke rather than fire
    float holes;        // 0..1: how far the cloud has broken up
    uint32_t seed;
};
picture make_fireball(const fireball_look &look);
picture make_flash_ring();
picture make_smoke_puff();
picture make_flame();
picture make_splash(int frame);  // 0 or 1
picture make_blood_stain(int size, uint32_t seed);
picture make_bullet();
picture make_rocket();
picture make_bomb();
picture make_briefcase();
picture make_traffic_cone();

// Street furniture and set pieces (street_objects.cpp).
picture make_crowd();
picture make_crowd_litter();
picture make_fountain();
picture make_tree();
picture make_barrier();
picture make_start_marker();
