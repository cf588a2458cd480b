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

namespace {
constexpr int TEXT_W = 200, TEXT_H = 20;
constexpr int BAR_W = 200, BAR_H = 20;
constexpr int NEEDLE = 40;

void draw_felony(BITMAP *text, int w, int h)
{
    rectfill(buffer, w - BAR_W, h - BAR_H, w, h, COLOUR_TRANSPARENT);
    // The bar grows leftward from the screen's edge, 40 px a level.
    stretch_sprite(buffer, felony_bar_image, w - 40 * felony, h - BAR_H, w, BAR_H);
    textprintf_ex(text, game_font, 0, 0, COLOUR_HUD_TEXT, 0, "Felony: %i", 20 * felony);
    draw_trans_sprite(buffer, text, w - 150, h - 16);
}

void draw_car_gauges(BITMAP *text, int w, int h)
{
    fixed needle = itofix(player->speed - 150);
    draw_trans_sprite(buffer, speedometer_image, w - 95, h - 145);
    line(buffer, w - 50, h - 100, w - 50 + fixtoi(NEEDLE * fixcos(needle)),
         h - 100 + fixtoi(NEEDLE * fixsin(needle)), COLOUR_TRANSPARENT);
    rectfill(buffer, w - BAR_W, h - 2 * BAR_H, w, h - BAR_H - 1, COLOUR_TRANSPARENT);
    clear_bitmap(text);
    if (player->health >= 0 && player->max_health != 0)
        textprintf_ex(text, game_font, 0, 0, COLOUR_HUD_TEXT, 0, "Damage: %i",
                      player->health * 100 / player->max_health);
    if (player->max_health != 0)
        stretch_sprite(buffer, damage_bar_image, w - player->health * BAR_W / player->max_health,
                       h - 2 * BAR_H, w, BAR_H);
    draw_trans_sprite(buffer, text, w - 150, h - 36);
}
}  // namespace

void draw_hud()
{
    int w = screen_width, h = screen_height;
    BITMAP *text = create_bitmap(TEXT_W, TEXT_H);
    if (!text) return;
    clear_bitmap(text);
    if (felony != 0) draw_felony(text, w, h);
    if (player && !(player->flags & SPRITE_ON_FOOT)) draw_car_gauges(text, w, h);
    destroy_bitmap(text);
}
