// The palette indices the game's code draws with. pal.pcx (made by tools/make_pictures) holds
// the colours; every picture of the game is drawn in these indices, 0 being transparent.
#pragma once

// Entry 0: black on the screen, transparent in every picture.
constexpr int COLOUR_TRANSPARENT = 0;
// HUD texts.
constexpr int COLOUR_HUD_TEXT = 15;
// Fifteen ramps of sixteen shades, 16..31 up to 240..255, each running light to dark.
constexpr int RAMP_FIRST = 16;
constexpr int RAMP_SIZE = 16;
constexpr int RAMP_COUNT = 15;
// Building walls.
constexpr int COLOUR_WALL = 21;
// The charred shades of a wreck; 27..31 are left alone when a picture is scorched.
constexpr int COLOUR_WRECK_LIGHT = 30;
constexpr int COLOUR_WRECK_DARK = 31;
constexpr int COLOUR_CHARRED_FIRST = 27;
// The big message banner pulses through 48..57.
constexpr int COLOUR_BANNER_FIRST = 48;
constexpr int COLOUR_BANNER_LAST = 57;
// Menu rows: the highlighted one and the others.
constexpr int COLOUR_MENU_HIGHLIGHT = 48;
constexpr int COLOUR_MENU_PLAIN = 60;
// Mission texts.
constexpr int COLOUR_MISSION_TEXT = 50;
// The paint of cars and people, moved as one block onto another ramp to vary their colour.
constexpr int PAINT_FIRST = 128;
constexpr int PAINT_LAST = 143;
