// The heads-up display in the bottom-right corner: wanted level, speedometer, condition.
#include "hud/hud.h"

#include "display/display.h"
#include "display/palette.h"
#include "frame/frame.h"
#include "sprites/sprites.h"

DATAFILE *hud_data = nullptr;
BITMAP *damage_bar_image = nullptr;
BITMAP *felony_bar_image = nullptr;
BITMAP *speedometer_image = nullptr;

void load_hud()
{
    hud_data = load_datafile("hud.dat");
    if (!hud_data) fatal_error("Error loading hud.dat");
    damage_bar_image = (BITMAP *)hud_data[0].dat;
    felony_bar_image = (BITMAP *)hud_data[1].dat;
    speedometer_image = (BITMAP *)hud_data[3].dat;
}

void draw_hud() {}
