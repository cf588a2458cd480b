// The people of the city from straight above, facing up: a head, shoulders, swinging arms and
// feet that step out in front and behind. Clothes of passers-by are in the paint ramp so the
// crowd varies; policemen keep their navy uniform.
#include "game_palette.h"
#include "pictures.h"

#include <cmath>

namespace {

enum class headwear { hair, long_hair, police_cap, beanie };

struct figure_style {
    const char *name;
    int clothes_ramp;
    float clothes_base;   // middle shade of the jacket
    int legs_ramp, legs_shade;
    int hair_ramp, hair_shade;
    headwear head;
};

constexpr figure_style figures[] = {
    {"cop", RAMP_BLUE, 8.0f, RAMP_BLUE, 12, RAMP_BLUE, 13, headwear::police_cap},
    {"stroller", RAMP_PAINT, 4.5f, RAMP_SKIN, 6, RAMP_GOLD, 9, headwear::long_hair},
    {"pedestrian", RAMP_PAINT, 5.5f, RAMP_BLUE, 8, RAMP_BROWN, 11, headwear::hair},
    {"skidrunner", RAMP_PAINT, 5.0f, RAMP_GREY, 12, RAMP_GREY, 13, headwear::beanie},
};
constexpr int FIGURE_COUNT = sizeof(figures) / sizeof(figures[0]);


// How far each foot is in front (negative) or behind the shoulders in the walk poses.
struct stride {
    int left, right;
};
constexpr stride strides[] = {{-4, -4}, {-6, 1}, {-8, 5}, {1, -6}, {5, -8}, {-5, -2}};

constexpr int SKIN = ramp_colour(RAMP_SKIN, 4);
constexpr int SHOE = COLOUR_OUTLINE;

void shaded_ellipse(BITMAP *b, float cx, float cy, float rx, float ry, int ramp, float base)
{
    for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y) {
        for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
            float u = (x + 0.5f - cx) / rx, v = (y + 0.5f - cy) / ry;
            float d = u * u + v * v;
            if (d > 1.0f) continue;
            float s = base + 1.3f * u + 0.9f * v + 2.0f * smooth_step(0.5f, 1.0f, d);
            putpixel(b, x, y, ramp_colour(ramp, static_cast<int>(std::lround(s))));
        }
    }
}

void draw_leg(BITMAP *b, const figure_style &f, float x, float cy, int offset)
{
    int legs = ramp_colour(f.legs_ramp, f.legs_shade);
    float fy = cy + offset;
    thick_line(b, x, cy, x, fy, 2.0f, legs);
    rectfill(b, std::lround(x - 1), std::lround(fy - 1), std::lround(x), std::lround(fy + 1), SHOE);
}

void draw_arm(BITMAP *b, const figure_style &f, float sx, float sy, float hx, float hy)
{
    int sleeve = ramp_colour(f.clothes_ramp, static_cast<int>(f.clothes_base) + 1);
    thick_line(b, sx, sy, hx, hy, 2.2f, sleeve);
    rectfill(b, std::lround(hx - 1), std::lround(hy - 1), std::lround(hx), std::lround(hy), SKIN);
}

void draw_head(BITMAP *b, const figure_style &f, int cx, int cy)
{
    int hair = ramp_colour(f.hair_ramp, f.hair_shade);
    int hair_light = ramp_colour(f.hair_ramp, f.hair_shade - 3);
    // a dark rim sets the head apart from the shoulders under it
    if (f.head == headwear::long_hair) ellipsefill(b, cx, cy + 1, 4, 4, COLOUR_OUTLINE);
    else circlefill(b, cx, cy, 3, COLOUR_OUTLINE);
    switch (f.head) {
    case headwear::long_hair:  // hair falling over the shoulders behind
        ellipsefill(b, cx, cy + 1, 3, 3, hair);
        circlefill(b, cx, cy - 1, 2, SKIN);
        hline(b, cx - 2, cy - 1, cx + 2, hair);
        putpixel(b, cx - 1, cy, hair_light);
        putpixel(b, cx + 1, cy + 2, hair_light);
        break;
    case headwear::police_cap:  // peaked cap with its badge
        circlefill(b, cx, cy, 2, hair);
        hline(b, cx - 1, cy - 4, cx + 1, COLOUR_OUTLINE);
        putpixel(b, cx, cy - 2, ramp_colour(RAMP_GOLD, 2));
        putpixel(b, cx - 1, cy, ramp_colour(RAMP_BLUE, 10));
        break;
    case headwear::beanie:  // a dark knitted hat with a red band
        circlefill(b, cx, cy - 1, 2, SKIN);
        circlefill(b, cx, cy, 2, hair);
        hline(b, cx - 2, cy - 2, cx + 2, ramp_colour(RAMP_PAINT, 4));
        putpixel(b, cx - 1, cy, ramp_colour(RAMP_GREY, 10));
        break;
    default:
        circlefill(b, cx, cy - 1, 2, SKIN);
        circlefill(b, cx, cy, 2, hair);
        putpixel(b, cx - 1, cy - 1, hair_light);
        break;
    }
}

picture walker(const figure_style &f, int pose_index)
{
    picture p = new_picture(20, 20);
    BITMAP *b = p.get();
    const float cx = 10, cy = 11;
    const stride s = strides[pose_index];
    draw_leg(b, f, cx - 2, cy, s.left);
    draw_leg(b, f, cx + 2, cy, s.right);
    if (pose_index == POSE_SHOOT) {  // both hands forward round the pistol
        draw_arm(b, f, cx - 4, cy - 1, cx - 1, cy - 6);
        draw_arm(b, f, cx + 4, cy - 1, cx + 1, cy - 6);
        rectfill(b, std::lround(cx) - 1, std::lround(cy) - 10, std::lround(cx), std::lround(cy) - 7,
                 COLOUR_GUNMETAL);
    } else {  // arms swing against the legs
        draw_arm(b, f, cx - 4.5f, cy, cx - 5.5f, cy + 1 + 0.6f * s.right);
        draw_arm(b, f, cx + 4.5f, cy, cx + 5.5f, cy + 1 + 0.6f * s.left);
    }
    shaded_ellipse(b, cx, cy, 5.0f, 3.0f, f.clothes_ramp, f.clothes_base);
    draw_head(b, f, std::lround(cx), std::lround(cy));
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

// Knocked off balance: arms flung out, feet skidding, head thrown back.
picture struck(const figure_style &f)
{
    picture p = new_picture(22, 22);
    BITMAP *b = p.get();
    const float cx = 11, cy = 11;
    draw_leg(b, f, cx - 3, cy, -5);
    draw_leg(b, f, cx + 3, cy, -4);
    draw_arm(b, f, cx - 5, cy, cx - 9, cy - 5);
    draw_arm(b, f, cx + 5, cy, cx + 9, cy + 3);
    shaded_ellipse(b, cx, cy, 5.5f, 3.5f, f.clothes_ramp, f.clothes_base);
    draw_head(b, f, std::lround(cx) + 1, std::lround(cy) + 2);
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

// Flat on the ground: the whole body laid out, arms and legs spread.
picture lying(const figure_style &f)
{
    picture p = new_picture(22, 24);
    BITMAP *b = p.get();
    const float cx = 11;
    int legs = ramp_colour(f.legs_ramp, f.legs_shade);
    thick_line(b, cx - 2, 13, cx - 5, 21, 2.4f, legs);
    thick_line(b, cx + 2, 13, cx + 4, 21, 2.4f, legs);
    rectfill(b, std::lround(cx) - 7, 21, std::lround(cx) - 5, 22, SHOE);
    rectfill(b, std::lround(cx) + 3, 21, std::lround(cx) + 5, 22, SHOE);
    draw_arm(b, f, cx - 3, 7, cx - 9, 3);
    draw_arm(b, f, cx + 3, 8, cx + 9, 12);
    shaded_ellipse(b, cx, 10, 4.5f, 5.5f, f.clothes_ramp, f.clothes_base);
    circlefill(b, std::lround(cx), 3, 3, SKIN);  // face up
    putpixel(b, std::lround(cx) - 1, 3, ramp_colour(RAMP_SKIN, 9));
    putpixel(b, std::lround(cx) + 1, 3, ramp_colour(RAMP_SKIN, 9));
    int hair = ramp_colour(f.hair_ramp, f.hair_shade);
    hline(b, std::lround(cx) - 2, 0, std::lround(cx) + 2, hair);
    if (f.head == headwear::police_cap)
        rectfill(b, std::lround(cx) - 3, 0, std::lround(cx) + 3, 1, hair);
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

}  // namespace

picture make_walker_picture(int figure, int pose_index)
{
    const figure_style &f = figures[clamp_int(figure, 0, FIGURE_COUNT - 1)];
    if (pose_index == POSE_STRUCK) return struck(f);
    if (pose_index == POSE_LYING) return lying(f);
    return walker(f, clamp_int(pose_index, POSE_STAND, POSE_SHOOT));
}
