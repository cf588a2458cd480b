// The screen mode, the frame buffer, the palette, the fonts and the colour tables.
#include "display/display.h"

#include <cstdio>
#include <vector>

#include "frame/data_files.h"
#include "frame/frame.h"
#include "frame/platform.h"

int screen_width = 640;
int screen_height = 480;
int window_scale = 0;
BITMAP *buffer = nullptr;
DATAFILE *font_data = nullptr;
FONT *game_font = nullptr;
FONT *menu_font = nullptr;
PALETTE game_palette;
COLOR_MAP trans_table;
COLOR_MAP light_table;
BITMAP *light_overlay = nullptr;
FrameView frame_view = {0, 0, 640, 480};

namespace {
constexpr int FRAME_WIDTH = 640;
constexpr int FRAME_HEIGHT = 480;

// For each column and row of the view, the frame column and row it shows; worked out once per
// mode, with the view-sized picture they fill.
std::vector<int> view_columns;
std::vector<int> view_rows;
BITMAP *scaled_picture = nullptr;

// Room a window needs around it on the desktop: its borders and title bar, and the desktop's
// own panels and docks.
constexpr int DESKTOP_ROOM_W = 32;
constexpr int DESKTOP_ROOM_H = 96;

// The pointer as present_frame last placed it (x -1: not yet), and the parts of a frame pixel
// its slowing has carried over.
int pointer_x = -1, pointer_y = -1;
int pointer_remainder_x = 0, pointer_remainder_y = 0;

// The frame pixel under the centre of view pixel i, when frame_size pixels span view_size.
int frame_pixel_under(int i, int frame_size, int view_size)
{
    return (2 * i + 1) * frame_size / (2 * view_size);
}

bool view_is_one_to_one()
{
    return frame_view.width == FRAME_WIDTH && frame_view.height == FRAME_HEIGHT;
}

// Makes view the frame_view, with its pixel maps and picture.
void set_frame_view(FrameView view)
{
    frame_view = view;
    view_columns.resize(view.width);
    for (int x = 0; x < view.width; x++)
        view_columns[x] = frame_pixel_under(x, FRAME_WIDTH, view.width);
    view_rows.resize(view.height);
    for (int y = 0; y < view.height; y++)
        view_rows[y] = frame_pixel_under(y, FRAME_HEIGHT, view.height);
    if (scaled_picture) destroy_bitmap(scaled_picture);
    scaled_picture = nullptr;
    if (view_is_one_to_one()) return;
    scaled_picture = create_bitmap_ex(8, view.width, view.height);
    if (!scaled_picture) fatal_error("Couldn't make the picture for this screen mode");
}

// The buffer resized into the view's picture.
BITMAP *scale_frame()
{
    const int *columns = view_columns.data();
    for (int y = 0; y < frame_view.height; y++) {
        const unsigned char *from = buffer->line[view_rows[y]];
        unsigned char *to = scaled_picture->line[y];
        for (int x = 0; x < frame_view.width; x++) to[x] = from[columns[x]];
    }
    return scaled_picture;
}

void show_palette(const RGB *palette)
{
    if (gfx_driver) set_palette(palette);
}

bool open_mode(int w, int h) { return set_gfx_mode(GFX_AUTODETECT, w, h, w, h) == 0; }

// In a view larger than the frame the library still moves the pointer a frame pixel for each
// pixel the mouse moves on the screen, so it would race ahead of the hand; on the title it is
// brought back to the mouse's own speed.
void slow_the_title_pointer()
{
    if (!mouse_driver || game_state != STATE_TITLE || frame_view.width <= FRAME_WIDTH) {
        pointer_x = -1;
        return;
    }
    int x = mouse_x, y = mouse_y;
    if (pointer_x >= 0 && (x != pointer_x || y != pointer_y)) {
        slowed_pointer(pointer_x, pointer_y, &x, &y, &pointer_remainder_x, &pointer_remainder_y);
        position_mouse(x, y);
    }
    pointer_x = x;
    pointer_y = y;
}
}  // namespace

int window_scale_for_desktop(int desktop_w, int desktop_h)
{
    int n = 4;
    while (n > 1 && (FRAME_WIDTH * n + DESKTOP_ROOM_W > desktop_w ||
                     FRAME_HEIGHT * n + DESKTOP_ROOM_H > desktop_h))
        n--;
    return n;
}

void open_screen_mode()
{
    set_window_title("Skidrunner");
    if (window_scale == 0) {
        int w = 0, h = 0;
        window_scale = get_desktop_resolution(&w, &h) == 0 ? window_scale_for_desktop(w, h) : 1;
        screen_width = FRAME_WIDTH * window_scale;
        screen_height = FRAME_HEIGHT * window_scale;
    }
    if (open_mode(screen_width, screen_height)) return;
    // A scaled window the machine refuses: the frame's own size, before the smallest mode.
    if (window_scale > 1) {
        window_scale = 1;
        if (open_mode(FRAME_WIDTH, FRAME_HEIGHT)) return;
    }
    if (open_mode(320, 200)) return;
    static char message[300];
    snprintf(message, sizeof message,
             "Couldn't open a screen mode, neither %dx%d nor 320x200: %s", screen_width,
             screen_height, allegro_error[0] ? allegro_error : "no reason given");
    fatal_error(message);
}

void init_display()
{
    open_screen_mode();
    // The game composes 640 x 480 frames whatever mode opened.
    screen_width = FRAME_WIDTH;
    screen_height = FRAME_HEIGHT;
    build_display_state();
    fit_frame_to_screen();
}

void load_palette()
{
    if (!check_data_file("pal.pcx", PCX_PALETTE_KIND))
        fatal_error("Error loading pal.pcx: the game's palette is missing");
    BITMAP *picture = load_pcx("pal.pcx", game_palette);
    if (!picture) fatal_error("Error loading pal.pcx: the game's palette is missing");
    destroy_bitmap(picture);
    show_palette(game_palette);
}

void build_light_overlay()
{
    clear_bitmap(light_overlay);
    // Ever smaller circles of ever more light: level 140 out to 250 px from the centre, then
    // falling by two a pixel to nothing at 320 px.
    for (int i = 0; i < 256; i++)
        circlefill(light_overlay, screen_width / 2, screen_height / 2, 320 - i / 2,
                   i < 140 ? i : 140);
}

void build_display_state()
{
    font_data = load_checked_datafile("font.dat");
    if (!font_data) fatal_error("Error opening font.dat");
    require_object(font_data, "font.dat", 0, DAT_FONT);
    require_object(font_data, "font.dat", 1, DAT_FONT);
    game_font = (FONT *)font_data[0].dat;
    menu_font = (FONT *)font_data[1].dat;

    buffer = create_bitmap(screen_width, screen_height);
    if (!buffer) fatal_error("Couldn't cache screen buffer!");
    clear_bitmap(buffer);
    set_clip_rect(buffer, 0, 0, screen_width - 1, screen_height - 1);

    load_palette();
    game_palette[0].r = game_palette[0].g = game_palette[0].b = 0;
    show_palette(game_palette);

    create_trans_table(&trans_table, game_palette, 150, 150, 150, nullptr);
    create_light_table(&light_table, game_palette, 0, 0, 0, nullptr);
    color_map = &trans_table;

    light_overlay = create_bitmap(screen_width, screen_height);
    if (!light_overlay) fatal_error("Couldn't create the night light overlay");
    build_light_overlay();
}

FrameView frame_view_for(int screen_w, int screen_h)
{
    FrameView view;
    if (screen_w * FRAME_HEIGHT <= screen_h * FRAME_WIDTH) {
        // Narrower than the frame: full width, bars above and below.
        view.width = screen_w;
        view.height = FRAME_HEIGHT * screen_w / FRAME_WIDTH;
    } else {
        view.height = screen_h;
        view.width = FRAME_WIDTH * screen_h / FRAME_HEIGHT;
    }
    view.left = (screen_w - view.width) / 2;
    view.top = (screen_h - view.height) / 2;
    return view;
}

void fit_frame_to_screen()
{
    if (!screen) return;
    set_frame_view(frame_view_for(SCREEN_W, SCREEN_H));
    clear_bitmap(screen);
    // The pointer is drawn into the frame, so it moves over frame pixels in every mode (the
    // title reads the mouse's motion, so the library moves it by the mouse's own steps, and
    // present_frame slows it where the frame is shown larger than it is).
    if (mouse_driver) set_mouse_range(0, 0, screen_width - 1, screen_height - 1);
    pointer_x = -1;
}

void present_frame()
{
    if (!screen) return;
    if (view_is_one_to_one()) {
        blit(buffer, screen, 0, 0, frame_view.left, frame_view.top, screen_width, screen_height);
        return;
    }
    blit(scale_frame(), screen, 0, 0, frame_view.left, frame_view.top, frame_view.width,
         frame_view.height);
    slow_the_title_pointer();
}

void slowed_pointer(int from_x, int from_y, int *x, int *y, int *remainder_x, int *remainder_y)
{
    // The view shows frame_view.width / 640 screen pixels for each frame pixel.
    int dx = (*x - from_x) * FRAME_WIDTH + *remainder_x;
    int dy = (*y - from_y) * FRAME_HEIGHT + *remainder_y;
    *x = from_x + dx / frame_view.width;
    *y = from_y + dy / frame_view.height;
    *remainder_x = dx % frame_view.width;
    *remainder_y = dy % frame_view.height;
}

bool next_screen_mode(int width, int *next_width, int *next_height)
{
    switch (width) {
    case 320: *next_width = 640, *next_height = 400; return true;
    case 640: *next_width = 800, *next_height = 600; return true;
    case 800:
        if (window_scale > 1) {
            *next_width = FRAME_WIDTH * window_scale, *next_height = FRAME_HEIGHT * window_scale;
            return true;
        }
        *next_width = 320, *next_height = 200;
        return true;
    case FRAME_WIDTH * 2:
    case FRAME_WIDTH * 3:
    case FRAME_WIDTH * 4: *next_width = 320, *next_height = 200; return true;
    default: return false;
    }
}

void cycle_screen_mode()
{
    int width = gfx_driver ? gfx_driver->w : 0;
    int height = gfx_driver ? gfx_driver->h : 0;
    int next_width, next_height;
    if (next_screen_mode(width, &next_width, &next_height)) {
        if (set_gfx_mode(GFX_AUTODETECT, next_width, next_height, next_width, next_height) != 0) {
            // A mode the machine refuses must not leave the game without a screen.
            set_gfx_mode(GFX_AUTODETECT, width, height, width, height);
        }
        fit_frame_to_screen();
    }
    show_palette(game_palette);
}

void scaled_palette(int level, PALETTE out)
{
    for (int i = 0; i < PAL_SIZE; i++) {
        out[i].r = (unsigned char)(game_palette[i].r * level / 64);
        out[i].g = (unsigned char)(game_palette[i].g * level / 64);
        out[i].b = (unsigned char)(game_palette[i].b * level / 64);
    }
}

void fade_palette(int direction)
{
    PALETTE faded;
    if (direction == 0) {
        for (int level = 0; level < 64; level += 5) {
            scaled_palette(level, faded);
            show_palette(faded);
            wait_ms(5);
        }
    } else if (direction == 1) {
        for (int level = 63; level > 0; level -= 5) {
            scaled_palette(level, faded);
            show_palette(faded);
            wait_ms(5);
        }
    }
}

void wait_ms(int ms) { sleep_until_clock(game_clock() + ms); }
