// One function per sound of the game. Each returns a finished buffer at SAMPLE_RATE; levels are
// set here, so a quiet footstep stays quiet next to a gunshot.
#pragma once
#include "dsp.h"

// Cars, guns and the street (recipes_street.cpp).
Wave horn();              // two-tone car horn, loops seamlessly
Wave tyre_screech();      // squeal of a car turning fast, loops seamlessly
Wave crash_heavy();       // metal crunch heard on the car that was hit
Wave crash_glass();       // crunch and breaking glass on the car that hit
Wave explosion();
Wave gunshot();
Wave police_whoop();      // siren yelp as a policeman gets out
Wave arrest();            // handcuffs ratchet and a radio chirp

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
