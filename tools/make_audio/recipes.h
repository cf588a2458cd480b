// One function per sound of the game. Each returns a finished buffer at SAMPLE_RATE; how loud
// it is heard is set afterwards, by measurement (sounds.cpp).
#pragma once
#include "dsp.h"

// Cars and the street (recipes_street.cpp).
Wave horn();              // two-tone car horn, loops seamlessly
Wave tyre_screech();      // squeal of a car turning fast, loops seamlessly
Wave police_whoop();      // siren yelp as a policeman gets out
Wave arrest();            // handcuffs ratchet, a radio chirp and the dispatcher's voice

// Bangs (recipes_impacts.cpp).
Wave crash_heavy();       // blow and metal crunch heard on the car that was hit
Wave crash_glass();       // blow, crunch and breaking glass on the car that hit
Wave explosion();         // crack, roar, rumble, falling debris
Wave gunshot();           // muzzle crack and blast, echoed by the street

// People (recipes_people.cpp).
Wave scream_woman();
Wave scream_man();
Wave scream_yelp();
Wave scream_shriek();
Wave groan_long();
Wave groan_short();
Wave body_thud();
Wave body_splat();
Wave footstep(bool left);

// The front end (recipes_street.cpp).
Wave banner_sting();      // the beep under "Busted!", "Wasted!" and the other banners
Wave menu_click();        // the highlight moved
