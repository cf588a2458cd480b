// The heads-up display: wanted level, speedometer and the car's condition.
#pragma once
#include <allegro.h>

// "hud.dat" and its pictures.
extern DATAFILE *hud_data;
extern BITMAP *damage_bar_image;
extern BITMAP *felony_bar_image;
extern BITMAP *speedometer_image;

// load_game: loads "hud.dat".
void load_hud();
// main_loop once per frame while playing, after the night overlay.
void draw_hud();
