// The display: the screen mode, the 640 x 480 frame buffer every frame is composed in, the
// palette, the fonts, the translucency and lighting tables, the night overlay and the in-place
// recolouring of sprite pictures.
#pragma once
#include <allegro.h>

// Size of the composed frame: always 640 x 480 once the display is up ("-VGA" and "-scale"
// only change the mode asked for first). All layout is computed from them.
extern int screen_width;
extern int screen_height;
// The window is 640 x 480 times this: 0 until "-scale N" (or "-VGA", as 1) names it or
// init_display picks the largest that fits the desktop; 1 again if that window cannot open.
extern int window_scale;
// The memory bitmap every frame is drawn into, then copied to the screen.
extern BITMAP *buffer;
// "font.dat", and its two fonts: HUD and mission texts; menu rows and the banner.
extern DATAFILE *font_data;
extern FONT *game_font;
extern FONT *menu_font;
// The one palette of the game: "pal.pcx" with entry 0 black.
extern PALETTE game_palette;
// A 150/255 blend, the library's color_map at all times but while the night is drawn.
extern COLOR_MAP trans_table;
// Entry [level][colour] is colour darkened to light level (0 black, 255 unchanged).
extern COLOR_MAP light_table;
// Light levels around the screen centre for the night overlay.
extern BITMAP *light_overlay;

// Where the frame lands on the open screen: the largest size that keeps its 4:3 shape, centred,
// with black bars where the screen's shape differs. An integer window scale is the same view
// with no bars.
struct FrameView {
    int left, top;
    int width, height;
};
// Set each time a mode opens; present_frame draws the frame through it.
extern FrameView frame_view;

// load_game, last: opens the mode, then builds everything above.
void init_display();
// init_display: asks for the mode (falling back to 640 x 480, then 320 x 200); fatal when
// none opens.
void open_screen_mode();
// open_screen_mode, when the command line named no window: the largest scale, 1 to 4, whose
// window fits a desktop of the given size with room for its borders and the desktop's panels.
int window_scale_for_desktop(int desktop_w, int desktop_h);
// init_display after the mode, and headless tests: fonts, buffer, palette, tables, overlay.
void build_display_state();
// build_display_state: "pal.pcx" into game_palette, set as the screen's palette.
void load_palette();
// build_display_state: the radial ramp of light levels around the screen centre.
void build_light_overlay();
// init_display and cycle_screen_mode, each time a mode has opened: fits the frame to it,
// blackens the bars, and makes the library's mouse_x and mouse_y count frame pixels
// (0..639, 0..479) in every mode, so the pointer drawn into the frame is the mouse's.
void fit_frame_to_screen();
// fit_frame_to_screen, and tests: the view of the frame on a screen of the given size.
FrameView frame_view_for(int screen_w, int screen_h);
// main_loop once per pass, and the title between its fades: the buffer onto the screen
// through frame_view, resized when the view is not 640 x 480 (each pixel taking the frame
// pixel under its centre: sharp pixels, no blending). On the title, in a view larger than the
// frame, it then slows the pointer to the mouse's own speed on the screen.
void present_frame();
// present_frame: where the pointer goes, in frame pixels, when the library has moved it from
// (from_x, from_y) to (x, y) counting frame pixels for screen pixels; remainder_x and
// remainder_y carry the part of a pixel left over between calls.
void slowed_pointer(int from_x, int from_y, int *x, int *y, int *remainder_x,
                    int *remainder_y);
// The F12 key: the next screen mode of the cycle 320 -> 640 -> 800 -> 320 wide, which passes
// through the scaled window the game opened in, if it did, after 800.
void cycle_screen_mode();
// cycle_screen_mode: the mode that follows a screen of the given width (with window_scale);
// false for no change.
bool next_screen_mode(int width, int *next_width, int *next_height);
// The title menu: 0 fades the palette in from black, 1 fades it out.
void fade_palette(int direction);
// fade_palette: game_palette scaled to level / 64, into out.
void scaled_palette(int level, PALETTE out);
// fade_palette: sleeps until the clock has advanced by ms.
void wait_ms(int ms);

// main_loop after the map and sprites when night is on: darkens the frame outside the light.
void draw_night_overlay();
// recolour_sprite: moves the paint ramp 128..143 of bitmap by -16 * n entries.
BITMAP *shift_colour_ramp(BITMAP *bitmap, int n);
// collide_sprite after a hard crash: bites a notch out of the front edge.
BITMAP *dent_bitmap(BITMAP *bitmap);
// collide_sprite when a sprite is burnt: repaints it in the two wreck shades.
BITMAP *scorch_bitmap(BITMAP *bitmap);
