// Collisions: drowning, scrapping, buildings, projectiles, people meeting cars, car crashes.
#include <cstdlib>

#include "actors/actors.h"
#include "sound/sound.h"
#include "game_fixture.h"

class CollideTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        player = make(skidrunner_template, 100, 100);  // far from every scene
    }
    // A 30 x 50 car (50 long on screen when heading east) at (x, y).
    Sprite *block_car(int x, int y, int heading = 0, const Sprite &source = car_a_template)
    {
        Sprite *c = make(source, x, y, heading);
        give_block_picture(c, 30, 50);
        c->behaviour = recording_behaviour;
        return c;
    }
    Sprite *block_person(int x, int y)
    {
        Sprite *p = make(pedestrian_template, x, y);
        give_block_picture(p, 16, 16);
        p->behaviour = recording_behaviour;
        return p;
    }
    static int count_with_object(int object)
    {
        int n = 0;
        for (Sprite *s = sprite_list; s; s = s->next) n += s->images[0].object == object;
        return n;
    }
};

TEST_F(CollideTest, AStandingCarDrownsButAJumperCrossesWater)
{
    set_cell(40, 40, TILE_WATER);
    Sprite *c = block_car(40 * 64 + 32, 40 * 64 + 32);
    collide_sprite(c);
    EXPECT_TRUE(c->flags & SPRITE_REMOVE);
    EXPECT_EQ(count_with_object(splash_template.images[0].object), 1);
    Sprite *jumper = block_person(40 * 64 + 10, 40 * 64 + 10);
    jumper->scale = 91750;
    collide_sprite(jumper);
    EXPECT_FALSE(jumper->flags & SPRITE_REMOVE);
    Sprite *flying = block_person(40 * 64 + 50, 40 * 64 + 10);
    set_sprite_layer(flying, LAYER_TOP);
    collide_sprite(flying);
    EXPECT_FALSE(flying->flags & SPRITE_REMOVE);
}

TEST_F(CollideTest, ThePlayersCarDrowningLeavesAMarkerAndSaysSplash)
{
    set_cell(40, 40, TILE_WATER);
    Sprite *c = block_car(40 * 64 + 32, 40 * 64 + 32);
    player = c;
    collide_sprite(c);
    EXPECT_NE(player, c);
    EXPECT_EQ(player->images[0].object, marker_template.images[0].object);
    EXPECT_EQ(player->x, c->x);
    EXPECT_STREQ(banner_text, "Splash!");
}

TEST_F(CollideTest, ASpentCarBecomesABurningWreckButAHeavyOneNever)
{
    Sprite *c = block_car(2000, 2000);
    c->health = 0;
    player = c;
    collide_sprite(c);
    EXPECT_TRUE(c->flags & SPRITE_WRECKED);
    EXPECT_EQ(c->behaviour, wreck_behaviour);
    EXPECT_STREQ(banner_text, "Scrap metal!");
    EXPECT_EQ(ambient_count, 1);  // the explosion
    int c_pixel = getpixel(c->images[0].bitmap, 15, 25);
    EXPECT_TRUE(c_pixel == 30 || c_pixel == 31);
    Sprite *truck = block_car(3000, 2000, 0, car_h_template);
    truck->health = -5;
    collide_sprite(truck);
    EXPECT_FALSE(truck->flags & SPRITE_WRECKED);
    Sprite *healthy = block_car(4000, 2000);
    healthy->health = 1;
    collide_sprite(healthy);
    EXPECT_FALSE(healthy->flags & SPRITE_WRECKED);
}

TEST_F(CollideTest, BuildingsPushBackAndHurtOncePerCorner)
{
    set_cell(50, 50, TILE_BUILDING);
    // Heading east with the front corners 5 px into the building.
    Sprite *c = block_car(50 * 64 - 20, 50 * 64 + 32);
    c->speed = 40;
    collide_sprite(c);
    EXPECT_EQ(c->health, 100 - 2 * (40 / 20 + 1));
    EXPECT_EQ(c->vx, itofix(c->x - (50 * 64 + 32)) / 50);
    EXPECT_LT(c->vx, 0);
    Sprite *rocket = make(rocket_template, 50 * 64 + 5, 50 * 64 + 32);
    collide_sprite(rocket);
    EXPECT_TRUE(rocket->flags & SPRITE_REMOVE);
    EXPECT_GE(count_with_object(explosion_template.images[0].object), 1);
}

TEST_F(CollideTest, ABulletKnocksAPersonDownAndTheShooterAnswersForIt)
{
    Sprite *victim = block_person(2000, 2000);
    Sprite *bullet = make(bullet_template, 2000, 2000);
    bullet->behaviour = recording_behaviour;
    bullet->link = player;
    fill_random(5);  // every crime counts
    collide_sprite(bullet);
    EXPECT_EQ(calls_of(victim, EVENT_STRUCK), 1);
    EXPECT_EQ(calls_of(bullet, EVENT_STRUCK), 1);
    EXPECT_EQ(felony, 1);
    int pixel = getpixel(victim->images[0].bitmap, 8, 8);
    EXPECT_TRUE(pixel == 30 || pixel == 31);
}

TEST_F(CollideTest, ABulletOnlyTakesItsDamageFromACar)
{
    Sprite *c = block_car(2000, 2000);
    Sprite *bullet = make(bullet_template, 2000, 2000);
    bullet->behaviour = recording_behaviour;
    collide_sprite(bullet);
    EXPECT_EQ(c->health, 90);
    EXPECT_EQ(calls_of(c, EVENT_STRUCK), 0);
    EXPECT_EQ(calls_of(bullet, EVENT_STRUCK), 1);
}

TEST_F(CollideTest, AFastCarKnocksAPersonDownAndASlowOnePushesOrLiftsIt)
{
    Sprite *c = block_car(2000, 2000);
    Sprite *p = block_person(2010, 2005);
    c->speed = 21;
    collide_sprite(p);
    EXPECT_GE(calls_of(p, EVENT_STRUCK), 1);
    EXPECT_EQ(p->angle, itofix(angle_to_sprite(p, c) - 128));

    behaviour_calls.clear();
    p->x = 2010, p->y = 2005;
    c->speed = 20;
    collide_sprite(p);
    EXPECT_EQ(calls_of(p, EVENT_STRUCK), 0);
    EXPECT_GT(p->x, 2010);  // pushed away from the car, 2 px per touching point
    EXPECT_EQ(sprite_layer(p), LAYER_MIDDLE);

    p->x = 2000, p->y = 2000;
    p->handbrake = -1;
    collide_sprite(p);
    EXPECT_EQ(p->frame, 2);
    EXPECT_EQ(p->scale, 91750);
    EXPECT_EQ(sprite_layer(p), LAYER_TOP);
    EXPECT_EQ(calls_of(p, EVENT_STRUCK), 0);
}

TEST_F(CollideTest, ThePlayersCarStrikingAPersonIsACrime)
{
    Sprite *c = block_car(2000, 2000);
    player = c;
    c->speed = 30;
    Sprite *p = block_person(2000, 2000);
    fill_random(5);
    collide_sprite(p);
    EXPECT_GE(felony, 1);
}

TEST_F(CollideTest, TwoCarsCrashShareVelocityAndPartThreePixels)
{
    // Only the front-left corner of s lies inside o.
    Sprite *s = block_car(1000, 1000);
    Sprite *o = block_car(1040, 982);
    s->speed = 36, o->speed = 10;
    s->vx = itofix(4), o->vx = itofix(2);
    collide_sprite(s);
    EXPECT_EQ(s->health, 100 - 1);
    EXPECT_EQ(o->health, 100 - 2);
    EXPECT_EQ(getpixel(s->images[0].bitmap, 15, 1), 0);  // a dent in the front edge
    EXPECT_EQ(getpixel(o->images[0].bitmap, 15, 1), 1);
    EXPECT_EQ(o->sample, sound_sample(7));
    EXPECT_EQ(s->sample, sound_sample(8));
    EXPECT_EQ(s->vx, itofix(3));
    EXPECT_EQ(o->vx, itofix(3));
    int dx = s->x - 1000, dy = s->y - 1000;
    EXPECT_GE(dx * dx + dy * dy, 6);  // about 3 px
    EXPECT_LE(dx * dx + dy * dy, 13);
    EXPECT_LT(s->x, 1000);  // apart
    EXPECT_GT(o->x, 1040);
}

TEST_F(CollideTest, ASlowCrashMakesNoDentAndNoSound)
{
    Sprite *s = block_car(1000, 1000);
    Sprite *o = block_car(1040, 982);
    s->speed = 35, o->speed = 35;
    collide_sprite(s);
    EXPECT_EQ(getpixel(s->images[0].bitmap, 15, 1), 1);
    EXPECT_EQ(s->sample, nullptr);
}

TEST_F(CollideTest, AHeavyVehicleStaysAndSpinsTheOther)
{
    Sprite *truck = block_car(1000, 1000, 0, car_h_template);
    Sprite *o = block_car(1040, 982);
    truck->speed = 60;
    collide_sprite(truck);
    EXPECT_EQ(truck->x, 1000);
    EXPECT_EQ(truck->y, 1000);
    EXPECT_EQ(abs(o->spin), itofix(2));
    EXPECT_NE(o->x, 1040);
}

TEST_F(CollideTest, PeopleNeverCollideWithEachOther)
{
    Sprite *a = block_person(2000, 2000);
    Sprite *b = block_person(2004, 2000);
    collide_sprite(a);
    EXPECT_EQ(a->x, 2000);
    EXPECT_EQ(b->x, 2004);
    EXPECT_TRUE(behaviour_calls.empty());
}

// A contact reads the other sprite's picture turned as the screen shows it from a kept copy
// instead of drawing it into a cleared 200 x 200 scratch: every pixel of that scratch must be the
// same, where the scratch's edge cuts the picture too, at headings between whole units and at
// the sizes of a leap and beyond.
TEST_F(CollideTest, KeptTurnedPicturesAreTheScratchsPixels)
{
    BITMAP *scratch = create_bitmap(200, 200);
    int differing = 0;
    for (const Sprite *kind : {&car_a_template, &pedestrian_template, &police_car_template}) {
        BITMAP *b = sprite_bitmap(make(*kind, 1000, 1000));
        for (int i = 0; i < 60; i++) {
            fixed angle = i * 1234567 - 30000000;
            fixed scale = i % 3 == 0 ? ftofix(1.4) : (i % 3 == 1 ? itofix(1) : itofix(2));
            int left = 100 - b->w / 2 + (i * 37) % 220 - 110, top = 100 - b->h / 2 + (i * 53) % 220 - 110;
            clear_bitmap(scratch);
            rotate_scaled_sprite(scratch, b, left, top, angle, scale);
            for (int y = 0; y < 200; y++)
                for (int x = 0; x < 200; x++)
                    differing += getpixel(scratch, x, y) != turned_pixel(b, angle, scale, x - left, y - top);
        }
    }
    destroy_bitmap(scratch);
    EXPECT_EQ(differing, 0);
}
