// Pedestrians who stroll, panic, scream and fall; crowds that scatter; the dying; and the
// short-lived things: smoke, explosions, bullets, rockets, the bomb and the briefcase.
#include "actors/actors.h"
#include "game_fixture.h"
#include "sound/sound.h"

class PeopleTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        player = make(skidrunner_template, 100, 100);  // far from every scene, on foot
    }
    static Sprite *player_driving(int x, int y)
    {
        player = make(car_b_template, x, y);
        player->behaviour = empty_car_behaviour;
        player->speed = 40;
        return player;
    }
    // The next three random numbers become a, b and c.
    static void next_randoms(int32_t a, int32_t b, int32_t c)
    {
        random_index = 0;
        random_table[1] = a, random_table[2] = b, random_table[3] = c;
    }
    static int count_with_object(int object)
    {
        int n = 0;
        for (Sprite *s = sprite_list; s; s = s->next) n += s->images[0].object == object;
        return n;
    }
};

// ---- Pedestrians ----

TEST_F(PeopleTest, ThePlayersOwnWalkerOnlyAnimatesAndSoundsItsSteps)
{
    set_cell(51, 50, 5);
    Sprite *me = player = make(skidrunner_template, 50 * 64 + 60, 50 * 64 + 32, 0);
    me->vx = itofix(5);  // two updates on it would leave the pavement
    me->forward = 1;
    me->turn = 77;
    me->flags |= SPRITE_FIRING;
    fill_random(0);  // every chance comes up
    pedestrian_behaviour(me, EVENT_UPDATE);
    EXPECT_EQ(me->angle, 0);
    EXPECT_EQ(me->forward, 1);
    EXPECT_EQ(me->turn, 77);
    EXPECT_EQ(me->power, 5);
    EXPECT_EQ(me->period, 5);
    EXPECT_EQ(random_index, 0);
    EXPECT_EQ(me->frame, 1);
    EXPECT_EQ(me->sample, sound_sample(26));  // a footstep
}

TEST_F(PeopleTest, CalmPedestriansStopAndStartByChance)
{
    Sprite *p = make(pedestrian_template, 3000, 3000);
    p->forward = 1;
    next_randoms(100, 7, 9);  // stop; no start; drift (9 mod 6) - 11
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->forward, 0);
    EXPECT_EQ(p->turn, -8);
    EXPECT_EQ(random_index, 3);

    next_randoms(1, 50, 9);  // no stop; start; no drift drawn
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->forward, 1);
    EXPECT_EQ(p->turn, -8);
    EXPECT_EQ(random_index, 2);

    next_randoms(3, -7, -9);  // a negative remainder: -3 - 11
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->forward, 1);
    EXPECT_EQ(p->turn, -14);
    EXPECT_EQ(p->power, 2);  // still calm
    EXPECT_EQ(p->frame, 0);  // standing
}

TEST_F(PeopleTest, FiringAnywherePanicsCalmPedestriansWhoScreamByChance)
{
    player->flags |= SPRITE_FIRING;
    struct Case {
        int32_t random;
        int scream;
    } cases[] = {{12, 21}, {1, 18}, {2, 15}, {3, 16}, {4, -1}, {-1, -1}};
    for (const Case &k : cases) {
        Sprite *p = make(pedestrian_template, 9000, 9000);  // far across the city
        fill_random(k.random);
        pedestrian_behaviour(p, EVENT_UPDATE);
        EXPECT_EQ(p->power, 5) << k.random;
        EXPECT_EQ(p->period, 5) << k.random;
        EXPECT_EQ(p->forward, 1) << k.random;
        EXPECT_EQ(p->sample, k.scream < 0 ? nullptr : sound_sample(k.scream)) << k.random;
    }
    // A runner is past panicking: no new scream.
    Sprite *runner = make(pedestrian_template, 9000, 9100);
    runner->power = 5;
    fill_random(0);
    pedestrian_behaviour(runner, EVENT_UPDATE);
    EXPECT_EQ(runner->sample, nullptr);
}

TEST_F(PeopleTest, ACarOnThePavementPanicsPedestriansWithin79Pixels)
{
    fill_random(1);
    Sprite *car = player_driving(3000, 3000);
    Sprite *close = make(pedestrian_template, 3079, 2921);
    Sprite *apart = make(pedestrian_template, 3080, 3000);
    pedestrian_behaviour(close, EVENT_UPDATE);
    pedestrian_behaviour(apart, EVENT_UPDATE);
    EXPECT_EQ(close->power, 5);
    EXPECT_EQ(apart->power, 2);

    set_cell(car->tile_x, car->tile_y, 5);  // the same car on the road
    Sprite *beside = make(pedestrian_template, 3010, 3010);
    pedestrian_behaviour(beside, EVENT_UPDATE);
    EXPECT_EQ(beside->power, 2);

    set_cell(car->tile_x, car->tile_y, TILE_PAVEMENT);
    Sprite *walker = player = make(skidrunner_template, 3000, 3000);  // on foot, not firing
    Sprite *calm = make(pedestrian_template, 3010, 3010);
    pedestrian_behaviour(calm, EVENT_UPDATE);
    EXPECT_EQ(calm->power, 2);
    (void)walker;
}

TEST_F(PeopleTest, ARunnerFleesStraightAwayFromThePlayer)
{
    fill_random(1);
    player = make(skidrunner_template, 3100, 3050);
    Sprite *p = make(pedestrian_template, 3000, 3000, 64);
    p->power = 5;  // running from the start, like a crowd member
    int toward = angle_to_sprite(p, player);
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->angle, itofix(toward - 128));
    EXPECT_EQ(random_index, 0);  // a runner draws no chances

    // Water in the way: it turns off along the quarter past its heading.
    Sprite *q = make(pedestrian_template, 46 * 64 + 10, 46 * 64 + 32, 0);
    q->power = 5;
    player->x = q->x + 100, player->y = q->y + 50;
    EXPECT_EQ(angle_to_sprite(q, player) - 128, -109);  // west, a little north
    set_cell(45, 46, TILE_WATER);
    pedestrian_behaviour(q, EVENT_UPDATE);
    EXPECT_EQ(q->angle, itofix(-64));
}

TEST_F(PeopleTest, FootstepsAreHeardNearThePlayer)
{
    fill_random(1);
    player = make(skidrunner_template, 3000, 3000);
    Sprite *p = make(pedestrian_template, 3063, 2937);
    p->vx = itofix(2);
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->frame, 1);
    EXPECT_EQ(p->sample, sound_sample(26));
    p->frame = 4;
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->frame, 5);
    EXPECT_EQ(p->sample, sound_sample(27));
    p->frame = 7;
    pedestrian_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->frame, 0);  // the walk cycle wraps

    Sprite *far = make(pedestrian_template, 3064, 3000);
    far->vx = itofix(2);
    pedestrian_behaviour(far, EVENT_UPDATE);
    EXPECT_EQ(far->frame, 1);
    EXPECT_EQ(far->sample, nullptr);
}

TEST_F(PeopleTest, AStruckPersonIsThrownIntoTheAir)
{
    Sprite *p = make(pedestrian_template, 3000, 3000);
    Sprite *a = make(stroller_a_template, 3100, 3000);
    Sprite *b = make(stroller_b_template, 3200, 3000);
    pedestrian_behaviour(p, EVENT_STRUCK);
    stroller_behaviour(a, EVENT_STRUCK);
    stroller_behaviour(b, EVENT_STRUCK);
    EXPECT_EQ(p->frame, 9);
    EXPECT_EQ(a->frame, 4);
    EXPECT_EQ(b->frame, 3);
    for (Sprite *s : {p, a, b}) {
        EXPECT_EQ(s->behaviour, dying_behaviour);
        EXPECT_EQ(sprite_layer(s), LAYER_TOP);
        EXPECT_NEAR(s->scale, ftofix(1.1), 1);
        EXPECT_TRUE(s->flags & SPRITE_WRECKED);
        EXPECT_EQ(s->forward, 0);
    }
}

TEST_F(PeopleTest, StrollersWalkAllTheTimeThroughTheirOwnPictures)
{
    Sprite *b = make(stroller_b_template, 3000, 3000);
    b->vx = itofix(1);
    int cycle[] = {1, 2, 0, 1};
    for (int expected : cycle) {
        stroller_behaviour(b, EVENT_UPDATE);
        EXPECT_EQ(b->frame, expected);
        EXPECT_EQ(b->forward, 1);
    }
    Sprite *a = make(stroller_a_template, 3100, 3000);
    a->vy = itofix(1);
    a->frame = 3;
    stroller_behaviour(a, EVENT_UPDATE);
    EXPECT_EQ(a->frame, 0);
    a->frame = 2;
    stroller_behaviour(a, EVENT_UPDATE);
    EXPECT_EQ(a->frame, 3);
    a->vy = 0;  // standing: keeps its picture
    stroller_behaviour(a, EVENT_UPDATE);
    EXPECT_EQ(a->frame, 3);
}

// ---- Crowds ----

TEST_F(PeopleTest, ACrowdScattersOnceWhenACarComesNear)
{
    Sprite *crowd = make(crowd_template, 3000, 3000);
    crowd->vx = itofix(2);
    crowd->spin = itofix(1);
    crowd->health = 10;
    player = make(skidrunner_template, 3010, 3010);  // on foot and not firing: nothing
    int length = list_length();
    crowd_behaviour(crowd, EVENT_UPDATE);
    EXPECT_EQ(list_length(), length);
    EXPECT_EQ(crowd->frame, 0);
    EXPECT_EQ(crowd->vx, 0);
    EXPECT_EQ(crowd->spin, 0);
    EXPECT_EQ(crowd->health, 100);

    player_driving(3070, 2930);
    length = list_length();
    crowd_behaviour(crowd, EVENT_STRUCK);
    ASSERT_EQ(list_length(), length + 2);
    EXPECT_EQ(crowd->frame, 1);
    Sprite *second = sprite_list, *first = sprite_list->next;
    EXPECT_EQ(first->x, 3000);
    EXPECT_EQ(second->x, 3020);
    for (Sprite *p : {first, second}) {
        EXPECT_EQ(p->y, 3000);
        EXPECT_EQ(p->behaviour, pedestrian_behaviour);
        EXPECT_EQ(p->power, 5);
        EXPECT_EQ(p->period, 5);
        EXPECT_EQ(p->forward, 1);
        EXPECT_EQ(p->handbrake, 1);
    }
    crowd_behaviour(crowd, EVENT_UPDATE);
    EXPECT_EQ(list_length(), length + 2);  // never again

    Sprite *other = make(crowd_template, 5000, 5000);
    player = make(skidrunner_template, 5079, 5079);
    player->flags |= SPRITE_FIRING;  // shooting on foot scatters it too
    crowd_behaviour(other, EVENT_UPDATE);
    EXPECT_EQ(other->frame, 1);
}

// ---- The dying ----

TEST_F(PeopleTest, TheFallenLandDieLeaveAMarkAndThePlayerIsWasted)
{
    struct Case {
        int32_t random;
        int sound;
    } cases[] = {{0, 17}, {1, 5}, {2, 28}, {7, 19}};
    for (const Case &k : cases) {
        Sprite *p = make(pedestrian_template, 3000 + 100 * k.random, 3000, 40);
        pedestrian_behaviour(p, EVENT_STRUCK);
        dying_behaviour(p, EVENT_UPDATE);  // still in the air
        EXPECT_EQ(p->frame, 9);
        EXPECT_EQ(p->period, 4);
        EXPECT_EQ(p->sample, nullptr);
        p->scale = itofix(1);
        fill_random(k.random);
        int marks = count_with_object(75);
        dying_behaviour(p, EVENT_UPDATE);  // lands
        EXPECT_EQ(p->sample, sound_sample(k.sound)) << k.random;
        ASSERT_EQ(count_with_object(75), marks + 1);
        EXPECT_EQ(sprite_list->x, p->x);
        EXPECT_EQ(sprite_list->angle, itofix(40));
        EXPECT_EQ(p->frame, 10);
        EXPECT_EQ(p->wait, 6000);
        EXPECT_FALSE(p->flags & SPRITE_SOLID);
        EXPECT_EQ(sprite_layer(p), LAYER_BOTTOM);
        EXPECT_EQ(p->forward, 0);
        EXPECT_FALSE(p->flags & SPRITE_REMOVE);
        dying_behaviour(p, EVENT_UPDATE);  // after lying its time
        EXPECT_TRUE(p->flags & SPRITE_REMOVE);
    }
    EXPECT_EQ(banner_text, nullptr);  // only the player's own death is news

    Sprite *me = player = make(skidrunner_template, 4000, 4000);
    pedestrian_behaviour(me, EVENT_STRUCK);
    me->scale = itofix(1);
    dying_behaviour(me, EVENT_UPDATE);
    EXPECT_STREQ(banner_text, "Wasted!");
    EXPECT_NE(banner_active, 0);
}

TEST_F(PeopleTest, StruckAgainInTheAirFliesHigherButDiesOnce)
{
    fill_random(1);
    Sprite *p = make(pedestrian_template, 3000, 3000);
    pedestrian_behaviour(p, EVENT_STRUCK);
    dying_behaviour(p, EVENT_STRUCK);
    EXPECT_NEAR(p->scale, ftofix(1.3), 1);
    EXPECT_EQ(p->frame, 9);
    dying_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->sample, nullptr);
    EXPECT_EQ(count_with_object(75), 0);
    p->scale = itofix(1);
    dying_behaviour(p, EVENT_UPDATE);
    EXPECT_EQ(p->sample, sound_sample(5));
    EXPECT_EQ(count_with_object(75), 1);
}

// ---- Effects and projectiles ----

TEST_F(PeopleTest, EffectsShowTheirPicturesOnceAndVanish)
{
    Sprite *flame = make(fire_template, 3000, 3000);
    one_shot_behaviour(flame, EVENT_UPDATE);
    EXPECT_TRUE(flame->flags & SPRITE_REMOVE);

    Sprite *puff = make(smoke_template, 3100, 3000);
    for (int shown = 1; shown <= 3; shown++) {
        one_shot_behaviour(puff, EVENT_UPDATE);
        EXPECT_EQ(puff->frame, shown);
        EXPECT_FALSE(puff->flags & SPRITE_REMOVE);
    }
    one_shot_behaviour(puff, EVENT_STRUCK);  // ignored
    EXPECT_EQ(puff->frame, 3);
    EXPECT_FALSE(puff->flags & SPRITE_REMOVE);
    one_shot_behaviour(puff, EVENT_UPDATE);
    EXPECT_TRUE(puff->flags & SPRITE_REMOVE);

    // An explosion bangs once, keeps its full damage and burns out at its last picture.
    Sprite *e = make(explosion_template, 3000, 3000);
    e->health = 0;
    explosion_behaviour(e, EVENT_STRUCK);
    EXPECT_EQ(e->health, 200);
    EXPECT_EQ(e->frame, 0);
    EXPECT_EQ(e->sample, nullptr);
    explosion_behaviour(e, EVENT_UPDATE);
    EXPECT_EQ(e->sample, sound_sample(10));
    EXPECT_EQ(e->frame, 1);
    e->sample = nullptr;
    for (int i = 2; i <= 6; i++) explosion_behaviour(e, EVENT_UPDATE);
    EXPECT_EQ(e->frame, 6);
    EXPECT_EQ(e->sample, nullptr);
    EXPECT_FALSE(e->flags & SPRITE_REMOVE);
    explosion_behaviour(e, EVENT_UPDATE);
    EXPECT_EQ(e->frame, 7);
    EXPECT_TRUE(e->flags & SPRITE_REMOVE);
}

TEST_F(PeopleTest, ABulletFliesUpTo400PixelsFromItsShooter)
{
    Sprite *shooter = make(cop_template, 3000, 3000);
    struct Case {
        int dx, dy;
        bool removed;
    } cases[] = {{400, 0, false}, {-400, 399, false}, {401, 0, true}, {0, -401, true}};
    for (const Case &k : cases) {
        Sprite *b = make(bullet_template, 3000 + k.dx, 3000 + k.dy);
        b->link = shooter;
        bullet_behaviour(b, EVENT_UPDATE);
        EXPECT_EQ(b->forward, 1);
        EXPECT_EQ((b->flags & SPRITE_REMOVE) != 0, k.removed) << k.dx << "," << k.dy;
    }
    Sprite *hit = make(bullet_template, 3010, 3000);
    hit->link = shooter;
    bullet_behaviour(hit, EVENT_STRUCK);
    EXPECT_TRUE(hit->flags & SPRITE_REMOVE);

    Sprite *orphan = make(bullet_template, 3010, 3000);
    orphan->link = nullptr;  // its shooter has left the world
    bullet_behaviour(orphan, EVENT_UPDATE);
    EXPECT_TRUE(orphan->flags & SPRITE_REMOVE);
}

TEST_F(PeopleTest, ARocketBurnsOutInABuildingAndExplodesWhenItHits)
{
    Sprite *r = make(rocket_template, 3000, 3000);
    rocket_behaviour(r, EVENT_UPDATE);
    EXPECT_EQ(r->forward, 1);
    EXPECT_EQ(r->health, 300);
    set_cell(r->tile_x, r->tile_y, TILE_BUILDING);
    rocket_behaviour(r, EVENT_UPDATE);
    EXPECT_EQ(r->health, 0);

    Sprite *s = make(rocket_template, 4000, 4100);
    rocket_behaviour(s, EVENT_STRUCK);
    Sprite *bang = sprite_list;
    ASSERT_NE(bang, s);
    EXPECT_EQ(bang->behaviour, explosion_behaviour);
    EXPECT_EQ(bang->x, 4000);
    EXPECT_EQ(bang->y, 4100);
}

TEST_F(PeopleTest, APlantedBombSetsOffEightRingsOfExplosions)
{
    Sprite *bomb = make(bomb_template, 3000, 3000);
    fill_random(0);  // every other ring: 10 i px up and left of the bomb
    random_index = 0;
    random_table[1] = 7;   // ring 1, y: 7 mod 20 - 10
    random_table[2] = 3;   // ring 1, x: 3 mod 20 - 10
    random_table[3] = -5;  // ring 2, y: a negative number still lands in the ring, 35 - 20
    random_table[4] = 45;  // ring 2, x: 45 mod 40 - 20
    int length = list_length();
    bomb_behaviour(bomb, EVENT_UPDATE);
    EXPECT_TRUE(bomb->flags & SPRITE_REMOVE);
    EXPECT_EQ(felony, 5);
    ASSERT_EQ(list_length(), length + 8);
    Sprite *ring[9];
    Sprite *e = sprite_list;
    for (int i = 8; i >= 1; i--, e = e->next) ring[i] = e;
    for (int i = 1; i <= 8; i++) {
        EXPECT_EQ(ring[i]->behaviour, explosion_behaviour);
        EXPECT_EQ(ring[i]->wait, 30 * i);
    }
    EXPECT_EQ(ring[1]->x, 3000 - 7);
    EXPECT_EQ(ring[1]->y, 3000 - 3);
    EXPECT_EQ(ring[2]->x, 3000 - 15);
    EXPECT_EQ(ring[2]->y, 3000 + 15);
    for (int i = 3; i <= 8; i++) {
        EXPECT_EQ(ring[i]->x, 3000 - 10 * i);
        EXPECT_EQ(ring[i]->y, 3000 - 10 * i);
    }
}

TEST_F(PeopleTest, TheBriefcaseIsTakenWithinFifteenPixels)
{
    Sprite *c = make(briefcase_template, 3000, 3000);
    player = make(skidrunner_template, 3015, 3000);
    briefcase_behaviour(c, EVENT_UPDATE);
    EXPECT_FALSE(c->flags & SPRITE_WRECKED);
    player->x = 3014, player->y = 2986;
    briefcase_behaviour(c, EVENT_UPDATE);
    EXPECT_TRUE(c->flags & SPRITE_WRECKED);
    Sprite *d = make(briefcase_template, 4000, 4000);
    player = player_driving(3990, 4010);  // collected at the wheel as well
    briefcase_behaviour(d, EVENT_STRUCK);
    EXPECT_TRUE(d->flags & SPRITE_WRECKED);
}
