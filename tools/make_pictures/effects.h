// Effects and small objects of the sprite set.
#pragma once
#include "picture_kit.h"

#include <cstdint>

// The eight frames of a blast, 0 the first flash, growing and then burning down to smoke.
constexpr int BLAST_FRAMES = 8;
picture make_blast_frame(int frame);
picture make_smoke_puff();
picture make_flame();
picture make_splash(int frame);  // 0 or 1
picture make_blood_stain(int size, uint32_t seed);
picture make_bullet();
picture make_rocket();
picture make_bomb();
picture make_briefcase();
picture make_traffic_cone();

// A knot of people round a busker (people.cpp).
picture make_crowd();
// Street furniture and set pieces (street_objects.cpp).
picture make_crowd_litter();
picture make_fountain();
picture make_tree();
picture make_barrier();
picture make_start_marker();
