// The world update: who is processed when, walking and driving physics, despawning, camera.
#include <cstdlib>

#include "actors/actors.h"
#include "game_fixture.h"
#include "sound/sound.h"

class WorldTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        player = make(skidrunner_template, 3000, 3000);
        ambient_count = AMBIENT_TARGET;  // no traffic topped up unless a test asks
    }
    // A quiet car away from the player, its behaviour only writing down its calls.
    Sprite *car(int power = 12)
    {
        Sprite *c = make(car_a_template, 4000, 4000);
        c->power = power;
        c->behaviour = recording_behaviour;
        c->wait = 0;
        return c;
    }
    static int updates_in(Sprite *s, int ticks)
    {
        behaviour_calls.clear();
        for (int i = 0; i < ticks; i++) update_world();
        return calls_of(s, EVENT_UPDATE);
    }
};

TEST_F(WorldTest, PeriodDecidesHowOftenASpriteIsProcessed)
{
    Sprite *every = make(marker_template, 5000, 5000);
    every->behaviour = recording_behaviour;
    every->period = every->wait = 0;
    EXPECT_EQ(updates_in(every, 10), 10);
    Sprite *second = make(marker_template, 5000, 5100);
    second->behaviour = recording_behaviour;
    second->period = second->wait = 1;
    EXPECT_EQ(updates_in(second, 10), 5);
    Sprite *fresh = make(pedestrian_template, 5000, 5200);  // period 8: waits 8 ticks first
    fresh->behaviour = recording_behaviour;
    EXPECT_EQ(updates_in(fresh, 8), 0);
    EXPECT_EQ(updates_in(fresh, 1), 1);
}

TEST_F(WorldTest, ACarCoastsAboveSpeedFortyAndOnlyRollsOutBelow)
{
    Sprite *fast = car(), *slow = car();
    slow->y = 4500;
    fast->vx = itofix(6);  // rating 60
    slow->vx = itofix(4);  // rating 40: not above
    update_world();
    EXPECT_EQ(slow->speed, 40);
    EXPECT_EQ(slow->vx, itofix(4) * 93 / 100);
    EXPECT_GT(fast->vx, itofix(6) * 93 / 100);
}

TEST_F(WorldTest, ACarCannotTurnOnTheSpotButAPersonTurnsFourfold)
{
    Sprite *c = car();
    c->turn = itofix(2);
    update_world();
    EXPECT_EQ(c->angle, 0);
    c->vx = itofix(3);
    update_world();
    update_world();
    EXPECT_EQ(c->angle, itofix(2));
    Sprite *walker = make(pedestrian_template, 5000, 5000);
    walker->behaviour = nullptr;
    walker->wait = 0;
    walker->turn = itofix(2);
    update_world();
    EXPECT_EQ(walker->angle, itofix(8));
}

TEST_F(WorldTest, HandbrakeTurnsSpinAndTheSpinDies)
{
    Sprite *c = car();
    c->vx = itofix(5);
    c->turn = itofix(2);
    c->handbrake = 1;
    update_world();
    EXPECT_EQ(c->spin, itofix(4) * 90 / 100);
    EXPECT_EQ(c->vx, itofix(5) * 88 / 100);  // heavier friction, no thrust
    fixed before = c->spin;
    update_world();  // waits (period 1)
    update_world();
    EXPECT_EQ(c->spin, before * 90 / 100);  // spin is not renewed while it is not 0
}

TEST_F(WorldTest, TerminalSpeedsFollowThePowerDivisor)
{
    struct Case {
        int power;
        double px;
    } cases[] = {{16, 7.1}, {12, 4.8}, {10, 3.6}};
    for (const Case &k : cases) {
        Sprite *c = car(k.power);
        for (int i = 0; i < 400; i++) accelerate(c, itofix(1), 0);
        EXPECT_NEAR(c->vx / 65536.0, k.px, 0.1) << "power " << k.power;
        EXPECT_EQ(c->vy, 0);
    }
}

TEST_F(WorldTest, PeopleStepWithoutInertia)
{
    Sprite *walker = make(pedestrian_template, 5000, 5000, 64);
    accelerate(walker, itofix(5), walker->angle);
    EXPECT_EQ(walker->vx, 0);
    EXPECT_EQ(walker->vy, itofix(5));
    walker->forward = walker->reverse = 1;  // forward wins
    walker->behaviour = nullptr;
    walker->wait = 0;
    update_world();
    EXPECT_EQ(walker->vy, itofix(2));  // power 2
    EXPECT_EQ(walker->speed, 0);
}

TEST_F(WorldTest, AnAirbornePersonShrinksBackAndLands)
{
    Sprite *jumper = make(pedestrian_template, 5000, 5000);
    jumper->behaviour = nullptr;
    jumper->scale = 91750;  // 1.4
    jumper->handbrake = 1;
    for (int i = 0; i < 9 * 5; i++) update_world();
    EXPECT_LE(jumper->scale, itofix(1));
    EXPECT_EQ(jumper->handbrake, 0);
}

TEST_F(WorldTest, APersonCannotWalkIntoABuilding)
{
    set_cell(80, 80, TILE_BUILDING);
    Sprite *walker = make(skidrunner_template, 80 * 64 - 20, 80 * 64 + 32, 0);
    walker->behaviour = nullptr;
    walker->forward = 1;
    for (int i = 0; i < 300; i++) {
        update_world();
        ASSERT_LT(walker->x, 80 * 64) << "tick " << i;
    }
}

// Pushed, knocked or stepping out of a car beside a wall, a person can end up with its centre
// inside a building; it must always come out, whatever keys are held.
TEST_F(WorldTest, APersonInsideABuildingWalksOutToTheNearestOpenCell)
{
    for (int cy = 79; cy <= 81; cy++)
        for (int cx = 79; cx <= 81; cx++) set_cell(cx, cy, TILE_BUILDING);
    set_cell(80, 78, TILE_WATER);  // water nearer than the street is not where he goes
    struct Case {
        int x, y, forward;
    } cases[] = {
        {79 * 64 + 6, 80 * 64 + 32, 1},   // 6 px inside, walking on into the wall
        {79 * 64 + 6, 80 * 64 + 32, 0},   // 6 px inside, standing
        {80 * 64 + 32, 80 * 64 + 32, 1},  // in the very middle of the block
        {80 * 64 + 32, 79 * 64 + 6, 1},   // 6 px inside, water beyond that wall
    };
    Sprite *bystander = player;
    for (const Case &c : cases) {
        Sprite *p = make(skidrunner_template, c.x, c.y, 0);
        p->behaviour = nullptr;
        p->forward = c.forward;
        p->vx = itofix(1);  // still moving from whatever put him there
        player = p;
        int out_at = -1;
        for (int tick = 0; tick < 600; tick++) {
            update_world();
            bool inside = tile_at(p->x / 64, p->y / 64) == TILE_BUILDING;
            if (!inside && out_at < 0) out_at = tick;
            ASSERT_FALSE(inside && out_at >= 0) << "back inside at tick " << tick;
        }
        EXPECT_GE(out_at, 0) << "held inside from (" << c.x << ", " << c.y << ")";
        EXPECT_LT(out_at, 300);
        EXPECT_NE(tile_at(p->x / 64, p->y / 64), TILE_WATER);
        player = bystander;
        p->flags |= SPRITE_REMOVE;
        update_world();
    }
}

TEST_F(WorldTest, AmbientSpritesGoWhenFartherThanAScreen)
{
    Sprite *stays = create_sprite(&marker_template, 3000 + 640, 3000, 0, 1);
    Sprite *goes = create_sprite(&marker_template, 3000 - 641, 3000, 0, 1);
    Sprite *below = create_sprite(&marker_template, 3000, 3000 + 481, 0, 1);
    (void)goes, (void)below;
    int before = list_length();
    update_world();
    EXPECT_EQ(list_length(), before - 2);
    EXPECT_EQ(sprite_list, stays);
}

TEST_F(WorldTest, ARemovedVehicleGoesAtItsNextWaitingTick)
{
    Sprite *c = car();
    c->flags |= SPRITE_REMOVE;
    int before = list_length();
    update_world();  // still moves this tick
    EXPECT_EQ(list_length(), before);
    update_world();
    EXPECT_EQ(list_length(), before - 1);
}

TEST_F(WorldTest, TheCameraIsLockedOnFootAndLeadsACar)
{
    player->x = 3210;
    update_world();
    EXPECT_EQ(camera_x, 3210);
    EXPECT_EQ(camera_y, 3000);
    Sprite *c = car();
    c->x = 1000, c->y = 1000;
    c->vx = itofix(2);
    player = c;
    camera_x = 1000, camera_y = 1000;
    update_world();
    EXPECT_EQ(camera_x, 1000 + 70 / 35);  // eases toward 35 updates ahead
    camera_x = 1070 - 34;
    c->x = 1000, c->vx = itofix(2), c->wait = 0;
    update_world();
    EXPECT_EQ(camera_x, 1070 - 34);  // settles up to 34 px short
}

TEST_F(WorldTest, AFiringPersonFiresAtTheWeaponsRate)
{
    player->flags |= SPRITE_FIRING;
    player->wait = 0;
    current_weapon = &weapons[2];  // the flame thrower: reload 5
    auto flames = [] {
        int n = 0;
        for (Sprite *s = sprite_list; s; s = s->next) n += s->image_count == 18;
        return n;
    };
    update_world();
    EXPECT_EQ(flames(), 1);
    EXPECT_EQ(player->frame, 8);
    EXPECT_EQ(player->wait, 5);
    for (int i = 0; i < 11; i++) update_world();
    EXPECT_EQ(flames(), 2);
    update_world();
    EXPECT_EQ(flames(), 3);  // ticks 1, 7 and 13: every 6th
}

TEST_F(WorldTest, AFiredProjectileStartsAheadOfTheShooter)
{
    Sprite *shooter = make(cop_template, 2000, 2000, 64);
    fire_weapon(shooter, &weapons[0]);
    Sprite *bullet = sprite_list;
    EXPECT_EQ(bullet->x, 2000);
    EXPECT_EQ(bullet->y, 2020);
    EXPECT_EQ(bullet->angle, itofix(64));
    EXPECT_EQ(bullet->forward, -1);
    EXPECT_EQ(bullet->link, shooter);
    EXPECT_NE(bullet->ambient, 0);
    EXPECT_EQ(shooter->wait, 35);
    EXPECT_EQ(shooter->sample, sound_sample(24));
}

TEST_F(WorldTest, TheRadioPlaysOnlyAtTheWheel)
{
    update_world();
    EXPECT_TRUE(music_paused);
    Sprite *c = car();
    player = c;
    update_world();
    EXPECT_FALSE(music_paused);
}

// An arrested player lies out his time under a banner that only a drawn frame ends: whatever
// marks his sprite, it stays in the world while it is the player's, and goes once it is not.
TEST_F(WorldTest, ThePlayersOwnSpriteIsNeverRemoved)
{
    Sprite *arrested = player;
    arrested->behaviour = one_shot_behaviour;
    arrested->frame = arrested->image_count - 1;
    arrested->wait = 0;
    for (int i = 0; i < 20; i++) update_world();
    EXPECT_TRUE(arrested->flags & SPRITE_REMOVE);
    EXPECT_EQ(list_length(), 1);
    EXPECT_EXIT(remove_sprite(player), testing::ExitedWithCode(1), "");  // a fatal error
    player = make(skidrunner_template, 3000, 3000);
    for (int i = 0; i < 20; i++) update_world();
    EXPECT_EQ(list_length(), 1);
    EXPECT_EQ(sprite_list, player);
}
