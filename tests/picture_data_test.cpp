// The picture datafiles as the game reads them: every object the game addresses by number is
// there with the right type and size, pictures face the way the game turns them, recolouring
// touches only paint, and the palette's named entries are the colours the code draws with.
#include "../tools/make_pictures/game_palette.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct datafile_closer {
    void operator()(DATAFILE *d) const
    {
        if (d) unload_datafile(d);
    }
};
using datafile_ptr = std::unique_ptr<DATAFILE, datafile_closer>;

struct bitmap_closer {
    void operator()(BITMAP *b) const
    {
        if (b) destroy_bitmap(b);
    }
};
using bitmap_ptr = std::unique_ptr<BITMAP, bitmap_closer>;

int object_count(const DATAFILE *d)
{
    int n = 0;
    while (d[n].type != DAT_END) ++n;
    return n;
}

BITMAP *bitmap_at(const DATAFILE *d, int index)
{
    return static_cast<BITMAP *>(d[index].dat);
}

int count_colour_range(const BITMAP *b, int first, int last)
{
    int n = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (b->line[y][x] >= first && b->line[y][x] <= last) ++n;
    return n;
}

// Luminance of a palette entry, 0..63 scale.
double luminance(const PALETTE pal, int i)
{
    return 0.299 * pal[i].r + 0.587 * pal[i].g + 0.114 * pal[i].b;
}

struct car_pair {
    int normal, door_open;
};
constexpr car_pair civilian_cars[] = {{1, 0},   {8, 7},   {31, 30}, {35, 34}, {37, 36}, {47, 46},
                                      {49, 48}, {54, 53}, {69, 68}, {71, 70}, {79, 78}, {82, 81}};
constexpr int police_car_pictures[] = {55, 56, 57, 58};
constexpr int cop_pictures[] = {9, 10, 11, 12, 13, 14, 15, 16};
constexpr int civilian_people[] = {17, 18, 19, 20, 21, 38, 39, 40, 41, 42, 43, 44, 45,
                                   59, 60, 61, 62, 63, 64, 65, 66};

class PictureSprites : public testing::Test {
protected:
    void SetUp() override
    {
        data.reset(load_datafile("sprites.dat"));
        ASSERT_NE(data, nullptr) << "sprites.dat must load from the game folder";
    }
    BITMAP *picture(int index) const { return bitmap_at(data.get(), index); }
    datafile_ptr data;
};

TEST_F(PictureSprites, EveryObjectIsAnEightBitBitmap)
{
    ASSERT_GE(object_count(data.get()), 83);
    for (int i = 0; i <= 82; ++i) {
        ASSERT_EQ(data.get()[i].type, DAT_BITMAP) << "object " << i;
        EXPECT_EQ(bitmap_color_depth(picture(i)), 8) << "object " << i;
        // the collision scratch area holds a picture only while this stays under 100
        EXPECT_LT(picture(i)->w / 2 + picture(i)->h / 2, 100) << "object " << i;
    }
}

TEST_F(PictureSprites, CarsAreCarSizedAndKeepTheirSizeWhenTheDoorOpens)
{
    int biggest_other = 0;
    for (const car_pair &c : civilian_cars) {
        BITMAP *car = picture(c.normal), *open = picture(c.door_open);
        EXPECT_GE(car->w, 28) << "car " << c.normal;
        EXPECT_LE(car->w, 40) << "car " << c.normal;
        EXPECT_GE(car->h, 48) << "car " << c.normal;
        EXPECT_LE(car->h, 72) << "car " << c.normal;
        EXPECT_GT(car->h, car->w) << "cars face north, so they are taller than wide";
        EXPECT_EQ(open->w, car->w) << "car " << c.door_open;
        EXPECT_EQ(open->h, car->h) << "car " << c.door_open;
        if (c.normal != 79) biggest_other = std::max(biggest_other, car->w * car->h);
    }
    EXPECT_GT(picture(79)->w * picture(79)->h, biggest_other) << "the heavy vehicle is the biggest";
    for (int p : police_car_pictures) {
        EXPECT_EQ(picture(p)->w, picture(55)->w) << "police picture " << p;
        EXPECT_EQ(picture(p)->h, picture(55)->h) << "police picture " << p;
    }
}

TEST_F(PictureSprites, TheDriversDoorOpensOnTheLeftOnly)
{
    for (const car_pair &c : civilian_cars) {
        BITMAP *car = picture(c.normal), *open = picture(c.door_open);
        int left = 0, right = 0;
        for (int y = 0; y < car->h; ++y)
            for (int x = 0; x < car->w; ++x)
                if (car->line[y][x] != open->line[y][x]) (x < car->w / 2 ? left : right)++;
        EXPECT_GT(left, 10) << "car " << c.normal << " shows its open door";
        EXPECT_EQ(right, 0) << "car " << c.normal << " is unchanged on its right";
    }
}

TEST_F(PictureSprites, CarsFaceNorthWithHeadlampsAtTheTopAndTailLightsAtTheBottom)
{
    for (const car_pair &c : civilian_cars) {
        BITMAP *car = picture(c.normal);
        int top_lamps = 0, bottom_lamps = 0, top_tail = 0, bottom_tail = 0;
        for (int y = 0; y < car->h; ++y) {
            for (int x = 0; x < car->w; ++x) {
                bool top = y < car->h / 4, bottom = y >= car->h * 3 / 4;
                if (car->line[y][x] == COLOUR_HEADLAMP) top_lamps += top, bottom_lamps += bottom;
                if (car->line[y][x] == COLOUR_LIGHT_RED) top_tail += top, bottom_tail += bottom;
            }
        }
        EXPECT_GT(top_lamps, 0) << "car " << c.normal;
        EXPECT_EQ(bottom_lamps, 0) << "car " << c.normal;
        EXPECT_GT(bottom_tail, 0) << "car " << c.normal;
        EXPECT_EQ(top_tail, 0) << "car " << c.normal;
    }
}

TEST_F(PictureSprites, RecolouringChangesTrafficAndPassersByButNeverThePolice)
{
    for (const car_pair &c : civilian_cars) {
        BITMAP *car = picture(c.normal);
        int paint = count_colour_range(car, PAINT_FIRST, PAINT_LAST);
        int inked = car->w * car->h - count_colour_range(car, 0, 0);
        EXPECT_GT(paint, inked / 3) << "car " << c.normal << " is mostly bodywork";
        EXPECT_LT(paint, inked) << "car " << c.normal << " keeps glass and lights";
    }
    for (int p : civilian_people)
        EXPECT_GT(count_colour_range(picture(p), PAINT_FIRST, PAINT_LAST), 10) << "person " << p;
    for (int p : police_car_pictures)
        EXPECT_EQ(count_colour_range(picture(p), PAINT_FIRST, PAINT_LAST), 0) << "police car " << p;
    for (int p : cop_pictures)
        EXPECT_EQ(count_colour_range(picture(p), PAINT_FIRST, PAINT_LAST), 0) << "cop " << p;
}

// The limits a person's picture lives within: a side test point (width / 2 - 8 out) of someone
// stepping out of a car stays clear of its open door, and a body lying by the car stays clear
// of it; and a shot, a flame or a rocket, made 20 px ahead of its shooter, does not touch the
// shooter's own shooting picture with any of its test points at its first update.
TEST_F(PictureSprites, PeopleAreAsBigAsTheCollisionsAllowAndNeverShootThemselves)
{
    std::vector<int> people(std::begin(civilian_people), std::end(civilian_people));
    people.insert(people.end(), std::begin(cop_pictures), std::end(cop_pictures));
    for (int p : people) {
        EXPECT_GE(picture(p)->w, 16) << "person " << p;
        EXPECT_LE(picture(p)->w, 24) << "person " << p;
        EXPECT_GE(picture(p)->h, 16) << "person " << p;
        EXPECT_LE(picture(p)->h, 24) << "person " << p;
    }
    for (int shooter : {16, 45, 66}) {
        BITMAP *s = picture(shooter);
        for (int shot : {6, 32, 67}) {
            BITMAP *p = picture(shot);
            int hw = p->w / 2 - 8, hh = p->h / 2, cx = s->w / 2, cy = s->h / 2 - 20;
            const int points[5][2] = {{cx - hw, cy - hh}, {cx + hw, cy - hh}, {cx + hw, cy + hh},
                                      {cx - hw, cy + hh}, {cx, cy}};
            for (const auto &pt : points)
                for (int dy = -1; dy <= 1; ++dy)  // a pixel of slack for the turning
                    for (int dx = -1; dx <= 1; ++dx) {
                        int x = pt[0] + dx, y = pt[1] + dy;
                        bool inside = x >= 0 && y >= 0 && x < s->w && y < s->h;
                        EXPECT_FALSE(inside && s->line[y][x] != 0)
                            << "shot " << shot << " touches shooter " << shooter;
                    }
        }
    }
}

// How far ahead of the picture's centre the ink of a person reaches.
int reach_ahead(const BITMAP *b)
{
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (b->line[y][x]) return b->h / 2 - y;
    return 0;
}

TEST_F(PictureSprites, EveryWalkerStepsThroughARealWalkCycle)
{
    struct walker {
        std::vector<int> pictures;  // standing first, a full stride second
    };
    const walker walkers[] = {{{38, 40, 39, 41, 42, 43, 44, 45}},
                              {{59, 61, 60, 62, 63, 64, 65, 66}},
                              {{9, 11, 10, 12, 13, 14, 15, 16}},
                              {{17, 18, 19, 20, 21}}};
    for (const walker &w : walkers) {
        for (size_t i = 0; i < w.pictures.size(); ++i)
            for (size_t j = i + 1; j < w.pictures.size(); ++j) {
                BITMAP *a = picture(w.pictures[i]), *b = picture(w.pictures[j]);
                bool same = a->w == b->w && a->h == b->h;
                for (int y = 0; same && y < a->h; ++y)
                    same = std::memcmp(a->line[y], b->line[y], a->w) == 0;
                EXPECT_FALSE(same) << "pictures " << w.pictures[i] << " and " << w.pictures[j];
            }
        EXPECT_GE(reach_ahead(picture(w.pictures[1])), reach_ahead(picture(w.pictures[0])) + 2)
            << "the foot of a full stride shows ahead of the standing " << w.pictures[0];
    }
}

// His racing jacket is in the fixed yellows, which no recolouring reaches.
TEST_F(PictureSprites, TheSkidrunnerWearsWhatNobodyElseWears)
{
    auto yellows = [&](int p) {
        return count_colour_range(picture(p), COLOUR_LINE_YELLOW, COLOUR_LINE_YELLOW) +
               count_colour_range(picture(p), COLOUR_AMBER, COLOUR_AMBER);
    };
    for (int p = 59; p <= 66; ++p) EXPECT_GT(yellows(p), 25) << "skidrunner " << p;
    std::vector<int> others(std::begin(cop_pictures), std::end(cop_pictures));
    for (int p : civilian_people)
        if (p < 59) others.push_back(p);
    others.push_back(2);  // the crowd
    for (int p : others) EXPECT_EQ(yellows(p), 0) << "person " << p;
    // and an outline of his own: the standing player against the standing pedestrian and cop
    for (int other : {38, 9}) {
        BITMAP *a = picture(59), *b = picture(other);
        int differ = 0;
        for (int y = 0; y < a->h; ++y)
            for (int x = 0; x < a->w; ++x)
                differ += (a->line[y][x] != 0) != (getpixel(b, x, y) > 0);
        EXPECT_GT(differ, 12) << "against " << other;
    }
}

// The blast is drawn translucent and unturned; its frames grow to the full size, and the
// middle of the growing fireball is solid and light, so it still reads as fire over asphalt.
TEST_F(PictureSprites, TheBlastGrowsToItsFullSizeWithASolidLightCore)
{
    PALETTE pal;
    bitmap_ptr swatch(load_pcx("pal.pcx", pal));
    ASSERT_NE(swatch, nullptr);
    int largest = 0;
    for (int i = 22; i <= 29; ++i) largest = std::max(largest, picture(i)->w);
    EXPECT_GE(largest, 64);
    EXPECT_LE(largest, 96);
    EXPECT_LT(picture(22)->w, largest) << "it starts as a smaller flash";
    for (int i = 23; i <= 25; ++i) {
        BITMAP *b = picture(i);
        EXPECT_GE(b->w, picture(i - 1)->w) << "frame " << i << " grows";
        for (int y = b->h / 2 - 4; y < b->h / 2 + 4; ++y)
            for (int x = b->w / 2 - 4; x < b->w / 2 + 4; ++x) {
                ASSERT_NE(b->line[y][x], 0) << "frame " << i;
                EXPECT_GT(luminance(pal, b->line[y][x]), 40) << "frame " << i;
            }
    }
}

TEST_F(PictureSprites, TheSirenFlashesRedThenBlueOverTheRoof)
{
    auto differing = [&](int a, int b) {
        int n = 0;
        for (int y = 0; y < picture(a)->h; ++y)
            for (int x = 0; x < picture(a)->w; ++x)
                n += picture(a)->line[y][x] != picture(b)->line[y][x];
        return n;
    };
    EXPECT_GT(differing(55, 57), 60);
    EXPECT_GT(differing(55, 58), 60);
    EXPECT_GT(differing(57, 58), 100);
    EXPECT_GT(count_colour_range(picture(57), COLOUR_LIGHT_RED, COLOUR_LIGHT_RED),
              count_colour_range(picture(58), COLOUR_LIGHT_RED, COLOUR_LIGHT_RED));
    EXPECT_GT(count_colour_range(picture(58), COLOUR_LIGHT_BLUE, COLOUR_LIGHT_BLUE),
              count_colour_range(picture(57), COLOUR_LIGHT_BLUE, COLOUR_LIGHT_BLUE));
}

class PictureTiles : public testing::Test {
protected:
    void SetUp() override
    {
        data.reset(load_datafile("tiles.dat"));
        ASSERT_NE(data, nullptr);
        ASSERT_GE(object_count(data.get()), 22);
        swatch.reset(load_pcx("pal.pcx", pal));
        ASSERT_NE(swatch, nullptr);
    }
    BITMAP *tile(int object) const { return bitmap_at(data.get(), object); }
    // Mean luminance (0..63) of a picture.
    double mean_luminance(const BITMAP *b) const
    {
        double sum = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) sum += luminance(pal, b->line[y][x]);
        return sum / (b->w * b->h);
    }
    // Whether a picture repeated every `period` pixels meets itself without a seam: across the
    // seam it changes no more than between two columns (or rows) somewhere inside it.
    void expect_seamless(const BITMAP *t, int period, int object) const
    {
        auto step = [&](int x0, int y0, int x1, int y1, bool columns) {
            double d = 0;
            for (int k = 0; k < period; ++k) {
                int a = columns ? t->line[k][x0] : t->line[y0][k];
                int b = columns ? t->line[k][x1] : t->line[y1][k];
                d += std::abs(luminance(pal, a) - luminance(pal, b)) / period;
            }
            return d;
        };
        double worst_inner = 0;
        for (int j = 0; j + 1 < period; ++j)
            worst_inner =
                std::max({worst_inner, step(j, 0, j + 1, 0, true), step(0, j, 0, j + 1, false)});
        EXPECT_LE(step(period - 1, 0, 0, 0, true), worst_inner + 0.5) << "left-right, " << object;
        EXPECT_LE(step(0, period - 1, 0, 0, false), worst_inner + 0.5) << "top-bottom, " << object;
    }
    datafile_ptr data;
    PALETTE pal;
    bitmap_ptr swatch;
};

TEST_F(PictureTiles, FloorsAndTheRoofAreOpaqueAndMeetWithoutASeam)
{
    for (int i = 0; i <= 21; ++i) {
        ASSERT_EQ(data.get()[i].type, DAT_BITMAP) << "tile " << i;
        EXPECT_EQ(bitmap_color_depth(tile(i)), 8);
        // a hole in a floor shows the last frame; one in the roof, a building's hollow inside
        EXPECT_EQ(count_colour_range(tile(i), 0, 0), 0) << "tile " << i;
        if (i == 0) continue;
        ASSERT_EQ(tile(i)->w, 64);
        ASSERT_EQ(tile(i)->h, 64);
        expect_seamless(tile(i), 64, i);
    }
    // The roof is drawn 82 px square, 80 px from its neighbour: drawn at its own size, a block
    // of roofs shows the first 80 columns and rows of each, one after another.
    ASSERT_EQ(tile(0)->w, 82);
    ASSERT_EQ(tile(0)->h, 82);
    expect_seamless(tile(0), 80, 0);
}

// One wall colour gives every building its height: it must stand clearly apart from the roof
// above it and the ground below it.
TEST_F(PictureTiles, WallsStandApartFromRoofPavementAndRoad)
{
    double wall = luminance(pal, COLOUR_WALL);
    constexpr int ground[] = {0, 7, 19, 20};  // roof, pavement, lane, junction
    for (int object : ground)
        EXPECT_GT(std::abs(wall - mean_luminance(tile(object))), 8.0) << "tile " << object;
    EXPECT_GT(mean_luminance(tile(7)), 1.3 * mean_luminance(tile(20)))
        << "pavement is lighter than asphalt";
}

// Traffic drives on the right: the centre line runs on a driver's left and the kerb on his
// right, so two lanes side by side make one street; arrows show only before a junction.
TEST_F(PictureTiles, LanesShowWhichWayTrafficDrives)
{
    enum { NORTH, EAST, SOUTH, WEST };
    enum kind { PLAIN, JUNCTION, BRIDGE };
    struct lane {
        int object, heading, kind;
    };
    constexpr lane lanes[] = {{8, SOUTH, BRIDGE},   {9, EAST, BRIDGE},    {10, WEST, BRIDGE},
                              {11, NORTH, BRIDGE},  {12, WEST, PLAIN},    {13, EAST, PLAIN},
                              {14, WEST, JUNCTION}, {15, SOUTH, JUNCTION}, {16, NORTH, JUNCTION},
                              {17, EAST, JUNCTION}, {18, SOUTH, PLAIN},   {19, NORTH, PLAIN}};
    for (const lane &l : lanes) {
        BITMAP *t = tile(l.object);
        // pixel k of the edge on the driver's left (side 0) or right (side 1), and of the lane
        // a row or column at `depth` in from its left edge
        auto edge = [&](int side, int depth, int k) {
            int h = (l.heading + (side ? 2 : 0)) % 4;
            if (h == NORTH) return t->line[k][depth];
            if (h == EAST) return t->line[depth][k];
            if (h == SOUTH) return t->line[k][63 - depth];
            return t->line[63 - depth][k];
        };
        int left_white = 0, right_white = 0;
        double kerb = 0, road = 0;
        for (int k = 0; k < 64; ++k) {
            left_white += edge(0, 0, k) == COLOUR_LINE_WHITE;
            right_white += edge(1, 0, k) == COLOUR_LINE_WHITE;
            kerb += luminance(pal, edge(1, 0, k)) / 64;
            road += luminance(pal, edge(0, 10, k)) / 64;
        }
        if (l.kind != BRIDGE) EXPECT_GT(left_white, 16) << "centre line, tile " << l.object;
        EXPECT_EQ(right_white, 0) << "tile " << l.object;
        if (l.kind != JUNCTION) EXPECT_GT(kerb, 1.8 * road) << "kerb, tile " << l.object;

        // the row (or column) where an arrow is widest lies on the side it points to
        bool vertical = l.heading == NORTH || l.heading == SOUTH;
        int widest = 0, widest_at = 0;
        for (int a = 4; a < 60; ++a) {
            int n = 0;
            for (int b = 8; b < 56; ++b)
                n += (vertical ? t->line[a][b] : t->line[b][a]) == COLOUR_LINE_WHITE;
            if (n > widest) widest = n, widest_at = a;
        }
        if (l.kind != JUNCTION) {
            EXPECT_EQ(widest, 0) << "no arrow on tile " << l.object;
            continue;
        }
        ASSERT_GT(widest, 8) << "tile " << l.object << " shows an arrow";
        EXPECT_EQ(widest_at < 32, l.heading == NORTH || l.heading == WEST) << "tile " << l.object;
    }
}

// What a player must tell apart at a glance: water from land, grass from stone, and which way
// a zebra crossing runs (its bars lie along the street, side by side across it).
TEST_F(PictureTiles, FloorsLookLikeWhatTheyAre)
{
    auto mean = [&](int object, int channel) {
        double sum = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const RGB &c = pal[tile(object)->line[y][x]];
                sum += channel == 0 ? c.r : (channel == 1 ? c.g : c.b);
            }
        }
        return sum / (64 * 64);
    };
    EXPECT_GT(mean(21, 2), 1.5 * mean(21, 0)) << "water is blue";
    EXPECT_GT(mean(1, 1), 1.3 * mean(1, 0)) << "grass is green";
    EXPECT_GT(mean(1, 1), 1.3 * mean(1, 2));
    EXPECT_EQ(count_colour_range(tile(20), COLOUR_LINE_WHITE, COLOUR_LINE_WHITE), 0)
        << "plain junction asphalt has no markings";
    auto white_runs = [&](int object, bool along_rows) {
        int full = 0;
        for (int a = 0; a < 64; ++a) {
            int n = 0;
            for (int b = 0; b < 64; ++b) {
                BITMAP *t = tile(object);
                n += (along_rows ? t->line[a][b] : t->line[b][a]) == COLOUR_LINE_WHITE;
            }
            full += n > 40;
        }
        return full;
    };
    // code 17 (object 3) crosses a north-south street, code 18 (object 2) an east-west one
    EXPECT_GT(white_runs(3, false), 12);
    EXPECT_EQ(white_runs(3, true), 0);
    EXPECT_GT(white_runs(2, true), 12);
    EXPECT_EQ(white_runs(2, false), 0);
}

TEST(PicturePalette, NamedEntriesHaveTheColoursTheCodeCountsOn)
{
    PALETTE pal;
    bitmap_ptr swatch(load_pcx("pal.pcx", pal));
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(pal[0].r + pal[0].g + pal[0].b, 0);
    for (int ramp = 0; ramp < RAMP_COUNT; ++ramp) {
        int first = RAMP_FIRST + ramp * RAMP_SIZE;
        for (int i = first; i < first + RAMP_SIZE - 1; ++i)
            EXPECT_GT(luminance(pal, i), luminance(pal, i + 1))
                << "ramp runs light to dark at " << i;
        EXPECT_GT(luminance(pal, first), 40) << "every ramp starts light, ramp " << ramp;
        EXPECT_LT(luminance(pal, first + RAMP_SIZE - 1), 12) << "and ends dark, ramp " << ramp;
    }
    EXPECT_GT(luminance(pal, COLOUR_HUD_TEXT), 60);
    auto is_grey = [&](int i) {
        return std::abs(pal[i].r - pal[i].b) <= 2 && std::abs(pal[i].r - pal[i].g) <= 2;
    };
    EXPECT_TRUE(is_grey(COLOUR_WALL));
    EXPECT_TRUE(is_grey(COLOUR_WRECK_LIGHT));
    EXPECT_LT(luminance(pal, COLOUR_WRECK_LIGHT), 12) << "a wreck is charred";
    for (int i = COLOUR_BANNER_FIRST; i <= COLOUR_BANNER_LAST; ++i)
        EXPECT_GT(luminance(pal, i), 34) << "banner colour " << i << " stays bright";
    EXPECT_GT(luminance(pal, COLOUR_MENU_HIGHLIGHT), 1.5 * luminance(pal, COLOUR_MENU_PLAIN));
    EXPECT_GT(luminance(pal, COLOUR_MENU_PLAIN), 20);
    EXPECT_GT(pal[PAINT_FIRST + 5].r, 2 * pal[PAINT_FIRST + 5].g) << "cars are red as stored";
}

TEST(PictureTitle, PicturesCoverTheScreenAndTheMenuAreaIsCalm)
{
    datafile_ptr data(load_datafile("title.dat"));
    ASSERT_NE(data, nullptr);
    ASSERT_GE(object_count(data.get()), 5);
    PALETTE pal;
    bitmap_ptr swatch(load_pcx("pal.pcx", pal));
    ASSERT_NE(swatch, nullptr);
    for (int i : {0, 2, 4}) {
        ASSERT_EQ(data.get()[i].type, DAT_BITMAP) << "object " << i;
        EXPECT_EQ(bitmap_color_depth(bitmap_at(data.get(), i)), 8);
    }
    for (int i : {0, 4}) {
        EXPECT_GE(bitmap_at(data.get(), i)->w, 640);
        EXPECT_GE(bitmap_at(data.get(), i)->h, 480);
    }
    // behind the menu rows the picture is dark enough for the plain row colour to stand out
    BITMAP *menu = bitmap_at(data.get(), 0);
    double sum = 0;
    int n = 0;
    for (int y = 180; y < 450; ++y)
        for (int x = 170; x < 490; ++x, ++n) sum += luminance(pal, menu->line[y][x]);
    EXPECT_GT(luminance(pal, COLOUR_MENU_PLAIN), 2.5 * sum / n);
    BITMAP *pointer = bitmap_at(data.get(), 2);
    EXPECT_LE(pointer->w, 16);
    EXPECT_LE(pointer->h, 20);
    EXPECT_NE(pointer->line[0][0], 0) << "the pointer's tip is its top-left pixel";
    EXPECT_EQ(pointer->line[0][pointer->w - 1], 0) << "and the rest is see-through";
}

TEST(PictureFonts, FontsDrawInAnyColourAtTheirCellSizes)
{
    datafile_ptr data(load_datafile("font.dat"));
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data.get()[0].type, DAT_FONT);
    ASSERT_EQ(data.get()[1].type, DAT_FONT);
    FONT *game_font = static_cast<FONT *>(data.get()[0].dat);
    FONT *menu_font = static_cast<FONT *>(data.get()[1].dat);
    EXPECT_EQ(text_length(menu_font, "Busted!"), 7 * 16) << "the banner centres 8 px a letter";
    EXPECT_LE(text_height(menu_font), 48) << "menu rows are 50 px apart";
    bitmap_ptr banner(create_bitmap_ex(8, 7 * 16, text_height(menu_font)));
    clear_to_color(banner.get(), 0);
    textout_ex(banner.get(), menu_font, "BUSTED!", 0, 0, 1, -1);
    int rows_inked = 0;
    for (int y = 0; y < banner->h; ++y)
        rows_inked += std::count(banner->line[y], banner->line[y] + banner->w, 1) > 0;
    EXPECT_GE(rows_inked, 24) << "the banner's capitals stand tall enough not to be missed";
    EXPECT_EQ(text_length(game_font, "Felony: 100"), 11 * 8);
    EXPECT_LE(text_height(game_font), 12) << "HUD texts fit their 20-row strips";
    bitmap_ptr scratch(create_bitmap_ex(8, 40, 40));
    for (int c = 33; c <= 126; ++c) {
        for (FONT *f : {game_font, menu_font}) {
            clear_to_color(scratch.get(), 0);
            char text[2] = {static_cast<char>(c), 0};
            textout_ex(scratch.get(), f, text, 0, 0, 77, -1);
            int ink = count_colour_range(scratch.get(), 77, 77);
            EXPECT_GT(ink, 0) << "glyph " << c;
            EXPECT_EQ(ink, count_colour_range(scratch.get(), 1, 255)) << "one-colour glyph " << c;
        }
    }
    // no two characters share a glyph, so every text reads as written
    std::vector<std::vector<unsigned char>> seen;
    for (int c = 33; c <= 126; ++c) {
        clear_to_color(scratch.get(), 0);
        char text[2] = {static_cast<char>(c), 0};
        textout_ex(scratch.get(), game_font, text, 0, 0, 1, -1);
        std::vector<unsigned char> glyph;
        for (int y = 0; y < 12; ++y)
            glyph.insert(glyph.end(), scratch->line[y], scratch->line[y] + 8);
        EXPECT_EQ(std::find(seen.begin(), seen.end(), glyph), seen.end()) << "glyph " << c;
        seen.push_back(glyph);
    }
}

TEST(PictureHud, BarsDialAndArrowHaveTheShapesTheHudDrawsWith)
{
    datafile_ptr hud(load_datafile("hud.dat"));
    ASSERT_NE(hud, nullptr);
    for (int i : {0, 1, 3}) ASSERT_EQ(hud.get()[i].type, DAT_BITMAP) << "object " << i;
    for (int i : {0, 1}) {
        BITMAP *bar = bitmap_at(hud.get(), i);
        EXPECT_EQ(bar->h, 20);
        ASSERT_GE(bar->w, 200);
        // the visible part is stretch-drawn, so a colour-0 pixel would be a hole
        for (int y = 0; y < bar->h; ++y)
            for (int x = 0; x < 200; ++x) ASSERT_NE(bar->line[y][x], 0) << "bar " << i;
    }
    BITMAP *dial = bitmap_at(hud.get(), 3);
    EXPECT_GE(dial->w, 90);
    EXPECT_GE(dial->h, 90);
    EXPECT_NE(dial->line[45][45], 0) << "the needle's pivot is on the dial";
    EXPECT_EQ(dial->line[0][0], 0) << "the dial is round";
    // the scale follows the needle (speed - 150 in 256ths of a turn, clockwise from pointing
    // right): at every 20th speed there is a tick mark, darker than the face beside it
    PALETTE pal;
    bitmap_ptr swatch(load_pcx("pal.pcx", pal));
    ASSERT_NE(swatch, nullptr);
    auto on_scale = [&](double speed) {
        double a = (speed - 150) * 2 * 3.14159265358979 / 256;
        return luminance(
            pal,
            dial->line[std::lround(45 + 38 * std::sin(a))][std::lround(45 + 38 * std::cos(a))]);
    };
    for (int speed = 0; speed <= 220; speed += 20)
        EXPECT_LT(on_scale(speed), on_scale(speed + 5)) << "tick at speed " << speed;
    // at the edge of the screen the damage bar shows the car's state: green when whole, red
    // when nearly gone; the felony bar deepens as the level climbs
    BITMAP *damage = bitmap_at(hud.get(), 0), *felony = bitmap_at(hud.get(), 1);
    const RGB &whole = pal[damage->line[10][195]], &wrecked = pal[damage->line[10][5]];
    EXPECT_GT(whole.g, whole.r);
    EXPECT_GT(wrecked.r, 2 * wrecked.g);
    EXPECT_GT(luminance(pal, felony->line[3][5]), luminance(pal, felony->line[3][185]));

    datafile_ptr mission(load_datafile("mission.dat"));
    ASSERT_NE(mission, nullptr);
    ASSERT_EQ(mission.get()[0].type, DAT_BITMAP);
    BITMAP *arrow = bitmap_at(mission.get(), 0);
    EXPECT_EQ(arrow->w, 16);
    EXPECT_EQ(arrow->h, 16);
    int top = -1;
    for (int y = 0; y < arrow->h && top < 0; ++y)
        for (int x = 0; x < arrow->w; ++x)
            if (arrow->line[y][x]) top = y;
    EXPECT_LT(top, 3) << "the arrow points up";
    EXPECT_NE(arrow->line[top][7] | arrow->line[top][8], 0) << "its tip is centred";
    // turned any way, the notch in its tail still tells its point from its back
    EXPECT_EQ(arrow->line[14][7] | arrow->line[14][8], 0) << "its tail is notched";
    EXPECT_TRUE(arrow->line[14][2] && arrow->line[14][13]) << "between two wings";
}

}  // namespace
