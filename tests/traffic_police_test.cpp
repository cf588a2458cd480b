// Traffic that gives up when damaged, police cars that patrol, chase and let policemen out,
// policemen on foot who arrest, pull drivers out and walk back, driverless cars and wrecks.
#include <cstdlib>

#include "actors/actors.h"
#include "game_fixture.h"
#include "sound/sound.h"

class TrafficTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        player = make(skidrunner_template, 100, 100);  // far from every scene
    }
    // The player at the wheel of a car at (x, y), heading angle units.
    static Sprite *player_driving(int x, int y, int speed, int angle_units = 0)
    {
        player = make(car_b_template, x, y, angle_units);
        player->behaviour = empty_car_behaviour;
        player->speed = speed;
        return player;
    }
    static int smoke_puffs()
    {
        int n = 0;
        for (Sprite *s = sprite_list; s; s = s->next) n += s->images[0].object == 72;
        return n;
    }
};

// ---- Traffic ----

TEST_F(TrafficTest, TrafficDrivesByTheRoadUntilAQuarterHealthThenItsDriverWalksAway)
{
    fill_map(2);  // road going south
    Sprite *c = make(car_a_template, 3000, 3000, 192);  // heading north: the door is west
    c->frame = 1;  // the door stood open
    c->vx = itofix(2);
    c->health = 26;
    int length = list_length();
    traffic_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 0);
    EXPECT_EQ(c->forward, 1);
    EXPECT_EQ(c->turn, itofix(2));  // half a turn from the road's south: +2 from above
    EXPECT_EQ(c->behaviour, traffic_car_behaviour);
    EXPECT_EQ(list_length(), length);

    c->health = 25;
    traffic_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->behaviour, empty_car_behaviour);
    EXPECT_EQ(smoke_puffs(), 1);
    Sprite *driver = sprite_list;
    EXPECT_EQ(driver->behaviour, pedestrian_behaviour);
    EXPECT_EQ(driver->images[0].object, pedestrian_template.images[0].object);
    EXPECT_EQ(driver->x, 2975);
    EXPECT_EQ(driver->y, 3000);
    EXPECT_NE(driver->ambient, 0);
    EXPECT_EQ(c->frame, c->image_count - 1);
    EXPECT_EQ(c->wait, 35);
}

// ---- Police cars ----

TEST_F(TrafficTest, APatrollingPoliceCarIsRepairedEveryUpdate)
{
    fill_map(5);
    Sprite *c = make(police_car_template, 3000, 3000, 1);
    c->health = 10;
    c->frame = 2;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 0);
    EXPECT_EQ(c->health, 100);
    EXPECT_EQ(c->forward, 1);  // drives like traffic
    EXPECT_EQ(c->angle, 0);

    // Playing the cop, the police never chase, whatever the wanted level.
    player_template = &cop_template;
    felony = 3;
    c->health = 10;
    c->frame = 2;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 0);
    EXPECT_EQ(c->health, 100);
}

TEST_F(TrafficTest, AChasingPoliceCarFlashesItsSirenAndRamsThePlayer)
{
    felony = 1;
    player_driving(4000, 3500, 40);
    Sprite *c = make(police_car_template, 3000, 3000, 0);
    int siren[] = {1, 2, 1, 2};
    for (int expected : siren) {
        police_car_behaviour(c, EVENT_UPDATE);
        EXPECT_EQ(c->frame, expected);
        EXPECT_EQ(c->forward, 1);
    }
    c->frame = 3;  // a door just shut
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 1);

    // It turns to face the player only once it moves faster than 1 px per update.
    Sprite *target = player;
    target->speed = 16;
    c->vx = itofix(1);
    c->vy = -itofix(1);  // exactly 1.0 px per update: not yet
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->angle, 0);
    EXPECT_EQ(c->forward, 1);
    c->vy = -itofix(1) - 1;
    police_car_behaviour(c, EVENT_UPDATE);
    int toward = angle_to_sprite(c, target);
    EXPECT_EQ(c->angle, itofix(toward));
    EXPECT_EQ(toward, 19);  // 1000 px east, 500 px south

    // A player slower than 16 but not crawling: no ramming, nobody gets out.
    c->angle = 0;
    c->forward = 0;
    target->speed = 15;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->angle, 0);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->behaviour, police_car_behaviour);
}

TEST_F(TrafficTest, AtAQuarterHealthAChasingPoliceCarOnlySmokes)
{
    felony = 1;
    player_driving(4000, 3500, 40);
    Sprite *c = make(police_car_template, 3000, 3000, 0);
    c->vx = itofix(3);
    c->health = 25;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->angle, 0);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->health, 25);  // not repaired while chasing
    EXPECT_EQ(smoke_puffs(), 1);
    c->health = 26;
    c->x = 2000;  // clear of its own smoke, which it would treat as an obstacle
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_NE(c->angle, 0);
    EXPECT_EQ(c->forward, 1);
    EXPECT_EQ(smoke_puffs(), 1);
}

TEST_F(TrafficTest, APoliceCarLetsAPolicemanOutNearAPlayerOnFoot)
{
    felony = 1;
    player = make(skidrunner_template, 8000, 8000);  // far away: it does not matter
    Sprite *c = make(police_car_template, 3000, 3000, 192);
    c->forward = 1;
    c->speed = 20;
    int length = list_length();
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->behaviour, police_car_behaviour);
    EXPECT_EQ(list_length(), length);

    fill_random(5);  // 5 mod 5 is 0: the policeman shouts
    c->speed = 19;
    int police = police_count;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->behaviour, empty_car_behaviour);
    EXPECT_EQ(c->forward, 0);
    Sprite *cop = sprite_list;
    EXPECT_EQ(cop->behaviour, cop_on_foot_behaviour);
    EXPECT_EQ(cop->link, c);
    EXPECT_EQ(cop->x, 2975);
    EXPECT_EQ(cop->y, 3000);
    EXPECT_EQ(sprite_faction(cop), FACTION_POLICE);
    EXPECT_EQ(cop->sample, sound_sample(14));
    EXPECT_EQ(police_count, police + 1);
    EXPECT_EQ(c->wait, 35);

    // A player crawling along in a car is treated like one on foot.
    fill_random(1);
    player_driving(8000, 8000, 7);
    Sprite *d = make(police_car_template, 5000, 5000, 192);
    police_car_behaviour(d, EVENT_UPDATE);
    EXPECT_EQ(d->behaviour, empty_car_behaviour);
    EXPECT_EQ(sprite_list->link, d);
    EXPECT_EQ(sprite_list->sample, nullptr);  // 1 mod 5: silent
}

TEST_F(TrafficTest, AChasingPoliceCarHoldsBackForSomethingWithinFiftyPixels)
{
    felony = 1;
    player_driving(6000, 6000, 40);
    Sprite *c = make(police_car_template, 3000, 3000, 0);
    give_block_picture(c, 30, 50);
    Sprite *walker = make(pedestrian_template, 3024, 3050);
    give_block_picture(walker, 16, 16);
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->forward, 1);
    walker->y = 3049;
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->forward, 0);
    set_sprite_layer(walker, LAYER_BOTTOM);
    police_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->forward, 1);
}

// ---- Policemen on foot ----

class PolicemanTest : public TrafficTest {
protected:
    void SetUp() override
    {
        TrafficTest::SetUp();
        felony = 1;
        fill_random(1);  // no shots unless a test asks
    }
    static Sprite *policeman(int x, int y)
    {
        Sprite *cop = make(cop_template, x, y);
        return cop;
    }
};

TEST_F(PolicemanTest, AWantedPlayerWithinNinePixelsIsBusted)
{
    Sprite *cop = policeman(3000, 3000);
    Sprite *runner = player = make(skidrunner_template, 3010, 3009);
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(banner_text, nullptr);
    EXPECT_EQ(cop->forward, 1);
    EXPECT_EQ(cop->handbrake, 1);
    EXPECT_EQ(runner->behaviour, pedestrian_behaviour);

    runner->x = 3009;
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_STREQ(banner_text, "Busted!");
    EXPECT_NE(banner_active, 0);
    EXPECT_EQ(cop->forward, 0);
    EXPECT_EQ(cop->sample, sound_sample(25));
    EXPECT_EQ(runner->behaviour, one_shot_behaviour);
    EXPECT_EQ(runner->wait, 5000);
    EXPECT_EQ(runner->frame, runner->image_count - 1);
    EXPECT_EQ(sprite_layer(runner), LAYER_BOTTOM);
    EXPECT_EQ(player, runner);  // until the banner ends
}

TEST_F(PolicemanTest, NoArrestWithoutAWantedLevelWhileABannerShowsOrForTheCop)
{
    Sprite *cop = policeman(3000, 3000);
    Sprite *runner = player = make(skidrunner_template, 3005, 3005);
    felony = 0;
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(cop->forward, 0);
    EXPECT_EQ(cop->angle, 0);  // does not even look at the player
    EXPECT_EQ(runner->behaviour, pedestrian_behaviour);

    felony = 1;
    banner_active = -1;
    banner_text = "Wasted!";
    cop->forward = 1;
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(cop->forward, 0);
    EXPECT_EQ(cop->angle, itofix(angle_to_sprite(cop, runner)));  // watches, stands still
    EXPECT_EQ(runner->behaviour, pedestrian_behaviour);
    EXPECT_STREQ(banner_text, "Wasted!");

    banner_active = 0;
    banner_text = nullptr;
    player_template = &cop_template;
    felony = 5;
    Sprite *me = player = make(cop_template, 3005, 3005);
    cop->forward = 0;
    cop->angle = 0;
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(cop->forward, 0);
    EXPECT_EQ(cop->angle, 0);
    EXPECT_EQ(me->behaviour, cop_on_foot_behaviour);
    EXPECT_EQ(banner_text, nullptr);
}

TEST_F(PolicemanTest, APolicemanWalksAtThePlayerAndShootsByChance)
{
    Sprite *cop = policeman(3000, 3000);
    player = make(skidrunner_template, 3100, 3060);
    cop->vx = itofix(1);
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(cop->angle, itofix(angle_to_sprite(cop, player)));
    EXPECT_EQ(cop->forward, 1);
    EXPECT_EQ(cop->frame, 1);  // walking
    int length = list_length();

    fill_random(50);  // 50 mod 50 is 0: a shot
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    ASSERT_EQ(list_length(), length + 1);
    Sprite *bullet = sprite_list;
    EXPECT_EQ(bullet->behaviour, bullet_behaviour);
    EXPECT_EQ(bullet->link, cop);
    EXPECT_EQ(cop->wait, 35);  // the first weapon's reload
    EXPECT_EQ(cop->frame, 8);
}

TEST_F(PolicemanTest, ASlowDriverIsPulledOutOfTheCar)
{
    Sprite *car = player_driving(2000, 2000, 30, 192);  // the door is at (1975, 2000)
    Sprite *cop = policeman(1994, 1981);
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(player, car);

    car->speed = 29;
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    ASSERT_NE(player, car);
    EXPECT_TRUE(player->flags & SPRITE_ON_FOOT);
    EXPECT_EQ(player->images[0].object, skidrunner_template.images[0].object);
    EXPECT_EQ(player->x, 1975);
    EXPECT_EQ(player->y, 2000);
    EXPECT_EQ(player->frame, player->image_count - 1);
    EXPECT_EQ(player->wait, 1000);
    EXPECT_EQ(car->wait, 35);

    Sprite *other = player_driving(5000, 5000, 10, 192);
    Sprite *late = policeman(4975 + 20, 5000);  // 20 px from the door: too far
    cop_on_foot_behaviour(late, EVENT_UPDATE);
    EXPECT_EQ(player, other);
}

TEST_F(PolicemanTest, WhenThePlayerDrivesOffThePolicemanGoesBackToHisCar)
{
    Sprite *car = make(police_car_template, 3030, 3010);
    car->behaviour = empty_car_behaviour;
    Sprite *cop = policeman(3010, 3000);
    cop->link = car;
    player_driving(3500, 3500, 50);  // the door point is (3500, 3475)
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_EQ(cop->angle, itofix(angle_to_sprite(cop, car)));
    EXPECT_FALSE(cop->flags & SPRITE_REMOVE);
    EXPECT_EQ(car->behaviour, empty_car_behaviour);

    cop->x = 3011;
    cop->y = 2991;  // 19 px on both axes
    cop_on_foot_behaviour(cop, EVENT_UPDATE);
    EXPECT_TRUE(cop->flags & SPRITE_REMOVE);
    EXPECT_EQ(car->behaviour, police_car_behaviour);

    // Only 175 px away on one axis: the chase goes on.
    Sprite *chaser = policeman(3000, 3000);
    chaser->link = car;
    player_driving(3500, 3200, 50);
    cop_on_foot_behaviour(chaser, EVENT_UPDATE);
    EXPECT_EQ(chaser->angle, itofix(angle_to_sprite(chaser, player)));
    EXPECT_EQ(chaser->forward, 1);
}

TEST_F(PolicemanTest, AStruckPolicemanIsThrownAndDies)
{
    Sprite *cop = policeman(3000, 3000);
    cop->forward = cop->reverse = 1;
    cop->turn = itofix(3);
    cop->wait = 7;
    cop_on_foot_behaviour(cop, EVENT_STRUCK);
    EXPECT_EQ(cop->behaviour, dying_behaviour);
    EXPECT_NEAR(cop->scale, ftofix(1.1), 1);
    EXPECT_EQ(cop->frame, 9);
    EXPECT_TRUE(cop->flags & SPRITE_WRECKED);
    EXPECT_EQ(cop->forward, 0);
    EXPECT_EQ(cop->reverse, 0);
    EXPECT_EQ(cop->turn, 0);
    EXPECT_EQ(cop->wait, 0);
    EXPECT_EQ(sprite_layer(cop), LAYER_MIDDLE);
}

// ---- Driverless cars and wrecks ----

TEST_F(TrafficTest, DriverlessCarsRollToAStopButThePlayersCarKeepsItsControls)
{
    Sprite *c = make(car_a_template, 3000, 3000);
    c->frame = 1;
    empty_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 0);
    empty_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->frame, 0);
    Sprite *p = make(police_car_template, 4000, 3000);
    p->frame = 3;
    int flashing[] = {1, 2, 1};
    for (int expected : flashing) {
        empty_car_behaviour(p, EVENT_UPDATE);
        EXPECT_EQ(p->frame, expected);
    }

    // Nobody drives them: they roll to a stop.
    c->forward = 1;
    c->turn = itofix(2);
    empty_car_behaviour(c, EVENT_UPDATE);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->turn, 0);
    EXPECT_EQ(smoke_puffs(), 0);

    Sprite *mine = player_driving(5000, 5000, 10);
    mine->forward = -1;
    mine->turn = itofix(2);
    empty_car_behaviour(mine, EVENT_UPDATE);
    EXPECT_EQ(mine->forward, -1);
    EXPECT_EQ(mine->turn, itofix(2));

    mine->health = 25;  // a quarter left: it smokes, and the player still steers
    empty_car_behaviour(mine, EVENT_UPDATE);
    EXPECT_EQ(smoke_puffs(), 1);
    EXPECT_EQ(mine->turn, itofix(2));
    EXPECT_EQ(mine->forward, -1);
}

TEST_F(TrafficTest, TyresSquealWhileTurningFast)
{
    Sprite *mine = player_driving(5000, 5000, 61);
    mine->turn = itofix(2);
    empty_car_behaviour(mine, EVENT_UPDATE);
    EXPECT_EQ(mine->sample, sound_sample(22));
    EXPECT_NE(mine->sample_loop, 0);
    mine->speed = 60;
    empty_car_behaviour(mine, EVENT_UPDATE);
    EXPECT_EQ(mine->sample_loop, 0);  // stopped

    mine->speed = 80;
    mine->turn = 0;  // straight on: silent
    empty_car_behaviour(mine, EVENT_UPDATE);
    EXPECT_EQ(mine->sample_loop, 0);
}

TEST_F(TrafficTest, AWreckBurnsAndCannotBeDriven)
{
    Sprite *w = player_driving(3000, 3000, 0);
    for (int event : {EVENT_UPDATE, EVENT_STRUCK}) {
        w->forward = w->reverse = w->handbrake = -1;
        w->turn = itofix(2);
        int puffs = smoke_puffs();
        wreck_behaviour(w, event);
        EXPECT_EQ(w->forward, 0);
        EXPECT_EQ(w->reverse, 0);
        EXPECT_EQ(w->handbrake, 0);
        EXPECT_EQ(w->turn, 0);
        EXPECT_EQ(smoke_puffs(), puffs + 1);
    }
}
