// The vehicles of the city, seen from above with the nose up. The bodywork is painted in the
// paint ramp (so traffic can be recoloured as one block); glass, lights, tyres and trim are
// fixed colours. Each picture has a few empty pixels at the sides for the mirrors and for the
// driver's door, which swings out on the car's left.
#include "game_palette.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

enum class car_kind {
    sedan, sports, van, hatchback, convertible, muscle, estate, truck, pickup, taxi, compact,
    limousine, police
};

struct car_model {
    const char *name;
    car_kind kind;
    int body_w, body_l;
    int nose_round, tail_round;  // corner radii
    int bonnet, screen, roof, rear_screen;  // lengths from the nose back; the boot is the rest
    int cabin_inset;  // shoulder width between the body side and the glasshouse
};

// The side margin of every car picture: room for mirrors and an open door.
constexpr int CAR_MARGIN = 6;

constexpr car_model car_models[] = {
    {"saloon", car_kind::sedan, 26, 56, 5, 4, 15, 7, 14, 6, 3},
    {"sports", car_kind::sports, 26, 52, 6, 4, 19, 8, 9, 5, 4},
    {"van", car_kind::van, 28, 60, 4, 2, 8, 6, 44, 0, 2},
    {"hatchback", car_kind::hatchback, 24, 48, 5, 4, 12, 7, 16, 6, 3},
    {"convertible", car_kind::convertible, 26, 54, 6, 5, 17, 4, 18, 0, 3},
    {"muscle", car_kind::muscle, 28, 58, 4, 4, 20, 7, 12, 6, 4},
    {"estate", car_kind::estate, 26, 60, 5, 3, 15, 7, 23, 4, 3},
    {"truck", car_kind::truck, 28, 72, 3, 1, 4, 6, 8, 0, 2},
    {"pickup", car_kind::pickup, 26, 58, 4, 2, 14, 6, 10, 3, 3},
    {"taxi", car_kind::taxi, 26, 56, 5, 4, 15, 7, 14, 6, 3},
    {"compact", car_kind::compact, 22, 48, 8, 7, 12, 6, 14, 5, 3},
    {"limousine", car_kind::limousine, 26, 72, 5, 4, 16, 7, 32, 6, 3},
    {"police", car_kind::police, 26, 58, 5, 4, 16, 7, 15, 6, 3},
};
constexpr int CAR_MODEL_COUNT = sizeof(car_models) / sizeof(car_models[0]);

// Where the parts of one car lie in its picture.
struct car_frame {
    const car_model *m;
    int bx0, bx1;       // body columns
    int length;
    int screen_top;     // first row of the windscreen
    int roof_top, roof_end;  // roof rows
    int cabin_end;      // first row after the rear window
    int gx0, gx1;       // glasshouse columns
    int ramp;           // the body's ramp (paint, or grey for the police)
    float base;         // the body's middle shade
};

car_frame frame_of(const car_model &m)
{
    car_frame f;
    f.m = &m;
    f.bx0 = CAR_MARGIN;
    f.bx1 = CAR_MARGIN + m.body_w - 1;
    f.length = m.body_l;
    f.screen_top = m.bonnet;
    f.roof_top = m.bonnet + m.screen;
    f.roof_end = f.roof_top + m.roof;
    f.cabin_end = f.roof_end + m.rear_screen;
    f.gx0 = f.bx0 + m.cabin_inset;
    f.gx1 = f.bx1 - m.cabin_inset;
    f.ramp = m.kind == car_kind::police ? RAMP_GREY : RAMP_PAINT;
    f.base = m.kind == car_kind::police ? 1.5f : 5.0f;
    return f;
}

// The rounded-box shading of the bodywork: darker toward the flanks and the ends, lit from the
// upper left, so the car reads as a solid shape at any rotation.
int body_shade(const car_frame &f, int x, int y, float lift)
{
    float half = (f.bx1 - f.bx0 + 1) / 2.0f;
    float u = (x + 0.5f - (f.bx0 + half)) / half;
    float v = (y + 0.5f - f.length / 2.0f) / (f.length / 2.0f);
    float s = f.base - lift + 3.2f * smooth_step(0.45f, 1.05f, std::fabs(u)) + 0.9f * u +
              1.6f * smooth_step(0.82f, 1.0f, std::fabs(v));
    return ramp_colour(f.ramp, static_cast<int>(std::lround(s)));
}

void draw_tyres(BITMAP *b, const car_frame &f)
{
    const int front = f.m->kind == car_kind::truck ? 9 : f.length * 2 / 9;
    const int rear = f.length - f.length / 5;
    for (int axle : {front, rear}) {
        rectfill(b, f.bx0 - 1, axle - 4, f.bx0 + 2, axle + 4, COLOUR_TYRE);
        rectfill(b, f.bx1 - 2, axle - 4, f.bx1 + 1, axle + 4, COLOUR_TYRE);
    }
    if (f.m->kind == car_kind::truck) {  // a second rear axle under the box
        rectfill(b, f.bx0 - 1, rear - 14, f.bx0 + 2, rear - 6, COLOUR_TYRE);
        rectfill(b, f.bx1 - 2, rear - 14, f.bx1 + 1, rear - 6, COLOUR_TYRE);
    }
}

void draw_body(BITMAP *b, const car_frame &f)
{
    picture shape = new_picture(b->w, b->h);
    const car_model &m = *f.m;
    fill_rounded_rect(shape.get(), f.bx0, 0, f.bx1, f.length / 2, m.nose_round, 1);
    fill_rounded_rect(shape.get(), f.bx0, f.length / 2 - 1, f.bx1, f.length - 1, m.tail_round, 1);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (is_ink(shape.get(), x, y)) putpixel(b, x, y, body_shade(f, x, y, 0));
    // mirrors, level with the foot of the windscreen
    int my = f.screen_top + 1;
    rectfill(b, f.bx0 - 2, my, f.bx0 - 1, my + 1, ramp_colour(f.ramp, int(f.base) + 2));
    rectfill(b, f.bx1 + 1, my, f.bx1 + 2, my + 1, ramp_colour(f.ramp, int(f.base) + 3));
}

void draw_lights(BITMAP *b, const car_frame &f)
{
    const int r = f.m->nose_round, in = r > 5 ? 3 : 2;
    const int cx = (f.bx0 + f.bx1) / 2;
    // bumpers
    hline(b, f.bx0 + r, 0, f.bx1 - r, COLOUR_GUNMETAL);
    hline(b, f.bx0 + f.m->tail_round, f.length - 1, f.bx1 - f.m->tail_round, COLOUR_GUNMETAL);
    if (f.m->kind != car_kind::truck && f.m->kind != car_kind::van)
        rectfill(b, cx - 3, 1, cx + 2, 1, COLOUR_GUNMETAL);  // grille
    // headlamps
    for (int side = 0; side < 2; ++side) {
        int x0 = side == 0 ? f.bx0 + in : f.bx1 - in - 3;
        rectfill(b, x0, 1, x0 + 3, 2, COLOUR_HEADLAMP);
        putpixel(b, side == 0 ? x0 + 1 : x0 + 2, 1, COLOUR_SPARK);
        // tail lights and indicators
        int tx0 = side == 0 ? f.bx0 + 2 : f.bx1 - 5;
        rectfill(b, tx0, f.length - 3, tx0 + 3, f.length - 2, COLOUR_LIGHT_RED);
        putpixel(b, side == 0 ? tx0 + 3 : tx0, f.length - 3, COLOUR_AMBER);
    }
}

// Glass sloping from a wide edge to a narrower one: a windscreen (wide at the bonnet) or a rear
// window (wide at the boot).
void draw_screen(BITMAP *b, const car_frame &f, int y0, int y1, bool wide_at_bottom)
{
    int n = y1 - y0;
    for (int y = y0; y < y1; ++y) {
        float t = n > 1 ? float(y - y0) / (n - 1) : 1.0f;  // 0 at the top edge
        float narrow = wide_at_bottom ? (1 - t) : t;
        int in = static_cast<int>(std::lround(narrow * 2));
        int colour = (wide_at_bottom ? t < 0.45f : t > 0.55f) ? COLOUR_GLASS : COLOUR_GLASS_DARK;
        hline(b, f.gx0 + in - 1, y, f.gx1 - in + 1, colour);
    }
    // a glint of reflected sky in the upper left of the glass
    int sx = f.gx0 + 2, sy = wide_at_bottom ? y0 + 1 : y1 - 3;
    putpixel(b, sx + 1, sy, COLOUR_GLASS_SHINE);
    putpixel(b, sx, sy + 1, COLOUR_GLASS_SHINE);
    putpixel(b, sx + 3, sy, COLOUR_GLASS);
}

void draw_roof(BITMAP *b, const car_frame &f, int y0, int y1)
{
    // side windows first, then the roof panel inset from them
    rectfill(b, f.gx0, y0, f.gx1, y1 - 1, COLOUR_GLASS_DARK);
    picture panel = new_picture(b->w, b->h);
    fill_rounded_rect(panel.get(), f.gx0 + 2, y0, f.gx1 - 2, y1 - 1, 2, 1);
    for (int y = y0; y < y1; ++y)
        for (int x = f.gx0; x <= f.gx1; ++x)
            if (is_ink(panel.get(), x, y)) putpixel(b, x, y, body_shade(f, x, y, 1.2f));
    // pillars between the side windows
    int mid = (y0 + y1) / 2;
    putpixel(b, f.gx0, mid, body_shade(f, f.gx0, mid, 0));
    putpixel(b, f.gx0 + 1, mid, body_shade(f, f.gx0 + 1, mid, 0));
    putpixel(b, f.gx1, mid, body_shade(f, f.gx1, mid, 0));
    putpixel(b, f.gx1 - 1, mid, body_shade(f, f.gx1 - 1, mid, 0));
}

void draw_glasshouse(BITMAP *b, const car_frame &f)
{
    const car_model &m = *f.m;
    if (m.screen > 0) draw_screen(b, f, f.screen_top, f.roof_top, true);
    if (m.kind != car_kind::convertible) draw_roof(b, f, f.roof_top, f.roof_end);
    if (m.rear_screen > 0) draw_screen(b, f, f.roof_end, f.cabin_end, false);
    // a crease down the bonnet and a shut line across it
    int cx = (f.bx0 + f.bx1) / 2;
    for (int y = 3; y < f.screen_top - 2; ++y) {
        putpixel(b, cx, y, body_shade(f, cx, y, 1.8f));
        putpixel(b, cx + 1, y, body_shade(f, cx + 1, y, -0.8f));
    }
    // door shut lines across the shoulders
    int doors[3] = {f.screen_top + 1, (f.roof_top + f.roof_end) / 2, f.roof_end};
    for (int y : doors) {
        hline(b, f.bx0 + 1, y, f.gx0 - 1, body_shade(f, f.bx0, y, -2.5f));
        hline(b, f.gx1 + 1, y, f.bx1 - 1, body_shade(f, f.bx1, y, -2.5f));
    }
}

void draw_stripes(BITMAP *b, const car_frame &f, int colour)
{
    int cx = (f.bx0 + f.bx1) / 2;
    for (int y = 2; y < f.length - 2; ++y) {
        for (int x : {cx - 3, cx - 2, cx + 3, cx + 4}) {
            int c = getpixel(b, x, y);
            bool body = c >= ramp_colour(f.ramp, 0) && c <= ramp_colour(f.ramp, 15);
            if (body) putpixel(b, x, y, colour);
        }
    }
}

// The light bar across the roof: a red lamp on the left, a blue one on the right. A lit lamp
// burns white at its heart and throws its colour over the roof and the glass round it, so the
// two flashing pictures differ over half the car's top, not just in a strip.
void light_spill(BITMAP *b, const car_frame &f, float lx, float ly, bool red)
{
    const int glass_near = red ? COLOUR_LIGHT_RED : COLOUR_LIGHT_BLUE;
    const int glass_far = ramp_colour(red ? RAMP_WINE : RAMP_BLUE, 7);
    for (int y = 0; y < f.length; ++y) {
        for (int x = f.bx0; x <= f.bx1; ++x) {
            float d = std::hypot(x + 0.5f - lx, (y + 0.5f - ly) * 0.8f);
            if (d > 12.0f) continue;
            int c = getpixel(b, x, y);
            bool roof = c >= ramp_colour(RAMP_GREY, 0) && c <= ramp_colour(RAMP_GREY, 15);
            bool glass = c == COLOUR_GLASS || c == COLOUR_GLASS_DARK || c == COLOUR_GLASS_SHINE;
            // deepest at the lamp, paling out, the last of it a dither over the paint
            int shade = d < 4.0f ? 3 : (d < 7.0f ? 2 : (d < 10.0f ? 1 : 0));
            if (d > 9.0f && dither_threshold(x, y) < (d - 9.0f) / 3.0f) continue;
            if (roof)
                putpixel(b, x, y, ramp_colour(red ? RAMP_WINE : RAMP_SKY, shade));
            else if (glass && d < 9.0f)
                putpixel(b, x, y, d < 5.0f ? glass_near : glass_far);
        }
    }
}

void draw_light_bar(BITMAP *b, const car_frame &f, int lit)
{
    int cx = (f.bx0 + f.bx1) / 2, y = f.roof_top + f.m->roof / 2 - 1;
    if (lit == 1) light_spill(b, f, (f.gx0 + cx) / 2.0f + 0.5f, y + 1.0f, true);
    if (lit == 2) light_spill(b, f, (cx + f.gx1) / 2.0f + 1.0f, y + 1.0f, false);
    rectfill(b, f.gx0 + 1, y - 1, f.gx1 - 1, y + 2, COLOUR_OUTLINE);
    int red = lit == 1 ? COLOUR_LIGHT_RED : ramp_colour(RAMP_WINE, 10);
    int blue = lit == 2 ? COLOUR_LIGHT_BLUE : ramp_colour(RAMP_BLUE, 12);
    rectfill(b, f.gx0 + 2, y, cx - 1, y + 1, red);
    rectfill(b, cx + 1, y, f.gx1 - 2, y + 1, blue);
    if (lit == 1) rectfill(b, f.gx0 + 4, y, cx - 3, y + 1, COLOUR_SPARK);
    if (lit == 2) rectfill(b, cx + 3, y, f.gx1 - 4, y + 1, COLOUR_SPARK);
}

void draw_police_livery(BITMAP *b, const car_frame &f)
{
    // black bonnet and boot, white doors and roof
    for (int y = 0; y < f.length; ++y) {
        bool dark = y < f.screen_top || y >= f.cabin_end;
        if (!dark) continue;
        for (int x = f.bx0; x <= f.bx1; ++x) {
            int c = getpixel(b, x, y);
            if (c >= ramp_colour(RAMP_GREY, 0) && c <= ramp_colour(RAMP_GREY, 15))
                putpixel(b, x, y, ramp_colour(RAMP_SLATE, c - ramp_colour(RAMP_GREY, 0) + 9));
        }
    }
}

void draw_cargo_bed(BITMAP *b, const car_frame &f)
{
    int y0 = f.cabin_end + 1, y1 = f.length - 4;
    rectfill(b, f.bx0 + 2, y0, f.bx1 - 2, y1, ramp_colour(RAMP_GREY, 11));
    for (int x = f.bx0 + 4; x < f.bx1 - 2; x += 3)
        vline(b, x, y0 + 1, y1, ramp_colour(RAMP_GREY, 9));
    // a wooden crate in the bed
    int cx = f.bx0 + 5, cy = y0 + 4;
    rectfill(b, cx, cy, cx + 8, cy + 7, ramp_colour(RAMP_BROWN, 4));
    rect(b, cx, cy, cx + 8, cy + 7, ramp_colour(RAMP_BROWN, 9));
    line(b, cx, cy, cx + 8, cy + 7, ramp_colour(RAMP_BROWN, 7));
    hline(b, f.bx0 + 2, y1 + 1, f.bx1 - 2, body_shade(f, f.bx0 + 6, y1 + 1, 1.5f));  // tailgate
}

void draw_open_cabin(BITMAP *b, const car_frame &f)
{
    int y0 = f.roof_top, y1 = f.roof_end + 4;
    rectfill(b, f.gx0, y0, f.gx1, y1, ramp_colour(RAMP_GREY, 12));
    int seat = ramp_colour(RAMP_BROWN, 6), seat_edge = ramp_colour(RAMP_BROWN, 9);
    int mid = (f.gx0 + f.gx1) / 2;
    // two front seats and a rear bench
    rectfill(b, f.gx0 + 1, y0 + 3, mid - 1, y0 + 7, seat);
    rectfill(b, mid + 1, y0 + 3, f.gx1 - 1, y0 + 7, seat);
    hline(b, f.gx0 + 1, y0 + 7, f.gx1 - 1, seat_edge);
    rectfill(b, f.gx0 + 1, y0 + 11, f.gx1 - 1, y0 + 15, seat);
    hline(b, f.gx0 + 1, y0 + 15, f.gx1 - 1, seat_edge);
    // the steering wheel in front of the driver
    circle(b, (f.gx0 + mid) / 2, y0 + 1, 2, COLOUR_GUNMETAL);
    // the folded hood behind the cabin
    rectfill(b, f.gx0, y1 + 1, f.gx1, y1 + 3, ramp_colour(RAMP_GREY, 13));
    hline(b, f.gx0, y1 + 2, f.gx1, ramp_colour(RAMP_GREY, 11));
}

void draw_box_body(BITMAP *b, const car_frame &f)
{
    // the truck's cargo box: a flat panelled roof behind the cab
    int y0 = f.roof_end + 1;
    hline(b, f.bx0, y0 - 1, f.bx1, COLOUR_OUTLINE);
    for (int y = y0; y < f.length - 1; ++y)
        for (int x = f.bx0; x <= f.bx1; ++x) putpixel(b, x, y, body_shade(f, x, y, 3.0f));
    for (int y = y0 + 5; y < f.length - 3; y += 6)
        hline(b, f.bx0 + 1, y, f.bx1 - 1, body_shade(f, f.bx0 + 4, y, 1.0f));
    rect(b, f.bx0, y0, f.bx1, f.length - 1, body_shade(f, f.bx0, y0, -1.0f));
    rectfill(b, f.bx0 + 2, f.length - 3, f.bx0 + 4, f.length - 2, COLOUR_LIGHT_RED);
    rectfill(b, f.bx1 - 4, f.length - 3, f.bx1 - 2, f.length - 2, COLOUR_LIGHT_RED);
}

void draw_features(BITMAP *b, const car_frame &f, int siren)
{
    const car_model &m = *f.m;
    int cx = (f.bx0 + f.bx1) / 2;
    switch (m.kind) {
    case car_kind::sports:
        draw_stripes(b, f, COLOUR_LINE_WHITE);
        rectfill(b, f.bx0 + 1, f.length - 7, f.bx1 - 1, f.length - 6, COLOUR_GUNMETAL);  // wing
        break;
    case car_kind::muscle:
        draw_stripes(b, f, COLOUR_OUTLINE);
        rectfill(b, cx - 3, 6, cx + 4, 11, COLOUR_GUNMETAL);  // bonnet scoop
        hline(b, cx - 2, 7, cx + 3, COLOUR_OUTLINE);
        break;
    case car_kind::van:
        for (int y = f.roof_top + 4; y < f.length - 3; y += 5)
            hline(b, f.gx0 + 2, y, f.gx1 - 2, body_shade(f, f.gx0 + 3, y, 0.8f));
        vline(b, cx, f.length - 10, f.length - 2, body_shade(f, cx, f.length - 5, -2.0f));
        break;
    case car_kind::estate:
        vline(b, f.gx0 + 2, f.roof_top + 2, f.roof_end - 3, COLOUR_GUNMETAL);  // roof rails
        vline(b, f.gx1 - 2, f.roof_top + 2, f.roof_end - 3, COLOUR_GUNMETAL);
        break;
    case car_kind::hatchback:
        hline(b, f.gx0, f.roof_end, f.gx1, COLOUR_GUNMETAL);  // spoiler over the hatch glass
        break;
    case car_kind::taxi:
        rectfill(b, cx - 5, f.roof_top + 5, cx + 6, f.roof_top + 8, COLOUR_LINE_YELLOW);
        rect(b, cx - 5, f.roof_top + 5, cx + 6, f.roof_top + 8, COLOUR_OUTLINE);
        for (int x = cx - 3; x <= cx + 4; x += 2) putpixel(b, x, f.roof_top + 6, COLOUR_OUTLINE);
        break;
    case car_kind::limousine:
        rectfill(b, f.gx0 + 4, f.roof_top + 12, f.gx1 - 4, f.roof_top + 18, COLOUR_GLASS);
        for (int y : {f.roof_top + 9, f.roof_top + 22})
            hline(b, f.gx0, y, f.gx1, body_shade(f, f.gx0, y, 0));
        break;
    case car_kind::compact:
        rectfill(b, f.gx0 + 3, f.roof_top + 3, f.gx1 - 3, f.roof_end - 4,
                 ramp_colour(RAMP_GREY, 11));
        hline(b, f.gx0 + 3, f.roof_top + 6, f.gx1 - 3, ramp_colour(RAMP_GREY, 13));  // canvas top
        break;
    case car_kind::pickup: draw_cargo_bed(b, f); break;
    case car_kind::convertible: draw_open_cabin(b, f); break;
    case car_kind::truck: draw_box_body(b, f); break;
    case car_kind::police:
        draw_police_livery(b, f);
        draw_light_bar(b, f, siren);
        break;
    default: break;
    }
}

// The driver's door swung open on the left: the door slab angled out from its front hinge and
// the dark cabin floor showing where it was.
void open_left_door(BITMAP *b, const car_frame &f)
{
    int d0 = f.screen_top + 1, d1 = std::min(f.roof_top + 12, f.roof_end);
    if (f.m->kind == car_kind::truck) d0 = f.screen_top, d1 = f.roof_end;
    rectfill(b, f.bx0, d0 + 1, f.gx0, d1 - 1, ramp_colour(RAMP_GREY, 12));
    vline(b, f.gx0 - 1, d0 + 2, d1 - 2, ramp_colour(RAMP_BROWN, 8));  // seat edge
    float len = static_cast<float>(d1 - d0);
    float out = CAR_MARGIN - 0.5f;
    float hinge_x = f.bx0 + 0.5f, hinge_y = d0 + 0.5f;
    float ex = hinge_x - out, ey = hinge_y + std::sqrt(std::max(1.0f, len * len - out * out));
    thick_line(b, hinge_x, hinge_y, ex, ey, 2.2f, body_shade(f, f.bx0, d0, -0.5f));
    line(b, std::lround(hinge_x) + 1, std::lround(hinge_y) + 1, std::lround(ex) + 1,
         std::lround(ey), ramp_colour(RAMP_GREY, 11));
}

picture draw_car(const car_model &m, bool door_open, int siren)
{
    car_frame f = frame_of(m);
    picture p = new_picture(m.body_w + 2 * CAR_MARGIN, m.body_l);
    BITMAP *b = p.get();
    draw_tyres(b, f);
    draw_body(b, f);
    draw_lights(b, f);
    draw_glasshouse(b, f);
    draw_features(b, f, siren);
    if (door_open) open_left_door(b, f);
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

}  // namespace

int car_model_named(const char *name)
{
    for (int i = 0; i < CAR_MODEL_COUNT; ++i)
        if (std::strcmp(car_models[i].name, name) == 0) return i;
    return 0;
}

picture make_car_picture(int model, bool door_open)
{
    return draw_car(car_models[clamp_int(model, 0, CAR_MODEL_COUNT - 1)], door_open, 0);
}

picture make_police_car_picture(int siren, bool door_open)
{
    return draw_car(car_models[car_model_named("police")], door_open, siren);
}
