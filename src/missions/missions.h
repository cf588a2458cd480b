// Missions: the mission files, the mission under way, its steps, markers and arrow.
#pragma once
#include <allegro.h>

// new_game, before the player is created: the arrow picture and the missions, none under way.
void load_missions();
// main_loop once per simulation step while playing, after update_world.
void update_missions();
// main_loop once per frame while a mission step is under way: the arrow and the step's text.
void draw_mission_arrow();
// main_loop: whether a mission and a step are under way (the arrow is drawn only then).
bool mission_under_way();
