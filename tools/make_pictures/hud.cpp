// hud.dat and mission.dat: the two growing bars, the speedometer dial, the weapons in hand and
// the mission arrow.
// The bars are stretched to the screen's width and only their leftmost columns show, growing
// from the right edge of the screen; so column c of a bar is what shows at the edge when the
// bar is c columns long.
#include "game_palette.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float PI = 3.14159265f;
constexpr int BAR_W = 640, BAR_H = 20;

rgb8 mix(rgb8 a, rgb8 b, float t)
{
    return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
            static_cast<int>(a.b + (b.b - a.b) * t)};
}

rgb8 scaled(rgb8 c, float k)
{
    auto s = [k](int v) { return clamp_int(static_cast<int>(v * k), 0, 255); };
    return {s(c.r), s(c.g), s(c.b)};
}

// A bar of lit segments: bright top edge, body, dark bottom edge, a gap every `segment`
// columns. `hue(c)` gives the body colour at column c.
template <typename hue_fn>
picture segmented_bar(int segment, hue_fn hue)
{
    picture p = new_picture(BAR_W, BAR_H);
    for (int x = 0; x < BAR_W; ++x) {
        rgb8 body = hue(std::min(x, 199));
        bool gap = x % segment == segment - 1;
        for (int y = 0; y < BAR_H; ++y) {
            float k = y < 2 ? 1.45f : (y > BAR_H - 3 ? 0.55f : 1.0f - (y - 2) * 0.012f);
            rgb8 c = gap ? rgb8{18, 18, 20} : scaled(body, k);
            p->line[y][x] = nearest_colour(c);
        }
    }
    return p;
}

// The vehicle's condition: red when nearly gone, through amber, to green when sound.
picture damage_bar()
{
    return segmented_bar(10, [](int c) {
        constexpr rgb8 red{176, 26, 20}, amber{190, 120, 14}, green{30, 140, 40};
        float t = (c - c % 10) / 190.0f;  // one colour per lamp of the gauge
        return t < 0.5f ? mix(red, amber, t * 2) : mix(amber, green, (t - 0.5f) * 2);
    });
}

void draw_star(BITMAP *b, float cx, float cy, float r, int colour)
{
    int points[20];
    for (int i = 0; i < 10; ++i) {
        float a = -PI / 2 + i * PI / 5, rr = i % 2 == 0 ? r : r * 0.42f;
        points[2 * i] = std::lround(cx + std::cos(a) * rr);
        points[2 * i + 1] = std::lround(cy + std::sin(a) * rr);
    }
    polygon(b, 10, points, colour);
}

// The wanted level: five 40-column blocks, red deepening to dark red, each with hazard stripes
// and a star.
picture felony_bar()
{
    picture p = segmented_bar(40, [](int c) {
        constexpr rgb8 red{200, 34, 28}, dark{96, 6, 14};
        return mix(red, dark, c / 199.0f);
    });
    BITMAP *b = p.get();
    for (int y = 2; y < BAR_H - 2; ++y) {
        for (int x = 0; x < BAR_W; ++x) {
            if (x % 40 == 39 || ((x + y) / 5) % 2 == 0) continue;
            int c = b->line[y][x];
            rgb8 v = colour_rgb(c);
            b->line[y][x] = nearest_colour(scaled(v, 0.78f));
        }
    }
    // a sheriff's star pressed into each block, dark so the white text over it still reads
    for (int s = 0; s < BAR_W / 40; ++s) {
        draw_star(b, s * 40 + 30, 10, 7.0f, ramp_colour(RAMP_WINE, 9));
        draw_star(b, s * 40 + 30, 10, 5.0f, ramp_colour(RAMP_WINE, 11));
    }
    return p;
}

// Tiny 3 x 5 figures for the dial's scale.
constexpr const char *dial_digits[10] = {
    "###"
    "#.#"
    "#.#"
    "#.#"
    "###",
    ".#."
    "##."
    ".#."
    ".#."
    "###",
    "###"
    "..#"
    "###"
    "#.."
    "###",
    "###"
    "..#"
    ".##"
    "..#"
    "###",
    "#.#"
    "#.#"
    "###"
    "..#"
    "..#",
    "###"
    "#.."
    "###"
    "..#"
    "###",
    "###"
    "#.."
    "###"
    "#.#"
    "###",
    "###"
    "..#"
    ".#."
    ".#."
    ".#.",
    "###"
    "#.#"
    "###"
    "#.#"
    "###",
    "###"
    "#.#"
    "###"
    "..#"
    "###",
};

void draw_number(BITMAP *b, int value, int cx, int cy, int colour)
{
    char text[8];
    int n = std::snprintf(text, sizeof text, "%d", value);
    int x0 = cx - (n * 4 - 1) / 2, y0 = cy - 2;
    for (int i = 0; i < n; ++i) {
        const char *d = dial_digits[text[i] - '0'];
        for (int k = 0; k < 15; ++k)
            if (d[k] == '#') putpixel(b, x0 + i * 4 + k % 3, y0 + k / 3, colour);
    }
}

// The screen direction of the needle at a speed: speed - 150 in 256ths of a turn, clockwise
// from pointing right.
float needle_radians(int speed)
{
    return (speed - 150) * 2 * PI / 256;
}

picture speedometer()
{
    constexpr int SIZE = 91, C = 45;
    picture p = new_picture(SIZE, SIZE);
    BITMAP *b = p.get();
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            float dx = x - C, dy = y - C, r = std::sqrt(dx * dx + dy * dy);
            if (r > 44.5f) continue;
            int c;
            if (r > 41.5f)
                c = ramp_colour(RAMP_GREY, 4 + static_cast<int>((dx + dy) / 30)); // bezel
            else if (r > 40.5f) c = ramp_colour(RAMP_GREY, 11);
            else c = ramp_colour(RAMP_SAND, 1 + static_cast<int>(r / 22));  // face
            b->line[y][x] = c;
        }
    }
    // the red zone at the top of the scale
    for (int s = 180; s <= 220; ++s) {
        float a = needle_radians(s);
        for (float r = 36.0f; r <= 40.0f; r += 0.5f)
            putpixel(b, std::lround(C + std::cos(a) * r), std::lround(C + std::sin(a) * r),
                     ramp_colour(RAMP_PAINT, 5));
    }
    for (int s = 0; s <= 220; s += 10) {
        float a = needle_radians(s), inner = s % 20 == 0 ? 33.0f : 36.5f;
        thick_line(b, C + std::cos(a) * inner, C + std::sin(a) * inner, C + std::cos(a) * 40.0f,
                   C + std::sin(a) * 40.0f, s % 20 == 0 ? 1.6f : 1.0f, ramp_colour(RAMP_SLATE, 13));
        if (s % 40 == 0)
            draw_number(b, s, std::lround(C + std::cos(a) * 26), std::lround(C + std::sin(a) * 26),
                        ramp_colour(RAMP_SLATE, 12));
    }
    circlefill(b, C, C, 4, COLOUR_GUNMETAL);
    circlefill(b, C, C, 2, ramp_colour(RAMP_GREY, 6));
    return p;
}

// The weapons in hand, side on and pointing right, for the panel beside the wanted level:
// pixel drawings, one character a pixel, each painted from the legend below.
constexpr int WEAPON_W = 28, WEAPON_H = 14;
constexpr const char *weapon_drawings[4][WEAPON_H] = {
    {
        // pistol: a pale slide over a wooden grip
        "............................",
        "............................",
        "......ooooooooooooooooooo...",
        ".....osssssssssssssssssssoo.",
        ".....oMMMMMMMMMMMMMMMMMMMMo.",
        ".....oddddddddddddddddddddo.",
        ".....oMMMMMoooooooooooooooo.",
        "....oWwwwwwoMMMo............",
        "....oWwwwwwo.odo............",
        "...oWwwwwwoooo..............",
        "...oWwwwwwo.................",
        "..oWwwwwwo..................",
        "..oooooooo..................",
        "............................",
    },
    {
        // machine gun: wooden stock, long receiver and barrel, a curved magazine
        "............................",
        "...........oo...............",
        ".ooo......oMMo..........oo..",
        "oWwwoooooosssssssssooooosoo.",
        "oWwwwwwwwoMMMMMMMMMsssssssso",
        "oWwwwwwwwoMMMMMMMMMMMMMMMMMo",
        "oWWwwwwwwoddddddddddddoooooo",
        ".oWWWwwwwoddoddMMModdo......",
        "..ooooWWWoddoodMMMooo.......",
        "......oooooWwooMMMo.........",
        "..........oWwo.oMMMo........",
        "..........oWwo..oMMMo.......",
        "..........oooo...ooooo......",
        "............................",
    },
    {
        // flame thrower: a red tank with its valve, the hose, the nozzle and a tongue of flame
        "............................",
        "..oooo......................",
        ".oMsMMo...............yy....",
        "oorrrroo.............yffy...",
        "osrrrrRo............yfSfyy..",
        "osrrrrRooooooooooooyfSSffyy.",
        "osffffRossssssssssoyfSSSffy.",
        "osrrrrRoMMMMMMMMMMMoyfSSffyy",
        "osrrrrRoddddddddddooyfffyy..",
        "osrrrrRoooMMoooooMo.yyyy....",
        "osrrrrRo.oMMo...oMMo........",
        "orrrrrRo.oMMo...oMMo........",
        ".oooooo..oooo...oooo........",
        "............................",
    },
    {
        // rocket launcher: an olive tube with its rocket's warhead showing at the front
        "............................",
        "............................",
        "........oooo................",
        "........oddo................",
        "oooooooooooooooooooooooooo..",
        "oGhGhhhhhhhhhhhhhhhhhGhGsro.",
        "oGgGgggggggggggggggggGgGsrro",
        "oGgGgggggggggggggggggGgGMrRo",
        "oGGGGGGGGGGGGGGGGGGGGGGGMRo.",
        "oooooooooooooooooooooooooo..",
        "........oGGo..oGGo..........",
        "........oGGo..oGGo..........",
        "........oooo..oooo..........",
        "............................",
    },
};

int weapon_paint(char c)
{
    switch (c) {
    case 'o': return COLOUR_OUTLINE;
    case 's': return ramp_colour(RAMP_SLATE, 1);
    case 'M': return ramp_colour(RAMP_SLATE, 5);
    case 'd': return ramp_colour(RAMP_SLATE, 9);
    case 'w': return ramp_colour(RAMP_BROWN, 5);
    case 'W': return ramp_colour(RAMP_BROWN, 9);
    case 'r': return ramp_colour(RAMP_WINE, 5);
    case 'R': return ramp_colour(RAMP_WINE, 9);
    case 'h': return ramp_colour(RAMP_OLIVE, 3);
    case 'g': return ramp_colour(RAMP_OLIVE, 6);
    case 'G': return ramp_colour(RAMP_OLIVE, 10);
    case 'y': return ramp_colour(RAMP_ORANGE, 4);
    case 'f': return ramp_colour(RAMP_GOLD, 4);
    case 'S': return COLOUR_SPARK;
    default: return COLOUR_TRANSPARENT;
    }
}

picture weapon_picture(int weapon)
{
    picture p = new_picture(WEAPON_W, WEAPON_H);
    for (int y = 0; y < WEAPON_H; ++y)
        for (int x = 0; x < WEAPON_W; ++x)
            p->line[y][x] = weapon_paint(weapon_drawings[weapon][y][x]);
    return p;
}

// The mission arrow, pointing north: a dart with a notch in its tail, its right flank a shade
// deeper than its left, in a dark rim. The game turns it freely, and only a shape
// this plain keeps its point, its notch and its ridge at every angle.
picture mission_arrow()
{
    picture p = new_picture(16, 16);
    BITMAP *b = p.get();
    auto inside = [](float x, float y) {
        // tip (8, 1), wings (14.5, 14.5) and (1.5, 14.5), notch (8, 11)
        float half = (y - 1) * 6.5f / 13.5f;  // the dart's half width at row y
        float notch = y > 11 ? (y - 11) * 6.5f / 3.5f : -1;
        float off = std::fabs(x - 8);
        return y >= 1 && y <= 14.5f && off <= half && off >= notch;
    };
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (!inside(x + 0.5f, y + 0.5f)) continue;
            putpixel(b, x, y, ramp_colour(RAMP_GOLD, x < 8 ? 1 : 4));
        }
    }
    outline_picture(b, COLOUR_OUTLINE);
    return p;
}

}  // namespace

picture_set make_hud_pictures()
{
    picture_set set;
    set.push_back({indexed_name(0, "damage_bar"), damage_bar()});
    set.push_back({indexed_name(1, "felony_bar"), felony_bar()});
    set.push_back({indexed_name(2, "spare"), mission_arrow()});
    set.push_back({indexed_name(3, "speedometer"), speedometer()});
    const char *weapon_names[4] = {"pistol", "machine_gun", "flame_thrower", "rocket_launcher"};
    for (int i = 0; i < 4; ++i)
        set.push_back({indexed_name(4 + i, weapon_names[i]), weapon_picture(i)});
    return set;
}

picture_set make_mission_pictures()
{
    picture_set set;
    set.push_back({indexed_name(0, "arrow"), mission_arrow()});
    return set;
}
