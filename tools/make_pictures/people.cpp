// The people of the city seen from straight above, facing up: the crown of the head, the
// shoulders, arms that swing beside them and feet that step out in front and behind. Clothes
// of passers-by are in the paint ramp, so a street of them varies; policemen keep their navy
// uniform and the skidrunner his yellow racing jacket, which nobody else wears.
//
// Every picture is 24 x 24 with the body's centre on the picture's centre, so a person turns on
// the spot. That is as big as a person can be here: 24 wide keeps the side test points of
// someone stepping out of a car clear of its open door, 24 long keeps a driver thrown out
// lying clear of his own car, and the shooting pose keeps its gun within 9 px of the centre so
// that a shot, a flame or a rocket leaves the shooter without touching him.
#include "game_palette.h"
#include "pictures.h"

#include <cmath>

namespace {

constexpr int SIZE = 24;
constexpr float CX = SIZE / 2.0f, CY = SIZE / 2.0f;

enum class hair_style { short_cut, long_hair, bald, police_cap, spiky, bun, hood, hat };
enum class extra { none, backpack, shoulder_bag, radio, guitar };

struct body_build {
    float shoulder_rx, shoulder_ry;  // half width and half depth of the shoulders
    float head_r;
    float arm_r;   // half thickness of an arm
    float hip;     // how far each leg is from the middle
};

struct outfit {
    int top_ramp;
    float top_base;  // middle shade of the top; sleeves are a shade darker
    int sleeve_ramp;
    float sleeve_base;
    int legs_colour, shoe_colour, skin, hair_colour, hair_light;
    hair_style hair;
    extra carried;
};

// How a figure moves: how far the feet reach at a full stride and how the arms swing.
struct gait {
    float stride, arm_swing;
    bool runs;  // elbows bent, arms pumping
};

struct figure_style {
    body_build body;
    outfit clothes;
    gait walk;
};

constexpr int skin(int shade) { return ramp_colour(RAMP_SKIN, shade); }

// The four figures the templates use, in the order of figure_name.
const figure_style figures[] = {
    // the policeman: broad, navy uniform, peaked cap, a radio on his shoulder
    {{7.4f, 4.0f, 3.5f, 1.55f, 2.7f},
     {RAMP_BLUE, 8.0f, RAMP_BLUE, 9.0f, ramp_colour(RAMP_BLUE, 12), ramp_colour(RAMP_GREY, 10),
      skin(9), ramp_colour(RAMP_BLUE, 11), ramp_colour(RAMP_BLUE, 8), hair_style::police_cap,
      extra::radio},
     {8.0f, 4.0f, true}},
    // the stroller: slight, long fair hair, a shoulder bag
    {{6.2f, 3.5f, 3.4f, 1.3f, 2.2f},
     {RAMP_PAINT, 4.0f, RAMP_PAINT, 5.0f, ramp_colour(RAMP_SLATE, 11), ramp_colour(RAMP_WINE, 9),
      skin(3), ramp_colour(RAMP_GOLD, 5), ramp_colour(RAMP_GOLD, 2), hair_style::long_hair,
      extra::shoulder_bag},
     {6.0f, 3.5f, false}},
    // the pedestrian: an ordinary man in a jacket and jeans
    {{7.0f, 3.8f, 3.5f, 1.4f, 2.5f},
     {RAMP_PAINT, 5.5f, RAMP_PAINT, 6.5f, ramp_colour(RAMP_BLUE, 8), ramp_colour(RAMP_BROWN, 9),
      skin(5), ramp_colour(RAMP_BROWN, 11), ramp_colour(RAMP_BROWN, 8), hair_style::short_cut,
      extra::none},
     {7.0f, 3.0f, false}},
    // the skidrunner: a yellow racing jacket with black sleeves, spiky hair, a backpack
    {{7.2f, 3.8f, 3.5f, 1.45f, 2.6f},
     {-1, 0.0f, RAMP_GREY, 12.5f, ramp_colour(RAMP_SLATE, 12), ramp_colour(RAMP_GREY, 5), skin(4),
      COLOUR_OUTLINE, COLOUR_GUNMETAL, hair_style::spiky, extra::backpack},
     {8.5f, 4.5f, true}},
};
constexpr int FIGURE_COUNT = sizeof(figures) / sizeof(figures[0]);

// ---- shapes -----------------------------------------------------------------------------

// A shaded ellipse turned by `tilt` radians: darker toward its rim (a rounded top lit from
// above, which reads the same at any heading), a touch lighter toward the front.
void shaded_ellipse(BITMAP *b, float cx, float cy, float rx, float ry, float tilt, int ramp,
                    float base, float rim = 2.5f)
{
    float c = std::cos(tilt), s = std::sin(tilt), r = std::fmax(rx, ry) + 1;
    for (int y = static_cast<int>(cy - r); y <= cy + r; ++y) {
        for (int x = static_cast<int>(cx - r); x <= cx + r; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float u = (dx * c + dy * s) / rx, v = (-dx * s + dy * c) / ry;
            float d = u * u + v * v;
            if (d > 1.0f) continue;
            float shade = base + rim * smooth_step(0.35f, 1.0f, d) + 0.6f * v;
            putpixel(b, x, y, ramp_colour(ramp, static_cast<int>(std::lround(shade))));
        }
    }
}

void flat_ellipse(BITMAP *b, float cx, float cy, float rx, float ry, int colour)
{
    for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y) {
        for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
            float u = (x + 0.5f - cx) / rx, v = (y + 0.5f - cy) / ry;
            if (u * u + v * v <= 1.0f) putpixel(b, x, y, colour);
        }
    }
}

// A rounded limb from (x0, y0) to (x1, y1), `r` thick on each side, shaded across its width.
void limb(BITMAP *b, float x0, float y0, float x1, float y1, float r, int ramp, float base)
{
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    int xa = static_cast<int>(std::fmin(x0, x1) - r - 1);
    int xb = static_cast<int>(std::fmax(x0, x1) + r + 1);
    int ya = static_cast<int>(std::fmin(y0, y1) - r - 1);
    int yb = static_cast<int>(std::fmax(y0, y1) + r + 1);
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? std::fmin(1.0f, std::fmax(0.0f, (px * dx + py * dy) / len2)) : 0;
            float ex = px - t * dx, ey = py - t * dy, d = std::sqrt(ex * ex + ey * ey) / r;
            if (d > 1.0f) continue;
            int c = ramp < 0 ? static_cast<int>(base)
                             : ramp_colour(ramp, std::lround(base + 2 * d * d));
            putpixel(b, x, y, c);
        }
    }
}

void flat_limb(BITMAP *b, float x0, float y0, float x1, float y1, float r, int colour)
{
    limb(b, x0, y0, x1, y1, r, -1, static_cast<float>(colour));
}

// The top of the body in its own colours. The skidrunner's jacket is in the fixed yellows,
// which no recolouring reaches.
void torso(BITMAP *b, const figure_style &f, float cx, float cy, float rx, float ry, float tilt)
{
    if (f.clothes.top_ramp >= 0) {
        shaded_ellipse(b, cx, cy, rx + 0.6f, ry + 0.6f, tilt, f.clothes.top_ramp,
                       f.clothes.top_base + 5);  // a dark seam where the arms meet it
        shaded_ellipse(b, cx, cy, rx, ry, tilt, f.clothes.top_ramp, f.clothes.top_base);
        return;
    }
    flat_ellipse(b, cx, cy, rx + 0.6f, ry + 0.6f, COLOUR_GUNMETAL);
    float c = std::cos(tilt), s = std::sin(tilt);
    for (int y = static_cast<int>(cy - rx - 1); y <= cy + rx + 1; ++y) {
        for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float u = (dx * c + dy * s) / rx, v = (-dx * s + dy * c) / ry;
            float d = u * u + v * v;
            if (d > 1.0f) continue;
            putpixel(b, x, y, d > 0.72f ? COLOUR_AMBER : COLOUR_LINE_YELLOW);
        }
    }
}

// ---- heads ------------------------------------------------------------------------------

void head(BITMAP *b, const figure_style &f, float cx, float cy)
{
    const outfit &o = f.clothes;
    const float r = f.body.head_r;
    flat_ellipse(b, cx, cy, r + 0.7f, r + 0.7f, COLOUR_OUTLINE);
    switch (o.hair) {
    case hair_style::bald:
        flat_ellipse(b, cx, cy, r, r, o.skin);
        flat_ellipse(b, cx - 0.8f, cy - 0.8f, r * 0.45f, r * 0.45f, ramp_colour(RAMP_SKIN, 1));
        break;
    case hair_style::police_cap:  // the crown, a black peak at the front and the badge
        flat_ellipse(b, cx, cy - r + 0.6f, r * 0.75f, 1.3f, COLOUR_OUTLINE);
        flat_ellipse(b, cx, cy + 0.3f, r, r * 0.95f, o.hair_colour);
        flat_ellipse(b, cx - 0.7f, cy - 0.2f, r * 0.5f, r * 0.45f, o.hair_light);
        putpixel(b, std::lround(cx) - 1, std::lround(cy - r) + 1, ramp_colour(RAMP_GOLD, 2));
        putpixel(b, std::lround(cx), std::lround(cy - r) + 1, ramp_colour(RAMP_GOLD, 4));
        break;
    case hair_style::hat:  // a brimmed hat hides the head
        flat_ellipse(b, cx, cy, r + 1.6f, r + 1.6f, COLOUR_OUTLINE);
        flat_ellipse(b, cx, cy, r + 1.1f, r + 1.1f, o.hair_colour);
        flat_ellipse(b, cx, cy, r - 0.6f, r - 0.6f, o.hair_light);
        hline(b, std::lround(cx - r + 1), std::lround(cy), std::lround(cx + r - 2), o.hair_colour);
        break;
    case hair_style::hood:  // a hood up, in the colour of the top, open at the face
        shaded_ellipse(b, cx, cy + 0.3f, r + 0.5f, r + 0.3f, 0, o.top_ramp, o.top_base + 2);
        flat_ellipse(b, cx, cy - r + 0.7f, r * 0.55f, 0.9f, COLOUR_OUTLINE);
        break;
    default:
        flat_ellipse(b, cx, cy, r, r, o.skin);  // the brow shows in front of the hair
        flat_ellipse(b, cx, cy + 0.8f, r, r * 0.9f, o.hair_colour);
        flat_ellipse(b, cx - 0.8f, cy + 0.2f, r * 0.4f, r * 0.4f, o.hair_light);
        break;
    }
    if (o.hair == hair_style::spiky) {  // tufts breaking the round of the head
        const float tufts[][2] = {{-1.0f, -0.2f}, {1.0f, 0.1f}, {-0.3f, 1.0f}, {0.7f, 0.8f},
                                  {-0.8f, 0.7f}};
        for (const auto &t : tufts)
            putpixel(b, std::lround(cx + t[0] * (r + 0.6f) - 0.5f),
                     std::lround(cy + t[1] * (r + 0.6f) - 0.5f), COLOUR_OUTLINE);
        putpixel(b, std::lround(cx) - 2, std::lround(cy), COLOUR_GUNMETAL);
        putpixel(b, std::lround(cx) + 1, std::lround(cy) + 1, COLOUR_GUNMETAL);
    }
    if (o.hair == hair_style::bun)  // hair gathered in a knot at the back
        flat_ellipse(b, cx, cy + r, 1.6f, 1.4f, o.hair_colour);
}

// Long hair falls over the back of the shoulders: drawn before the head, after the torso.
void hair_down_the_back(BITMAP *b, const figure_style &f, float cx, float cy)
{
    if (f.clothes.hair != hair_style::long_hair) return;
    float r = f.body.head_r;
    flat_ellipse(b, cx, cy + 2.2f, r - 0.3f, r - 0.1f, COLOUR_OUTLINE);
    flat_ellipse(b, cx, cy + 1.9f, r - 1.0f, r - 0.8f, f.clothes.hair_colour);
}

// ---- what people carry ------------------------------------------------------------------

void carried_before_torso(BITMAP *b, const figure_style &f, float cx, float cy)
{
    const body_build &bb = f.body;
    if (f.clothes.carried == extra::backpack) {
        // a pack on the back, behind the shoulders; in paint, so runners vary
        const int top = std::lround(cy + bb.shoulder_ry - 2.0f), bottom = top + 5;
        const int left = std::lround(cx - 3.5f), right = std::lround(cx + 2.5f);
        fill_rounded_rect(b, left - 1, top - 1, right + 1, bottom + 1, 2, COLOUR_OUTLINE);
        fill_rounded_rect(b, left, top, right, bottom, 2, paint(6));
        hline(b, left + 1, bottom - 2, right - 1, paint(9));  // the flap
        hline(b, left + 1, top + 1, right - 1, paint(4));
        putpixel(b, (left + right) / 2, bottom - 1, COLOUR_GUNMETAL);  // its buckle
    }
}

void carried_after_torso(BITMAP *b, const figure_style &f, float cx, float cy, float tilt)
{
    const body_build &bb = f.body;
    switch (f.clothes.carried) {
    case extra::shoulder_bag: {  // a strap across the chest and the bag at the right hip
        int strap = ramp_colour(RAMP_BROWN, 10);
        line(b, std::lround(cx - bb.shoulder_rx * 0.55f), std::lround(cy - 2),
             std::lround(cx + bb.shoulder_rx * 0.5f), std::lround(cy + 2), strap);
        float bx = cx + bb.shoulder_rx + 1.2f, by = cy + 2.2f - tilt * 8;
        fill_rounded_rect(b, std::lround(bx - 1.5f), std::lround(by - 2), std::lround(bx + 1.5f),
                          std::lround(by + 2), 1, ramp_colour(RAMP_BROWN, 6));
        putpixel(b, std::lround(bx - 1), std::lround(by - 1), ramp_colour(RAMP_BROWN, 3));
        break;
    }
    case extra::radio:  // a black radio clipped to the left shoulder, a silver epaulette each side
        rectfill(b, std::lround(cx - bb.shoulder_rx + 1.5f), std::lround(cy - 2.0f),
                 std::lround(cx - bb.shoulder_rx + 2.5f), std::lround(cy - 0.5f), COLOUR_OUTLINE);
        for (float side : {-1.0f, 1.0f})
            putpixel(b, std::lround(cx + side * (bb.shoulder_rx - 1.6f) - 0.5f),
                     std::lround(cy + 0.5f), ramp_colour(RAMP_GREY, 3));
        break;
    case extra::guitar: {  // slung across the front: the body at the right, the neck to the left
        const float gy = cy - bb.shoulder_ry - 0.5f;
        flat_ellipse(b, cx + 2.5f, gy, 3.0f, 2.0f, COLOUR_OUTLINE);
        flat_ellipse(b, cx + 2.5f, gy, 2.3f, 1.4f, ramp_colour(RAMP_BROWN, 5));
        putpixel(b, std::lround(cx + 2), std::lround(cy - bb.shoulder_ry - 1), COLOUR_OUTLINE);
        line(b, std::lround(cx), std::lround(cy - bb.shoulder_ry - 1), std::lround(cx - 6),
             std::lround(cy - bb.shoulder_ry - 2), ramp_colour(RAMP_BROWN, 11));
        break;
    }
    default: break;
    }
}

// ---- poses ------------------------------------------------------------------------------

// Where the feet and hands are, forward negative, as offsets from the shoulder line; `twist`
// turns the shoulders with the swing of the arms.
struct limbs {
    float left_foot, right_foot, left_hand, right_hand, twist;
};

limbs limbs_for(const gait &g, float depth, int pose)
{
    // at half stride the shoe just clears the shoulders, so a foot never peeps out beside the
    // head
    const float full = g.stride, half = std::fmax(g.stride * 0.55f, depth + 1.6f);
    const float arm = g.arm_swing;
    switch (pose) {
    case POSE_STEP_A_HALF: return {-half, half, arm * 0.5f, -arm * 0.5f, 0.05f};
    case POSE_STEP_A_FULL: return {-full, full * 0.85f, arm, -arm, 0.10f};
    case POSE_STEP_B_HALF: return {half, -half, -arm * 0.5f, arm * 0.5f, -0.05f};
    case POSE_STEP_B_FULL: return {full * 0.85f, -full, -arm, arm, -0.10f};
    case POSE_SHOOT: return {-2.5f, 2.0f, 0, 0, 0};
    default: return {-0.5f, 0.5f, 0.3f, 0.3f, 0};  // passing: feet under the body
    }
}

void leg(BITMAP *b, const figure_style &f, float x, float offset)
{
    const outfit &o = f.clothes;
    if (std::fabs(offset) < 2.0f) return;  // under the body, out of sight
    float toe = offset < 0 ? -1.5f : 1.0f;
    flat_limb(b, x, CY, x, CY + offset, 1.4f, o.legs_colour);
    flat_limb(b, x, CY + offset, x, CY + offset + toe, 1.4f, o.shoe_colour);
}

void arm(BITMAP *b, const figure_style &f, float side, float swing, float twist, bool runs)
{
    const body_build &bb = f.body;
    const outfit &o = f.clothes;
    float sx = CX + side * (bb.shoulder_rx - 0.8f), sy = CY - side * twist * bb.shoulder_rx;
    float hx = CX + side * (bb.shoulder_rx + 0.7f), hy = CY + 0.4f - swing;
    if (runs) {  // elbows bent: the hands pump in close to the body
        float ex = CX + side * (bb.shoulder_rx + 1.0f), ey = CY + 0.8f + swing * 0.4f;
        hx = CX + side * (bb.shoulder_rx - 1.0f);
        hy = CY - swing * 0.9f;
        limb(b, sx, sy, ex, ey, bb.arm_r, o.sleeve_ramp, o.sleeve_base);
        limb(b, ex, ey, hx, hy, bb.arm_r * 0.9f, o.sleeve_ramp, o.sleeve_base);
    } else {
        limb(b, sx, sy, hx, hy, bb.arm_r, o.sleeve_ramp, o.sleeve_base);
    }
    flat_ellipse(b, hx, hy - (swing > 0 ? 0.6f : 0.0f), 1.1f, 1.1f, o.skin);
}

// Both hands forward round a pistol: the muzzle ends 9 px ahead of the centre.
void shooting_arms(BITMAP *b, const figure_style &f)
{
    const body_build &bb = f.body;
    const outfit &o = f.clothes;
    for (float side : {-1.0f, 1.0f})
        limb(b, CX + side * (bb.shoulder_rx - 1.2f), CY, CX + side * 0.9f, CY - 6.0f, bb.arm_r,
             o.sleeve_ramp, o.sleeve_base);
    flat_ellipse(b, CX, CY - 6.2f, 1.6f, 1.1f, o.skin);
    rectfill(b, std::lround(CX) - 1, std::lround(CY) - 9, std::lround(CX), std::lround(CY) - 7,
             COLOUR_GUNMETAL);
    putpixel(b, std::lround(CX) - 1, std::lround(CY) - 9, COLOUR_OUTLINE);
}

picture upright(const figure_style &f, int pose)
{
    picture p = new_picture(SIZE, SIZE);
    BITMAP *b = p.get();
    const body_build &bb = f.body;
    const limbs l = limbs_for(f.walk, bb.shoulder_ry, pose);
    leg(b, f, CX - bb.hip, l.left_foot);
    leg(b, f, CX + bb.hip, l.right_foot);
    carried_before_torso(b, f, CX, CY);
    if (pose == POSE_SHOOT) {
        shooting_arms(b, f);
    } else {
        arm(b, f, -1, l.left_hand, l.twist, f.walk.runs);
        arm(b, f, 1, l.right_hand, l.twist, f.walk.runs);
    }
    torso(b, f, CX, CY, bb.shoulder_rx, bb.shoulder_ry, l.twist);
    carried_after_torso(b, f, CX, CY, l.twist);
    hair_down_the_back(b, f, CX, CY - 0.8f);
    head(b, f, CX, CY - 0.8f);
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

// A body laid out across the picture at a slant, so it can be as long as a person lying is:
// `u` runs down the body from the head, `v` across it to the body's right.
struct slant {
    float ax, ay, nx, ny;  // the body's axis and its across, each scaled to fit the picture
    float x(float u, float v) const { return CX + u * ax + v * nx; }
    float y(float u, float v) const { return CY + u * ay + v * ny; }
    float across() const { return std::atan2(ny, nx); }
};

slant slant_of(float radians)
{
    constexpr float k = 0.9f;  // a sprawl spans more than a standing body: keep it inside
    return {k * std::sin(radians), k * std::cos(radians), k * std::cos(radians),
            -k * std::sin(radians)};
}

// The body of someone off their feet, drawn along a slant: the back of the head with its ears,
// the back, two arms and two legs, each limb given by its joints in (u, v).
struct sprawl {
    float arm_left[6], arm_right[6];  // shoulder, elbow, hand
    float leg_left[6], leg_right[6];  // hip, knee, foot
    float head_u, shoulders_u, hips_u;
    bool one_ear;  // the head turned to lie on its cheek
};

void back_of_head(BITMAP *b, const figure_style &f, const slant &s, float u, bool one_ear)
{
    const outfit &o = f.clothes;
    const float r = f.body.head_r;
    float hx = s.x(u, 0), hy = s.y(u, 0);
    for (float side : {-1.0f, 1.0f}) {  // ears, or an ear and a cheek
        if (one_ear && side < 0) continue;
        float ex = s.x(u + 0.3f, side * (r + 0.3f)), ey = s.y(u + 0.3f, side * (r + 0.3f));
        flat_ellipse(b, ex, ey, 1.5f, 1.5f, COLOUR_OUTLINE);
        flat_ellipse(b, ex, ey, 0.9f, 0.9f, o.skin);
    }
    if (o.hair == hair_style::long_hair)
        flat_limb(b, hx, hy, s.x(u + 3.5f, 0.8f), s.y(u + 3.5f, 0.8f), r - 0.5f, o.hair_colour);
    flat_ellipse(b, hx, hy, r + 0.7f, r + 0.7f, COLOUR_OUTLINE);
    int crown = o.hair_colour, light = o.hair_light;
    if (o.hair == hair_style::bald) crown = o.skin, light = ramp_colour(RAMP_SKIN, 1);
    if (o.hair == hair_style::hood) crown = light = ramp_colour(o.top_ramp, 7);
    if (o.hair == hair_style::police_cap && one_ear)  // the cap is off: short dark hair
        crown = ramp_colour(RAMP_BROWN, 12), light = ramp_colour(RAMP_BROWN, 9);
    flat_ellipse(b, hx, hy, r, r, crown);
    flat_ellipse(b, hx - 0.7f, hy - 0.7f, r * 0.4f, r * 0.4f, light);
    if (one_ear) {  // the side of the face against the ground
        float cx = s.x(u - 0.6f, r - 0.9f), cy = s.y(u - 0.6f, r - 0.9f);
        flat_ellipse(b, cx, cy, 1.2f, 1.6f, o.skin);
    }
}

// The back of someone lying or flung flat: broad at the shoulders, narrowing to the hips.
void back(BITMAP *b, const figure_style &f, const slant &s, float u0, float u1)
{
    const outfit &o = f.clothes;
    const float wide = f.body.shoulder_rx * 0.85f, narrow = f.body.hip + 1.6f;
    for (int y = 0; y < b->h; ++y) {
        for (int x = 0; x < b->w; ++x) {
            float px = x + 0.5f - CX, py = y + 0.5f - CY;
            float k2 = s.ax * s.ax + s.ay * s.ay;  // back to the body's own units
            float u = (px * s.ax + py * s.ay) / k2, v = (px * s.nx + py * s.ny) / k2;
            float t = (u - u0) / (u1 - u0);
            if (t < -0.35f || t > 1.25f) continue;
            float tc = std::fmin(1.0f, std::fmax(0.0f, t));
            float r = wide + (narrow - wide) * tc;
            // rounded at both ends
            float over = t < 0 ? -t * (u1 - u0) : (t > 1 ? (t - 1) * (u1 - u0) : 0.0f);
            float d = std::sqrt(v * v + over * over * 2.2f) / r;
            if (d > 1.0f) continue;
            int colour;
            if (o.top_ramp >= 0) {
                float shade = o.top_base + 2.5f * smooth_step(0.45f, 1.0f, d) + 1.2f * t;
                colour = ramp_colour(o.top_ramp, std::lround(shade));
            } else {
                colour = d > 0.75f ? COLOUR_AMBER : COLOUR_LINE_YELLOW;
            }
            putpixel(b, x, y, colour);
        }
    }
}

void draw_sprawl(BITMAP *b, const figure_style &f, const slant &s, const sprawl &w)
{
    const body_build &bb = f.body;
    const outfit &o = f.clothes;
    auto x = [&](const float *j) { return s.x(j[0], j[1]); };
    auto y = [&](const float *j) { return s.y(j[0], j[1]); };
    for (const float *l : {w.leg_left, w.leg_right}) {
        flat_limb(b, x(l), y(l), x(l + 2), y(l + 2), 1.5f, o.legs_colour);
        flat_limb(b, x(l + 2), y(l + 2), x(l + 4), y(l + 4), 1.4f, o.legs_colour);
        float fx = x(l + 4), fy = y(l + 4);
        flat_ellipse(b, fx, fy, 1.5f, 1.5f, o.shoe_colour);
    }
    for (const float *a : {w.arm_left, w.arm_right}) {
        limb(b, x(a), y(a), x(a + 2), y(a + 2), bb.arm_r, o.sleeve_ramp, o.sleeve_base);
        limb(b, x(a + 2), y(a + 2), x(a + 4), y(a + 4), bb.arm_r * 0.9f, o.sleeve_ramp,
             o.sleeve_base);
        flat_ellipse(b, x(a + 4), y(a + 4), 1.2f, 1.2f, o.skin);
    }
    back(b, f, s, w.shoulders_u, w.hips_u);
    if (o.carried == extra::backpack) {  // the pack still on the back
        float u0 = w.shoulders_u + 1.5f, u1 = w.hips_u - 1.0f;
        flat_limb(b, s.x(u0, 0), s.y(u0, 0), s.x(u1, 0), s.y(u1, 0), 2.4f, paint(10));
        flat_limb(b, s.x(u0, 0), s.y(u0, 0), s.x(u1, 0), s.y(u1, 0), 1.7f, paint(6));
        flat_limb(b, s.x(u1, 0), s.y(u1, 0), s.x(u1, 0), s.y(u1, 0), 1.0f, paint(9));
    }
    back_of_head(b, f, s, w.head_u, w.one_ear);
}

// The figure's dark shadow on the ground below and behind it, every other pixel, where the
// picture is still empty: a body up in the air.
void shadow_under(BITMAP *b, int dx, int dy)
{
    picture body = copy_picture(b);
    for (int y = 0; y < b->h; ++y) {
        for (int x = 0; x < b->w; ++x) {
            bool under = is_ink(body.get(), x - dx, y - dy) && !is_ink(body.get(), x, y);
            if (under && (x + y) % 2 == 0) putpixel(b, x, y, COLOUR_OUTLINE);
        }
    }
}

// Knocked off the feet and tumbling, seen from above: the body flat in the air over its
// shadow, its back and the back of its head showing, limbs flung every way.
picture struck(const figure_style &f)
{
    picture p = new_picture(SIZE, SIZE);
    const body_build &bb = f.body;
    const float rx = bb.shoulder_rx, hip = bb.hip;
    // arms out like wings, bent back at the elbows; legs apart, bent at the knees
    const sprawl w{{-5.0f, -rx + 1, -4.5f, -rx - 2.5f, -1.5f, -rx - 3.5f},
                   {-5.0f, rx - 1, -5.5f, rx + 2.5f, -2.5f, rx + 3.8f},
                   {1.5f, -hip, 4.8f, -hip - 2.0f, 8.0f, -hip - 2.5f},
                   {1.5f, hip, 4.5f, hip + 2.0f, 7.6f, hip + 3.2f},
                   -8.0f, -4.8f, 2.0f, false};
    draw_sprawl(p.get(), f, slant_of(-0.3f), w);
    outline_picture(p.get(), COLOUR_OUTLINE);
    shadow_under(p.get(), 2, 3);
    return p;
}

// Flat on the ground, face down with the head turned onto one cheek: an arm bent with its
// hand by the face, the other along the side, one knee drawn up and out.
picture lying(const figure_style &f)
{
    picture p = new_picture(SIZE, SIZE);
    BITMAP *b = p.get();
    const body_build &bb = f.body;
    const float rx = bb.shoulder_rx, hip = bb.hip;
    const sprawl w{{-5.5f, -rx + 1, -4.5f, -rx - 2.8f, -8.5f, -rx - 0.8f},
                   {-5.5f, rx - 1, -1.5f, rx + 0.8f, 1.5f, rx + 0.2f},
                   {2.5f, -hip, 6.3f, -hip - 0.5f, 10.0f, -hip - 1.0f},
                   {2.5f, hip, 5.5f, hip + 3.0f, 9.0f, hip + 2.5f},
                   -9.0f, -5.5f, 2.5f, true};
    const slant s = slant_of(0.6f);
    draw_sprawl(b, f, s, w);
    if (f.clothes.hair == hair_style::police_cap) {  // the cap knocked off, lying by the head
        float x = s.x(-10.5f, -6.0f), y = s.y(-10.5f, -6.0f);
        flat_ellipse(b, x, y, 2.6f, 2.6f, COLOUR_OUTLINE);
        flat_ellipse(b, x, y, 2.0f, 2.0f, f.clothes.hair_colour);
        putpixel(b, std::lround(x) - 1, std::lround(y) - 1, ramp_colour(RAMP_GOLD, 2));
    }
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

picture figure_picture(const figure_style &f, int pose)
{
    if (pose == POSE_STRUCK) return struck(f);
    if (pose == POSE_LYING) return lying(f);
    return upright(f, clamp_int(pose, POSE_STAND, POSE_SHOOT));
}

}  // namespace

picture make_walker_picture(int figure, int pose)
{
    return figure_picture(figures[clamp_int(figure, 0, FIGURE_COUNT - 1)], pose);
}

namespace {

// Onlookers of the crowd: builds and clothes the streets' walkers do not show.
const figure_style onlookers[] = {
    // a heavy-set bald man
    {{7.8f, 4.2f, 3.5f, 1.6f, 2.8f},
     {RAMP_PAINT, 6.0f, RAMP_PAINT, 7.0f, ramp_colour(RAMP_GREY, 9), ramp_colour(RAMP_BROWN, 10),
      skin(7), 0, 0, hair_style::bald, extra::none},
     {5.0f, 3.0f, false}},
    // an old man in a brimmed hat and a long coat
    {{6.6f, 3.6f, 3.3f, 1.3f, 2.3f},
     {RAMP_PAINT, 7.5f, RAMP_PAINT, 8.0f, ramp_colour(RAMP_SAND, 8), ramp_colour(RAMP_BROWN, 11),
      skin(3), ramp_colour(RAMP_BROWN, 8), ramp_colour(RAMP_BROWN, 5), hair_style::hat,
      extra::none},
     {5.0f, 2.5f, false}},
    // a woman with her hair in a knot
    {{6.0f, 3.4f, 3.3f, 1.25f, 2.2f},
     {RAMP_PAINT, 4.5f, RAMP_PAINT, 5.5f, ramp_colour(RAMP_SLATE, 10), ramp_colour(RAMP_WINE, 8),
      skin(10), ramp_colour(RAMP_BROWN, 13), ramp_colour(RAMP_BROWN, 10), hair_style::bun,
      extra::none},
     {6.0f, 3.5f, false}},
    // a lad with his hood up
    {{6.6f, 3.6f, 3.4f, 1.4f, 2.4f},
     {RAMP_PAINT, 6.0f, RAMP_PAINT, 6.5f, ramp_colour(RAMP_BLUE, 9), COLOUR_WHITE, skin(6), 0, 0,
      hair_style::hood, extra::none},
     {7.0f, 3.0f, false}},
    // a woman with long dark hair
    {{6.0f, 3.4f, 3.4f, 1.25f, 2.2f},
     {RAMP_PAINT, 3.5f, RAMP_PAINT, 4.5f, ramp_colour(RAMP_BLUE, 7), ramp_colour(RAMP_GREY, 11),
      skin(5), ramp_colour(RAMP_BROWN, 12), ramp_colour(RAMP_BROWN, 9), hair_style::long_hair,
      extra::none},
     {6.0f, 3.5f, false}},
    // the busker they watch, hat on, guitar slung across him
    {{6.8f, 3.7f, 3.4f, 1.4f, 2.4f},
     {RAMP_PAINT, 5.0f, RAMP_PAINT, 6.0f, ramp_colour(RAMP_BLUE, 8), ramp_colour(RAMP_BROWN, 9),
      skin(11), ramp_colour(RAMP_SLATE, 12), ramp_colour(RAMP_SLATE, 8), hair_style::hat,
      extra::guitar},
     {5.0f, 3.0f, false}},
};

void stamp_turned(BITMAP *target, const BITMAP *person, float cx, float cy, float radians)
{
    fixed angle = ftofix(radians * 128.0f / 3.14159265f);
    rotate_sprite(target, const_cast<BITMAP *>(person), std::lround(cx - person->w / 2.0f),
                  std::lround(cy - person->h / 2.0f), angle);
}

}  // namespace

// A knot of people round a busker and his open guitar case, each in other clothes.
picture make_crowd()
{
    picture p = new_picture(48, 48);
    BITMAP *b = p.get();
    const float case_x = 24, case_y = 23;
    // the guitar case on the ground, lid open, a few coins in it
    fill_rounded_rect(b, 19, 20, 29, 25, 1, COLOUR_OUTLINE);
    rectfill(b, 20, 21, 28, 24, ramp_colour(RAMP_WINE, 9));
    for (int x : {21, 24, 27}) putpixel(b, x, 22 + x % 2, ramp_colour(RAMP_GOLD, 3));
    struct member {
        int style, pose;
        float x, y;
        int ramp;
    };
    constexpr member members[] = {
        {5, POSE_STAND, 24, 11, RAMP_OLIVE},     {0, POSE_STAND, 11, 21, RAMP_PAINT},
        {3, POSE_STAND, 14, 34, RAMP_BLUE},      {2, POSE_STAND, 26, 37, RAMP_TEAL},
        {1, POSE_STAND, 37, 31, RAMP_PURPLE},    {4, POSE_STAND, 37, 17, RAMP_GOLD},
    };
    for (const member &m : members) {
        picture person = figure_picture(onlookers[m.style], m.pose);
        move_ramp(person.get(), RAMP_PAINT, m.ramp);
        // everyone faces the case; the picture faces up before it is turned
        float turn = std::atan2(case_x - m.x, m.y - case_y);
        stamp_turned(b, person.get(), m.x, m.y, turn);
    }
    return p;
}
