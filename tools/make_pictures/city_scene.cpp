// The night city behind the title and the menu: a crossroads seen from above the way the game
// shows it (roofs raised toward the viewer, walls with lit windows), a getaway car sliding
// through the junction on smoking tyres and a police car on its tail.
#include "city_scene.h"

#include "pictures.h"

#include <cmath>

namespace {

constexpr int CELL = 64;
constexpr int COLUMNS = 10, ROWS = 8;
constexpr int CENTRE_X = 320, CENTRE_Y = 240;

// One letter per map cell: B building, p pavement, s/n lanes south/north, w/e lanes west/east
// (capitals: the lanes just before the junction, with their arrows), J junction, Z crossing
// on the north-south street, z crossing on the east-west street, g grass.
constexpr const char *city_rows[ROWS] = {
    "BBBBpsnpBB",
    "BBBBpSnpBB",
    "BBBBpSnpBB",
    "ppppoZZopp",
    "wwwwzJJzWW",
    "eeEEzJJzee",
    "ppppoZZopp",
    "ggggpsNpBB",
};

int tile_object_for(char code)
{
    switch (code) {
    case 'p': case 'o': return 7;
    case 's': return 18;
    case 'n': return 19;
    case 'w': return 12;
    case 'e': return 13;
    case 'S': return 15;
    case 'N': return 16;
    case 'W': return 14;
    case 'E': return 17;
    case 'J': return 20;
    case 'Z': return 3;
    case 'z': return 2;
    case 'g': return 1;
    default: return 20;
    }
}

// Where the game puts a roof: the floor scaled by 5/4 about the screen centre, moved up-left.
int roof_x(int floor_x)
{
    return floor_x + (floor_x - CENTRE_X) / 4 - 9;
}
int roof_y(int floor_y)
{
    return floor_y + (floor_y - CENTRE_Y) / 4 - 9;
}

struct point {
    float x, y;
};

point lerp(point a, point b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// One wall between a floor edge (a, b) and the roof edge above it, with three storeys of
// windows, some lit.
void draw_wall(BITMAP *scene, BITMAP *glow, point fa, point fb, point ra, point rb, int shade,
               noise_source &n)
{
    fill_quad(scene, std::lround(fa.x), std::lround(fa.y), std::lround(fb.x), std::lround(fb.y),
              std::lround(rb.x), std::lround(rb.y), std::lround(ra.x), std::lround(ra.y),
              ramp_colour(RAMP_GREY, shade));
    float len = std::hypot(fb.x - fa.x, fb.y - fa.y);
    int count = static_cast<int>(len / 20);
    auto at = [&](float u, float v) { return lerp(lerp(fa, fb, u), lerp(ra, rb, u), v); };
    for (int i = 0; i < count; ++i) {
        for (float v0 : {0.22f, 0.6f}) {
            float u0 = (i + 0.36f) / count, u1 = (i + 0.64f) / count, v1 = v0 + 0.2f;
            point q[4] = {at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v1)};
            bool lit = noise_below(n, 100) < 35;
            int colour = lit ? ramp_colour(RAMP_GOLD, 6) : ramp_colour(RAMP_SLATE, 12);
            for (BITMAP *target : {scene, glow}) {
                if (target == glow && !lit) continue;
                fill_quad(target, std::lround(q[0].x), std::lround(q[0].y), std::lround(q[1].x),
                          std::lround(q[1].y), std::lround(q[2].x), std::lround(q[2].y),
                          std::lround(q[3].x), std::lround(q[3].y), target == glow ? 1 : colour);
            }
        }
    }
}

// A block of building cells from cell (c0, r0) to (c1, r1): walls, then the roofs cell by cell.
void draw_block(BITMAP *scene, BITMAP *glow, int c0, int r0, int c1, int r1, noise_source &n)
{
    float x0 = c0 * CELL, y0 = r0 * CELL, x1 = (c1 + 1) * CELL, y1 = (r1 + 1) * CELL;
    point f00{x0, y0}, f10{x1, y0}, f11{x1, y1}, f01{x0, y1};
    auto roof_of = [](point p) {
        return point{float(roof_x(int(p.x))), float(roof_y(int(p.y)))};
    };
    draw_wall(scene, glow, f00, f10, roof_of(f00), roof_of(f10), 6, n);  // north face
    draw_wall(scene, glow, f01, f11, roof_of(f01), roof_of(f11), 9, n);  // south face
    draw_wall(scene, glow, f00, f01, roof_of(f00), roof_of(f01), 5, n);  // west face
    draw_wall(scene, glow, f10, f11, roof_of(f10), roof_of(f11), 8, n);  // east face
}

void draw_roofs(BITMAP *scene, int c0, int r0, int c1, int r1)
{
    picture roof = make_tile_picture(0);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            stretch_sprite(scene, roof.get(), roof_x(c * CELL), roof_y(r * CELL), 82, 82);
}

void place_sprite(BITMAP *layer, const BITMAP *sprite, float cx, float cy, int heading, float scale)
{
    // pictures face north; heading 0 is east, as in the game
    fixed s = ftofix(scale);
    int x = std::lround(cx - sprite->w * scale / 2), y = std::lround(cy - sprite->h * scale / 2);
    rotate_scaled_sprite(layer, const_cast<BITMAP *>(sprite), x, y, itofix(heading + 64), s);
}

}  // namespace

city_scene make_city_scene()
{
    city_scene s;
    s.ground = new_picture(640, 480);
    s.sprites = new_picture(640, 480);
    s.window_glow = new_picture(640, 480);
    for (int r = 0; r < ROWS; ++r) {
        for (int c = 0; c < COLUMNS; ++c) {
            picture tile = make_tile_picture(tile_object_for(city_rows[r][c]));
            blit(tile.get(), s.ground.get(), 0, 0, c * CELL, r * CELL, CELL, CELL);
        }
    }
    noise_source n{0xc17};
    struct block { int c0, r0, c1, r1; };
    constexpr block blocks[] = {{0, 0, 3, 2}, {8, 0, 9, 2}, {8, 7, 9, 7}};
    for (const block &b : blocks)
        draw_block(s.ground.get(), s.window_glow.get(), b.c0, b.r0, b.c1, b.r1, n);
    for (const block &b : blocks) draw_roofs(s.ground.get(), b.c0, b.r0, b.c1, b.r1);

    BITMAP *layer = s.sprites.get();
    picture walker = make_walker_picture(FIGURE_PEDESTRIAN, POSE_STEP_A_FULL);
    picture stroller = make_walker_picture(FIGURE_STROLLER, POSE_STEP_B_FULL);
    move_ramp(stroller.get(), RAMP_PAINT, RAMP_TEAL);
    place_sprite(layer, walker.get(), 560, 218, 192, 2.0f);
    place_sprite(layer, stroller.get(), 248, 400, 0, 2.0f);
    picture taxi = make_car_picture(car_model_named("taxi"), true);
    move_ramp(taxi.get(), RAMP_PAINT, RAMP_GOLD);
    place_sprite(layer, taxi.get(), 500, 150, 64, 1.7f);

    s.hero = {392, 318, 224, 2.0f};   // sliding north-east out of the bend
    s.police = {110, 352, 0, 2.0f};   // coming along the eastbound lane
    picture hero = make_car_picture(car_model_named("muscle"), false);
    picture police = make_police_car_picture(1, false);
    place_sprite(layer, hero.get(), s.hero.x, s.hero.y, s.hero.heading, s.hero.scale);
    place_sprite(layer, police.get(), s.police.x, s.police.y, s.police.heading, s.police.scale);
    s.hero_size = {float(hero->w), float(hero->h)};
    return s;
}

// The skid marks of the hero car: two dark arcs from the eastbound lane to its rear wheels.
void draw_skid_marks(rgb_canvas &canvas, const city_scene &s)
{
    const float pi = 3.14159265f;
    float a = s.hero.heading * 2 * pi / 256;
    point forward{std::cos(a), std::sin(a)}, right{-std::sin(a), std::cos(a)};
    float back = s.hero_size.h * s.hero.scale * 0.3f;
    float side = (s.hero_size.w / 2 - 7) * s.hero.scale;
    for (int wheel = -1; wheel <= 1; wheel += 2) {
        point end{s.hero.x - forward.x * back + right.x * side * wheel,
                  s.hero.y - forward.y * back + right.y * side * wheel};
        point start{end.x - 250, 352.0f + wheel * 12};
        point bend{end.x - 70, start.y + 18};
        for (float t = 0; t <= 1; t += 0.002f) {
            point p = lerp(lerp(start, bend, t), lerp(bend, end, t), t);
            float fade = t * 0.8f + 0.1f;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (dx * dx + dy * dy <= 8)
                        blend_pixel(canvas, std::lround(p.x) + dx, std::lround(p.y) + dy,
                                    {6, 6, 8}, 0.14f * fade);
        }
    }
}

void light_the_night(rgb_canvas &canvas, const city_scene &s, float brightness)
{
    const float pi = 3.14159265f;
    tint_canvas(canvas, {0.34f * brightness, 0.38f * brightness, 0.56f * brightness});
    // lit windows and the lamps of the cars keep their own brightness
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            int c = s.sprites->line[y][x];
            bool lamp = c == COLOUR_HEADLAMP || c == COLOUR_LIGHT_RED || c == COLOUR_LIGHT_BLUE ||
                        c == COLOUR_SPARK;
            if (lamp) {
                canvas.at(x, y) = rgb_of_index(c);
            } else if (c) {  // the cars and people catch the street light
                rgb_colour &p = canvas.at(x, y);
                p = {p.r * 1.7f, p.g * 1.7f, p.b * 1.7f};
            }
            if (s.window_glow->line[y][x] && !s.sprites->line[y][x])
                canvas.at(x, y) = rgb_of_index(ramp_colour(RAMP_GOLD, 6));
        }
    }
    // street lamps on the corners of the crossroads
    constexpr point lamps[] = {{300, 232}, {462, 232}, {300, 398},
                               {462, 398}, {90, 232},  {600, 398}};
    for (point p : lamps) {
        add_glow(canvas, p.x, p.y, 95, {255, 190, 110}, 0.38f * brightness);
        add_glow(canvas, p.x, p.y, 10, {255, 240, 200}, 0.9f);
    }
    // headlight beams of both cars
    auto beams = [&](const placed_car &car, float reach) {
        float a = car.heading * 2 * pi / 256;
        point f{std::cos(a), std::sin(a)}, r{-std::sin(a), std::cos(a)};
        float nose = s.hero_size.h * car.scale * 0.48f, half = 9 * car.scale;
        for (int side = -1; side <= 1; side += 2)
            add_beam(canvas, car.x + f.x * nose + r.x * half * side,
                     car.y + f.y * nose + r.y * half * side, a, 0.32f, reach, {255, 244, 200},
                     0.55f * brightness);
    };
    beams(s.hero, 190);
    beams(s.police, 160);
    // the siren's red and blue wash
    add_glow(canvas, s.police.x + 2, s.police.y - 34, 64, {255, 40, 30}, 0.42f * brightness);
    add_glow(canvas, s.police.x + 2, s.police.y + 34, 56, {40, 90, 255}, 0.3f * brightness);
}

void add_tyre_smoke(rgb_canvas &canvas, const city_scene &s)
{
    noise_source n{0x5a0ce};
    for (int i = 0; i < 26; ++i) {
        float t = noise_unit(n);
        float x = s.hero.x - 40 - t * 110 + noise_unit(n) * 30;
        float y = s.hero.y + 30 - t * 8 + noise_unit(n) * 26;
        add_haze(canvas, x, y, 12 + t * 22, {150, 150, 160}, 0.22f * (1 - t * 0.6f));
    }
}
