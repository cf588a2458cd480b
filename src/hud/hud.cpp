// The heads-up display in the bottom-right corner: wanted level, speedometer, condition, and
// on foot the weapon in hand.
#include "hud/hud.h"

#include "display/display.h"
#include "display/palette.h"
#include "frame/data_files.h"
#include "frame/frame.h"
#include "sprites/sprites.h"

DATAFILE *hud_data = nullptr;
BITMAP *damage_bar_image = nullptr;
BITMAP *felony_bar_image = nullptr;
BITMAP *speedometer_image = nullptr;
BITMAP *weapon_images[4] = {};

namespace {
constexpr int DAMAGE_BAR = 0, FELONY_BAR = 1, SPEEDOMETER = 3, FIRST_WEAPON = 4;
}

void load_hud()
{
    hud_data = load_checked_datafile("hud.dat");
    if (!hud_data) fatal_error("Error loading hud.dat");
    for (int object : {DAMAGE_BAR, FELONY_BAR, SPEEDOMETER})
        require_object(hud_data, "hud.dat", object, DAT_BITMAP);
    damage_bar_image = (BITMAP *)hud_data[DAMAGE_BAR].dat;
    felony_bar_image = (BITMAP *)hud_data[FELONY_BAR].dat;
    speedometer_image = (BITMAP *)hud_data[SPEEDOMETER].dat;
    // The weapon pictures follow the bars and the dial; a file with the three alone shows the
    // weapons' names without pictures.
    int count = datafile_object_count(hud_data);
    for (int i = 0; i < 4; i++) {
        weapon_images[i] = nullptr;
        if (FIRST_WEAPON + i >= count) continue;
        require_object(hud_data, "hud.dat", FIRST_WEAPON + i, DAT_BITMAP);
        weapon_images[i] = (BITMAP *)hud_data[FIRST_WEAPON + i].dat;
    }
}

int shown_weapon()
{
    if (!player || (player->flags & SPRITE_ON_FOOT) == 0) return -1;
    return (int)(current_weapon - weapons);
}

const char *weapon_name(int row)
{
    static const char *const names[WEAPON_COUNT] = {"Pistol", "Machine gun", "Flame thrower",
                                                   "Rocket launcher"};
    return row >= 0 && row < WEAPON_COUNT ? names[row] : "";
}

namespace {
constexpr int TEXT_W = 200, TEXT_H = 20;
constexpr int BAR_W = 200, BAR_H = 20;
constexpr int NEEDLE = 40;
// The weapon panel stands on the bottom rows left of the felony strip, a small gap between:
// room for the picture and the longest name ("Rocket launcher", 15 letters of 8 px).
constexpr int WEAPON_PANEL_W = 160, WEAPON_GAP = 4;
constexpr int WEAPON_PICTURE_W = 28, WEAPON_PICTURE_H = 14;
constexpr int COLOUR_PANEL_FRAME = RAMP_FIRST + RAMP_SIZE + 8;  // a mid slate
static_assert(WEAPON_COUNT == 4, "one picture and one name for each weapon");

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

// A black panel with a thin slate frame, the weapon's picture and its name in HUD white.
void draw_weapon_panel(int row, int w, int h)
{
    int x0 = w - BAR_W - WEAPON_GAP - WEAPON_PANEL_W, y0 = h - BAR_H;
    int x1 = x0 + WEAPON_PANEL_W - 1, y1 = h - 1;
    rectfill(buffer, x0, y0, x1, y1, COLOUR_TRANSPARENT);
    rect(buffer, x0, y0, x1, y1, COLOUR_PANEL_FRAME);
    BITMAP *picture = weapon_images[row];
    if (picture) draw_sprite(buffer, picture, x0 + 3, y0 + (BAR_H - WEAPON_PICTURE_H) / 2);
    // The name sits on the line of the felony strip's text.
    textout_ex(buffer, game_font, weapon_name(row), x0 + 3 + WEAPON_PICTURE_W + 3, h - 16,
               COLOUR_HUD_TEXT, -1);
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
    int weapon = shown_weapon();
    if (weapon >= 0) draw_weapon_panel(weapon, w, h);
    destroy_bitmap(text);
}
