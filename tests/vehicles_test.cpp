// Getting in and out of cars, car-jacking, and the spawning of traffic and pedestrians.
#include <cstdlib>

#include "actors/actors.h"
#include "game_fixture.h"

class VehiclesTest : public GameTest {
protected:
    // A car heading north at (2000, 2000): its door point is (1975, 2000).
    Sprite *parked()
    {
        Sprite *c = make(car_b_template, 2000, 2000, 192);
        c->behaviour = empty_car_behaviour;
        return c;
    }
};

TEST_F(VehiclesTest, TheDoorIsTwentyFivePixelsLeftOfTheHeading)
{
    Sprite *c = parked();
    Point d = door_point(c);
    EXPECT_EQ(d.x, 1975);
    EXPECT_EQ(d.y, 2000);
    c->angle = 0;  // heading east: the door is north
    d = door_point(c);
    EXPECT_EQ(d.x, 2000);
    EXPECT_EQ(d.y, 1975);
}

TEST_F(VehiclesTest, AtTheDoorThePlayerBecomesTheCar)
{
    Sprite *c = parked();
    Sprite *walker = player = make(skidrunner_template, 1980, 2005);
    enter_or_leave_vehicle();
    EXPECT_EQ(player, c);
    EXPECT_TRUE(walker->flags & SPRITE_REMOVE);
    EXPECT_EQ(c->wait, 15);
    EXPECT_EQ(c->frame, c->image_count - 1);
    EXPECT_EQ(felony, 0);  // an empty car is no crime
}

TEST_F(VehiclesTest, NearACarThePlayerWalksToItsDoor)
{
    Sprite *c = parked();
    player = make(skidrunner_template, 1975 + 60, 2010);
    enter_or_leave_vehicle();
    EXPECT_EQ(player->link, c);
    EXPECT_NE(player->forward, 0);
    int heading = fixtoi(player->angle) & 255;  // west and a little north, toward the door
    EXPECT_GT(heading, 128);
    EXPECT_LT(heading, 150);
    Sprite *far = player = make(skidrunner_template, 1975 + 80, 2000);
    enter_or_leave_vehicle();
    EXPECT_EQ(far->link, nullptr);
}

TEST_F(VehiclesTest, AMovingCarCannotBeTaken)
{
    Sprite *c = parked();
    c->speed = 25;
    Sprite *walker = player = make(skidrunner_template, 1980, 2005);
    enter_or_leave_vehicle();
    EXPECT_EQ(player, walker);
    EXPECT_EQ(walker->link, nullptr);
}

TEST_F(VehiclesTest, LeavingAtSpeedTwentyButNotTwentyOne)
{
    Sprite *c = parked();
    player = c;
    c->speed = 21;
    enter_or_leave_vehicle();
    EXPECT_EQ(player, c);
    c->speed = 20;
    enter_or_leave_vehicle();
    ASSERT_NE(player, c);
    EXPECT_TRUE(player->flags & SPRITE_ON_FOOT);
    EXPECT_EQ(player->x, 1975);
    EXPECT_EQ(player->y, 2000);
    EXPECT_EQ(player->health, player->max_health);
    EXPECT_EQ(c->wait, 35);
    EXPECT_EQ(c->frame, c->image_count - 1);
    EXPECT_EQ(c->behaviour, empty_car_behaviour);
}

TEST_F(VehiclesTest, APolicemanTakesOnlyAnEmptyPoliceCar)
{
    player_template = &cop_template;
    Sprite *civilian = parked();
    Sprite *cop = player = make(cop_template, 1980, 2005);
    enter_or_leave_vehicle();
    EXPECT_EQ(player, cop);
    EXPECT_EQ(cop->link, nullptr);  // nor does he walk to it
    cop->x = 1975 + 60;
    enter_or_leave_vehicle();
    EXPECT_EQ(cop->link, nullptr);
    (void)civilian;

    Sprite *patrol = make(police_car_template, 4000, 4000, 192);
    cop->x = 3980, cop->y = 4005;
    enter_or_leave_vehicle();
    EXPECT_EQ(player, cop);  // a police car with its driver is not his
    patrol->behaviour = empty_car_behaviour;
    enter_or_leave_vehicle();
    EXPECT_EQ(player, patrol);
}

TEST_F(VehiclesTest, CarJackingThrowsTheDriverOutAndIsACrime)
{
    Sprite *c = parked();
    c->behaviour = traffic_car_behaviour;
    c->forward = 1, c->turn = itofix(2);
    make(police_car_template, 6000, 6000);  // police about: the first crime counts
    player = make(skidrunner_template, 1980, 2005);
    enter_or_leave_vehicle();
    EXPECT_EQ(player, c);
    EXPECT_EQ(c->behaviour, empty_car_behaviour);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->turn, 0);
    EXPECT_EQ(felony, 1);
    Sprite *driver = sprite_list;
    EXPECT_EQ(driver->images[0].object, pedestrian_template.images[0].object);
    EXPECT_EQ(driver->x, 1975);
    EXPECT_EQ(driver->wait, 200);
    EXPECT_EQ(driver->frame, 10);
    EXPECT_EQ(sprite_layer(driver), LAYER_BOTTOM);
    EXPECT_EQ(driver->link, c);
    EXPECT_EQ(driver->power, 5);
}

TEST_F(VehiclesTest, AHijackedPoliceCarLosesAPoliceman)
{
    Sprite *patrol = make(police_car_template, 2000, 2000, 192);
    player = make(skidrunner_template, 1980, 2005);
    enter_or_leave_vehicle();
    EXPECT_EQ(player, patrol);
    EXPECT_EQ(sprite_faction(sprite_list), FACTION_POLICE);
    EXPECT_TRUE(sprite_list->flags & SPRITE_ON_FOOT);
}

class SpawnTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        fill_map(5);  // road heading east everywhere
        player = make(skidrunner_template, 4800, 4800);
    }
    // Calls spawn_ambient until it makes a sprite; null when 500 attempts make none.
    Sprite *spawn_one()
    {
        for (int i = 0; i < 500; i++) {
            Sprite *head = sprite_list;
            spawn_ambient();
            if (sprite_list != head) return sprite_list;
        }
        return nullptr;
    }
};

// Every spawn lands off screen, clear of the others, and inside the window the despawning
// keeps: with the game's table, and with a table of nothing but negative numbers.
TEST_F(SpawnTest, SpawnsLandOffScreenInsideTheWindowAndClearOfOthers)
{
    for (int table = 0; table < 2; table++) {
        if (table == 1)
            for (uint32_t i = 0; i < 256; i++) random_table[i] = -1 - (int32_t)(i * 2654435761u >> 1);
        for (int n = 0; n < 20; n++) {
            Sprite *before = sprite_list;
            Sprite *s = spawn_one();
            ASSERT_NE(s, nullptr) << "table " << table << ", spawn " << n;
            int corner_x = s->x - 32, corner_y = s->y - 32;
            EXPECT_GT(abs(player->x - corner_x), 320);
            EXPECT_GT(abs(player->y - corner_y), 240);
            EXPECT_LE(abs(player->x - s->x), 640);
            EXPECT_LE(abs(player->y - s->y), 480);
            for (Sprite *o = before; o; o = o->next)
                EXPECT_FALSE(abs(o->x - corner_x) < 64 && abs(o->y - corner_y) < 64);
            EXPECT_EQ(s->angle, 0);  // the road's direction
            EXPECT_NE(s->ambient, 0);
        }
        while (sprite_list != player) remove_sprite(sprite_list);
    }
    EXPECT_EQ(ambient_count, 0);
}

TEST_F(SpawnTest, PoliceAreSentInWhileFewerThanTheWantedLevel)
{
    felony = 3;
    make(police_car_template, 100, 100);
    for (int n = 0; n < 2; n++) {
        Sprite *s = spawn_one();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->behaviour, police_car_behaviour);
    }
    EXPECT_EQ(police_count, 3);
    fill_random(60);  // kind 0, no 1-in-21 chance: the cell (65, 67) gets ordinary traffic
    Sprite *s = spawn_one();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->behaviour, traffic_car_behaviour);
    EXPECT_EQ(s->x, 65 * 64 + 32);
    EXPECT_EQ(s->y, 67 * 64 + 32);
}

TEST_F(SpawnTest, ANegativeKindStillMakesOrdinaryTraffic)
{
    // Cell (65, 67), off screen; kind -5 % 12 = -5 is the eighth model; no police are due.
    std::fill(random_table, random_table + 256, 1);
    random_table[1] = 0;  // each draw moves on first, then reads
    random_table[2] = 0;
    random_table[3] = -5;
    random_index = 0;
    spawn_ambient();
    ASSERT_EQ(random_index, 5);  // two for the cell, kind, r, the paint
    Sprite *s = sprite_list;
    ASSERT_NE(s, player);
    EXPECT_EQ(s->images[0].object, car_templates[7]->images[0].object);
    EXPECT_EQ(s->behaviour, traffic_car_behaviour);
    EXPECT_EQ(police_count, 0);
}

TEST_F(SpawnTest, PedestriansOnPavementWithAnyHeading)
{
    fill_map(TILE_PAVEMENT);
    Sprite *s = spawn_one();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->flags & SPRITE_ON_FOOT);
    EXPECT_NE(s->ambient, 0);
}

TEST_F(SpawnTest, NothingOnGrassOrBuildings)
{
    fill_map(TILE_GRASS);
    EXPECT_EQ(spawn_one(), nullptr);
}

TEST_F(SpawnTest, AFullWindowGivesTheAttemptUp)
{
    // A sprite at every corner a draw can reach: no free cell anywhere.
    for (int cx = 65; cx <= 84; cx++)
        for (int cy = 67; cy <= 81; cy++) make(marker_template, cx * 64, cy * 64);
    int length = list_length();
    int index = random_index;
    spawn_ambient();
    EXPECT_EQ(list_length(), length);
    EXPECT_EQ(random_index, (index + 2 * SPAWN_MAX_DRAWS) % 256);
}
