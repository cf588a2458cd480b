// The sprite list, the counters, the templates, headings and the wanted level.
#include <unistd.h>

#include "actors/actors.h"
#include "game_fixture.h"

TEST_F(GameTest, NewSpritesGoToTheHeadAndRemovalKeepsTheListWhole)
{
    Sprite *a = make(pedestrian_template, 100, 100);
    Sprite *b = make(pedestrian_template, 200, 100);
    Sprite *c = make(pedestrian_template, 300, 100);
    Sprite *d = make(pedestrian_template, 400, 100);
    EXPECT_EQ(sprite_list, d);
    EXPECT_EQ(d->next, c);
    remove_sprite(d);  // the head
    EXPECT_EQ(sprite_list, c);
    remove_sprite(b);  // the middle
    EXPECT_EQ(c->next, a);
    remove_sprite(a);  // the last
    EXPECT_EQ(c->next, nullptr);
    EXPECT_EQ(list_length(), 1);
    remove_sprite(nullptr);  // does nothing
    EXPECT_EQ(list_length(), 1);
}

TEST_F(GameTest, CountersFollowCreationAndRemoval)
{
    Sprite *walker = create_sprite(&pedestrian_template, 10, 10, 0, 1);
    Sprite *police = create_sprite(&police_car_template, 10, 10, 0, 0);
    Sprite *both = create_sprite(&police_car_template, 10, 10, 0, -1);
    EXPECT_EQ(ambient_count, 2);
    EXPECT_EQ(police_count, 2);
    remove_sprite(both);
    EXPECT_EQ(ambient_count, 1);
    EXPECT_EQ(police_count, 1);
    remove_sprite(walker);
    remove_sprite(police);
    EXPECT_EQ(ambient_count, 0);
    EXPECT_EQ(police_count, 0);
}

TEST_F(GameTest, CreationFillsTheRecordFromItsArguments)
{
    Sprite *s = make(car_a_template, -10, 130, 64);
    EXPECT_EQ(s->tile_x, 0);  // truncation toward zero
    EXPECT_EQ(s->tile_y, 2);
    EXPECT_EQ(s->health, 100);
    EXPECT_EQ(s->wait, 1);
    EXPECT_EQ(s->scale, itofix(1));
    EXPECT_EQ(s->angle, itofix(64));
    EXPECT_EQ(s->images[0].object, 49);
    BITMAP *picture = (BITMAP *)sprites_data[49].dat;
    EXPECT_EQ(s->images[0].bitmap->w, picture->w);
    EXPECT_EQ(s->images[0].bitmap->h, picture->h);
}

TEST_F(GameTest, RemovedSpritesAreForgottenByTheirFollowers)
{
    Sprite *shooter = make(cop_template, 100, 100);
    Sprite *bullet = make(bullet_template, 120, 100);
    bullet->link = shooter;
    remove_sprite(shooter);
    EXPECT_EQ(bullet->link, nullptr);
}

// Pictures are altered per sprite (paint, scorch, dents): altering one sprite's picture leaves
// every other sprite's, and the shipped one, as they were.
TEST_F(GameTest, EachSpriteOwnsItsPictures)
{
    Sprite *a = make(car_b_template, 100, 100);
    Sprite *b = make(car_b_template, 300, 100);
    EXPECT_EQ(car_b_template.images[0].bitmap, nullptr);
    clear_to_color(own_picture(a, 0), 5);
    for (BITMAP *pb : {b->images[0].bitmap, (BITMAP *)sprites_data[a->images[0].object].dat})
        EXPECT_NE(getpixel(pb, pb->w / 2, pb->h / 2), 5);
    EXPECT_EQ(getpixel(a->images[0].bitmap, a->images[0].bitmap->w / 2, 10), 5);
    remove_sprite(a);  // frees its own copy, not the shipped picture
    Sprite *c = make(car_b_template, 500, 100);
    BITMAP *pc = c->images[0].bitmap;
    EXPECT_NE(getpixel(pc, pc->w / 2, pc->h / 2), 5);
}

TEST(Templates, FlagWordsAndValuesAreTheGamesTable)
{
    const uint32_t flags[TEMPLATE_COUNT] = {
        0x242, 0x242, 0x242, 0x242, 0x3, 0x3, 0x103, 0x3, 0x83, 0x2,  0x2,  0x2,
        0x2,   0x2,   0x2,   0x2,   0x42, 0x2, 0x2,   0x2, 0x82, 0x2, 0x15, 0x34,
        0x24,  0x36,  0x26,  0x27,  0x26, 0x19, 0x9,  0x1, 0x9,  0x19};
    const int power[TEMPLATE_COUNT] = {8,  8,  12, 8,  5,  2, 5, 3, 5,  12, 19, 10, 12, 18, 18, 11, 13,
                                       13, 13, 9,  16, 12, 0, 5, 2, 0, 20, 30, 21, 0,  0,  0,  0,  0};
    const int period[TEMPLATE_COUNT] = {1, 1, 1, 1, 5, 8, 5, 12, 5, 1, 1, 1, 1,  1, 1, 1,   1,
                                        1, 1, 1, 1, 1, 10, 4, 2, 15, 1, 1, 1, 0, 1000, 1, 0, 200};
    const int health[TEMPLATE_COUNT] = {100, 100, 100, 100, 3,   3,   3,   3, 3, 100, 100, 100,
                                        100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0,
                                        0,   200, 300, 10,  1,   0,   0,   100, 0, 0};
    const int images[TEMPLATE_COUNT] = {1, 2, 1, 1, 6, 11, 11, 5, 11, 2, 2, 2, 2, 2, 2, 2, 2,
                                        2, 2, 2, 4, 2, 2,  5,  1, 8,  1, 1, 18, 1, 1, 1, 1, 5};
    for (int i = 0; i < TEMPLATE_COUNT; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(templates[i].flags, flags[i]);
        EXPECT_EQ(templates[i].power, power[i]);
        EXPECT_EQ(templates[i].period, period[i]);
        EXPECT_EQ(templates[i].max_health, health[i]);
        EXPECT_EQ(templates[i].image_count, images[i]);
    }
    EXPECT_EQ(police_car_template.images[3].object, 56);
    EXPECT_EQ(skidrunner_template.images[8].object, 66);
    EXPECT_EQ(car_j_template.images[0].object, 1);
    EXPECT_EQ(car_templates[0], &car_g_template);
    EXPECT_EQ(car_templates[11], &car_b_template);
    EXPECT_EQ(weapons[0].reload, 35);
    EXPECT_EQ(weapons[3].projectile, &rocket_template);
    EXPECT_EQ(obstacle_template.behaviour, nullptr);
    EXPECT_EQ(car_h_template.behaviour, traffic_car_behaviour);
}

TEST_F(GameTest, HeadingsTowardSpritesAndPoints)
{
    Sprite *a = make(pedestrian_template, 1000, 1000, 17);
    Sprite *east = make(pedestrian_template, 1050, 1000);
    Sprite *diagonal = make(pedestrian_template, 1010, 1010);
    Sprite *north_west = make(pedestrian_template, 990, 990);
    EXPECT_EQ(angle_to_sprite(a, east), 17);  // an axis gives the own heading
    EXPECT_EQ(angle_to_sprite(a, diagonal), 32);
    EXPECT_EQ(angle_to_sprite(a, north_west) & 255, 160);
    EXPECT_EQ(angle_to_point(a, 1000, 900), 17);
    EXPECT_EQ(angle_to_point(a, 900, 1100) & 255, 96);
}

TEST_F(GameTest, FelonyRisesOnAFifthOrTheFirstCrimeSeenByPolice)
{
    fill_random(7);  // 7 % 5 != 0
    raise_felony();
    EXPECT_EQ(felony, 0);
    make(police_car_template, 5000, 5000);
    raise_felony();
    EXPECT_EQ(felony, 1);  // police about: the first crime counts
    raise_felony();
    EXPECT_EQ(felony, 1);
    fill_random(-10);  // a negative multiple of five counts too
    for (int i = 0; i < 10; i++) raise_felony();
    EXPECT_EQ(felony, 5);
    EXPECT_EQ(random_index, 10);  // one draw per crime
}

TEST_F(GameTest, BannerStartsForFiveSeconds)
{
    set_game_clock(2000);
    show_banner("Splash!");
    EXPECT_NE(banner_active, 0);
    EXPECT_STREQ(banner_text, "Splash!");
    EXPECT_EQ(banner_end_time, 7000);
}

using SpriteListDeathTest = GameTest;
TEST_F(SpriteListDeathTest, RemovingASpriteTwiceStopsTheGame)
{
    Sprite *a = make(pedestrian_template, 100, 100);
    Sprite copy = *a;
    EXPECT_EXIT(
        {
            remove_sprite(a);
            Sprite *stranger = &copy;
            remove_sprite(stranger);
        },
        testing::ExitedWithCode(1), "");
}
