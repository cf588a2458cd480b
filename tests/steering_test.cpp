// How cars line up with the road, brake for what is ahead and smoke when damaged, and how
// walkers turn away from water, buildings, the pavement's edge and the world's edge.
#include <vector>

#include "actors/actors.h"
#include "game_fixture.h"

class SteeringTest : public GameTest {
protected:
    // A car standing in the middle of cell (50, 50), heading angle units.
    static Sprite *car_at_centre(int angle_units = 0)
    {
        return make(car_a_template, 50 * 64 + 32, 50 * 64 + 32, angle_units);
    }
    // One car rolling east at 3 px per update: it looks ahead into cell (51, 50), whose code
    // becomes code. The same car serves every call, so no second car stands in its way.
    Sprite *car_looking_at(int code, int angle_units, fixed turn)
    {
        set_cell(51, 50, code);
        if (!rolling) rolling = car_at_centre();
        rolling->angle = itofix(angle_units);
        rolling->vx = itofix(3);
        rolling->vy = 0;
        rolling->speed = 0;
        rolling->forward = rolling->handbrake = rolling->reverse = 0;
        rolling->turn = turn;
        return rolling;
    }
    Sprite *rolling = nullptr;
};

// ---- Lining up with the road ----

TEST_F(SteeringTest, TurnTowardSnapsOntoTheRoadWithinOneUnit)
{
    Sprite *c = car_at_centre(1);
    EXPECT_EQ(turn_toward(c, 0), 0);
    EXPECT_EQ(c->angle, 0);
    c->angle = itofix(65);
    EXPECT_EQ(turn_toward(c, 64), 0);
    EXPECT_EQ(c->angle, itofix(64));
    c->angle = itofix(64) + 20000;  // a fraction of a unit is dropped as well
    EXPECT_EQ(turn_toward(c, 64), 0);
    EXPECT_EQ(c->angle, itofix(64));
    c->angle = itofix(2);  // two units off: steers, no snap
    EXPECT_EQ(turn_toward(c, 0), itofix(-2));
    EXPECT_EQ(c->angle, itofix(2));
}

TEST_F(SteeringTest, TurnTowardTakesTheShortWayAtTwoUnits)
{
    struct Case {
        int heading, target, turn;
    } cases[] = {
        {250, 0, 2},     // the short way is through a full turn
        {128, 0, 2},     // half a turn away from above: +2
        {64, 192, -2},   // half a turn away from below: -2
        {0, 64, 2},      {100, 64, -2}, {20, 192, -2},
        {320, 64, 0},    // a heading past a full turn counts as its remainder
        {330, 64, -2},   {-64, 0, 2},
    };
    for (const Case &k : cases) {
        Sprite *c = car_at_centre(k.heading);
        EXPECT_EQ(turn_toward(c, k.target), itofix(k.turn))
            << "heading " << k.heading << " target " << k.target;
    }
    Sprite *c = car_at_centre(320);
    turn_toward(c, 64);
    EXPECT_EQ(c->angle, itofix(64));
}

// ---- Driving along the road ----

TEST_F(SteeringTest, TrafficCruisesAtThirtyAndDropsReverseAboveForty)
{
    fill_map(5);
    Sprite *c = car_at_centre();
    c->handbrake = 1;
    c->speed = 29;
    follow_road(c);
    EXPECT_EQ(c->forward, 1);
    EXPECT_EQ(c->handbrake, 0);
    c->speed = 30;
    follow_road(c);
    EXPECT_EQ(c->forward, 0);

    c->reverse = 1;
    c->speed = 40;
    follow_road(c);
    EXPECT_NE(c->reverse, 0);
    c->speed = 41;
    follow_road(c);
    EXPECT_EQ(c->reverse, 0);
}

TEST_F(SteeringTest, TheRoadAheadTurnsTheCarToItsDirection)
{
    struct Case {
        int code, direction;
    } roads[] = {{2, 64},  {6, 64},  {11, 64}, {3, 192}, {9, 192},  {12, 192},
                 {4, 128}, {7, 128}, {13, 128}, {5, 0},  {8, 0},    {10, 0}};
    for (const Case &k : roads) {
        // One unit off the road's direction: the car snaps onto it and stops turning.
        Sprite *c = car_looking_at(k.code, k.direction + 1, itofix(5));
        follow_road(c);
        EXPECT_EQ(c->angle, itofix(k.direction)) << "code " << k.code;
        EXPECT_EQ(c->turn, 0) << "code " << k.code;
        EXPECT_EQ(c->forward, 1) << "code " << k.code;
    }
    // Heading east onto a road going south: a right turn of 2 units per update.
    Sprite *c = car_looking_at(2, 0, 0);
    follow_road(c);
    EXPECT_EQ(c->turn, itofix(2));
    EXPECT_EQ(c->angle, 0);
}

TEST_F(SteeringTest, NoRoadOrTheMapsEdgeAheadKeepsTheSteeringButOpenGroundStopsIt)
{
    for (int code : {0, 1, 14, 15, 21}) {
        Sprite *c = car_looking_at(code, 10, itofix(5));
        follow_road(c);
        EXPECT_EQ(c->turn, itofix(5)) << "code " << code;
        EXPECT_EQ(c->forward, 0) << "code " << code;
        EXPECT_EQ(c->angle, itofix(10)) << "code " << code;
    }
    for (int code : {16, 17, 18, 19, 20, 22}) {
        Sprite *c = car_looking_at(code, 10, itofix(5));
        follow_road(c);
        EXPECT_EQ(c->turn, 0) << "code " << code;
        EXPECT_EQ(c->forward, 1) << "code " << code;
        EXPECT_EQ(c->angle, itofix(10)) << "code " << code;
    }

    fill_map(5);  // beyond the edge of a city of roads lies building
    Sprite *c = make(car_a_template, 9590, 3232, 10);
    c->vx = itofix(3);  // looks at x 9650: outside the city
    c->turn = itofix(5);
    follow_road(c);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->turn, itofix(5));
    // 50 px left of the edge still lies in column 0: cells are counted toward zero.
    Sprite *w = make(car_a_template, 10, 3232, 1);
    w->vx = itofix(-3);
    w->turn = itofix(5);
    follow_road(w);
    EXPECT_EQ(w->forward, 1);
    EXPECT_EQ(w->turn, 0);
    EXPECT_EQ(w->angle, 0);
}

TEST_F(SteeringTest, ACarBrakesForSomethingInFrontButNotForTheGround)
{
    fill_map(2);  // road going south: a clear road gives a right turn
    Sprite *c = make(car_a_template, 3000, 3000, 0);
    give_block_picture(c, 30, 50);
    Sprite *walker = make(pedestrian_template, 3024, 3035);
    give_block_picture(walker, 16, 16);
    follow_road(c);
    EXPECT_EQ(c->handbrake, 0);
    EXPECT_EQ(c->forward, 1);
    EXPECT_EQ(c->turn, itofix(2));

    walker->y = 3034;  // 34 px beside the probe point: in the way
    follow_road(c);
    EXPECT_EQ(c->handbrake, 1);
    EXPECT_EQ(c->forward, 0);
    EXPECT_EQ(c->turn, 0);

    set_sprite_layer(walker, LAYER_BOTTOM);  // lying on the ground: driven over
    c->turn = 0;
    follow_road(c);
    EXPECT_EQ(c->handbrake, 0);
    EXPECT_EQ(c->forward, 1);
    EXPECT_EQ(c->turn, itofix(2));
}

TEST_F(SteeringTest, TheObstacleProbeLooksWhereTheCarIsHeading)
{
    fill_map(17);
    Sprite *c = make(car_a_template, 3000, 3000, 0);
    give_block_picture(c, 30, 50);
    Sprite *other = make(car_b_template, 3045, 3000);
    give_block_picture(other, 16, 16);
    follow_road(c);
    EXPECT_EQ(c->handbrake, 1);  // ahead
    c->angle = itofix(64);
    follow_road(c);
    EXPECT_EQ(c->handbrake, 0);  // beside a car heading south
    c->angle = itofix(128);
    follow_road(c);
    EXPECT_EQ(c->handbrake, 0);  // behind
    other->x = 3040, other->y = 3040;
    c->angle = itofix(32);  // south-east: the probe steps along both axes
    follow_road(c);
    EXPECT_EQ(c->handbrake, 1);
}

// ---- Damage smoke ----

TEST_F(SteeringTest, ADamagedCarLeavesSmokeAndAFlameBehind)
{
    for (int trial = 0; trial < 5; trial++) {
        Sprite *c = make(car_a_template, 3000, 3000, 64);  // heading south
        c->turn = itofix(2);
        Sprite *before = sprite_list;
        emit_smoke(c);
        ASSERT_NE(sprite_list, before);
        Sprite *flame = sprite_list, *puff = sprite_list->next;
        ASSERT_NE(puff, before);
        EXPECT_EQ(puff->next, before);
        EXPECT_EQ(puff->images[0].object, 72);
        EXPECT_EQ(puff->image_count, 5);
        EXPECT_EQ(puff->angle, 0);
        EXPECT_EQ(puff->forward, 1);
        EXPECT_EQ(puff->ambient, 0);
        EXPECT_GE(puff->x, 2997);
        EXPECT_LE(puff->x, 3000);
        EXPECT_GE(puff->y, 3000 - 18 - 3);
        EXPECT_LE(puff->y, 3000 - 18);
        EXPECT_EQ(flame->images[0].object, 32);
        EXPECT_GE(flame->x, 2999);
        EXPECT_LE(flame->x, 3000);
        EXPECT_GE(flame->y, 3000 - 10 - 1);
        EXPECT_LE(flame->y, 3000 - 10);
        EXPECT_EQ(c->turn, 0);  // a driverless wreck stops steering
    }
    Sprite *mine = player = make(car_a_template, 4000, 4000);
    mine->turn = itofix(2);
    emit_smoke(mine);
    EXPECT_EQ(mine->turn, itofix(2));  // the player keeps the wheel
}

// ---- Walkers ----

TEST_F(SteeringTest, WalkersTurnAQuarterPastTheNearestQuarterAtWaterAndBuildings)
{
    set_cell(51, 50, TILE_WATER);
    Sprite *w = make(pedestrian_template, 50 * 64 + 50, 50 * 64 + 32, 20);
    avoid_walls(w);
    EXPECT_EQ(w->angle, itofix(64));
    set_cell(51, 50, TILE_BUILDING);
    w->angle = itofix(40);
    avoid_walls(w);
    EXPECT_EQ(w->angle, itofix(128));
    w->angle = itofix(200);  // north, away from the building: no turn
    avoid_walls(w);
    EXPECT_EQ(w->angle, itofix(200));

    set_cell(50, 51, TILE_WATER);
    Sprite *v = make(pedestrian_template, 50 * 64 + 32, 50 * 64 + 50, 300);
    avoid_walls(v);
    EXPECT_EQ(v->angle, itofix(384));  // headings are not brought back into one turn

    fill_map(TILE_WATER);  // water all round: four turns, then it gives up
    Sprite *island = make(pedestrian_template, 3232, 3232, 10);
    avoid_walls(island);
    EXPECT_EQ(island->angle, itofix(256));
}

TEST_F(SteeringTest, WalkersTurnBackAtThePavementsEdgeAndTheWorldsEdge)
{
    set_cell(51, 50, 5);
    Sprite *w = make(pedestrian_template, 50 * 64 + 58, 50 * 64 + 32, 0);
    w->vx = itofix(2);  // two updates on: x 3262, still pavement
    keep_to_pavement(w);
    EXPECT_EQ(w->angle, 0);
    w->vx = itofix(3);  // x 3264: the road, even though it is no hazard
    keep_to_pavement(w);
    EXPECT_EQ(w->angle, itofix(-110));
    w->angle = 0;
    w->tile_x = 51;  // standing (as of this update) on the road: free to go
    keep_to_pavement(w);
    EXPECT_EQ(w->angle, 0);

    struct Case {
        int x, y, heading;
    } edges[] = {{-1, 500, 0},   {500, -1, 64},     {9601, 500, 128},
                 {500, 9601, 192}, {-1, 9601, 192}, {9601, -1, 128}};
    for (const Case &k : edges) {
        Sprite *e = make(pedestrian_template, k.x, k.y, 7);
        keep_in_world(e);
        EXPECT_EQ(e->angle, itofix(k.heading)) << k.x << "," << k.y;
    }
    Sprite *inside = make(pedestrian_template, 9600, 0, 7);
    keep_in_world(inside);
    EXPECT_EQ(inside->angle, itofix(7));
}
