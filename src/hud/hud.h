// The heads-up display: wanted level, speedometer, the car's condition and the weapon in hand.
#pragma once
#include <allegro.h>

// "hud.dat" and its pictures.
extern DATAFILE *hud_data;
extern BITMAP *damage_bar_image;
extern BITMAP *felony_bar_image;
extern BITMAP *speedometer_image;
// Objects 4..7: the pistol, machine gun, flame thrower and rocket launcher, side on; null for
// any the file lacks (the panel then shows the name alone).
extern BITMAP *weapon_images[4];

// load_game: loads "hud.dat".
void load_hud();
// main_loop once per frame while playing, after the night overlay.
void draw_hud();
// draw_hud: the row of weapons whose panel shows, that of current_weapon while the player is
// on foot; -1 at the wheel (nobody in a car fires) and before there is a player.
int shown_weapon();
// draw_hud: the name the weapon panel gives row (0..3) of weapons.
const char *weapon_name(int row);
