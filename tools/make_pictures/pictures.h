// The makers of the picture maker: each returns the pictures of one datafile, their file names
// carrying the zero-padded index that pins each to its object number once packed.
#pragma once
#include "picture_kit.h"

#include <allegro.h>

#include <filesystem>

picture_set make_sprite_pictures();
picture_set make_tile_pictures();
picture_set make_title_pictures(const PALETTE pal);
picture_set make_font_grids();
picture_set make_hud_pictures();
picture_set make_mission_pictures();

// Sprite pieces shared between makers.
picture make_car_picture(int model, bool door_open);  // model: index into the car table
int car_model_named(const char *name);
picture make_police_car_picture(int siren, bool door_open);  // siren 0 off, 1 red, 2 blue
// People: a figure in one pose.
enum figure_name { FIGURE_COP, FIGURE_STROLLER, FIGURE_PEDESTRIAN, FIGURE_SKIDRUNNER };
enum walker_pose {
    POSE_STAND, POSE_STEP_A_HALF, POSE_STEP_A_FULL, POSE_STEP_B_HALF, POSE_STEP_B_FULL,
    POSE_SHOOT, POSE_STRUCK, POSE_LYING
};
picture make_walker_picture(int figure, int pose);

// The roof over every building and arcade (tiles.dat object 0), 82 px square as it is drawn.
picture make_roof_picture();
// A floor picture by its tiles.dat object number (the title pictures build a street of them).
picture make_tile_picture(int object);

// "07_name.pcx"
std::string indexed_name(int index, const char *name);

// make_pictures --icons FOLDER: the menu icon as FOLDER/NNxNN/skidrunner.png, at 32 to 256 px.
bool write_icons(const std::filesystem::path &folder);
