#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/collision.h"
#include "world/spring.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

// The ship sits far from the action (out of hearing) unless a test moves
// it; the player's hook mount rides on it.
class Contacts : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        world().ship = add(typeShip, -5000, -5000);
        world().turret = make(typeTurret, -5000, -5000);
        world().ship->addChild(world(), world().turret, 0, 0, 0, true, true, true, false);
    }
    Object* add(int type, float x, float y, float radius = 10, float mass = 1)
    {
        Object* o = make(type, x, y, radius, mass);
        world().objects.push_back(o);
        return o;
    }
    void collide() { collisionDetect(world(), &world().objects); }
};

using PairSearch = Contacts;

TEST_F(PairSearch, TheOrderIsTheListsStableSortByLeftEdgeWhateverTheStart)
{
    // Far apart in y so nothing touches; many shared left edges.
    for (int i = 0; i < 600; ++i)
        add(typeEnemy, float((i * 37) % 50), 100.0f * i, float(i % 3));
    for (int round = 0; round < 3; ++round) {
        std::list<Object*> expected = world().objects;
        expected.sort(cmpObjectX);
        collide();
        EXPECT_EQ(world().objects, expected) << round;
        if (round == 0) // a few move: nearly in order
            for (Object* o : world().objects)
                if (o->y < 3000)
                    o->x += 7;
        if (round == 1) // far out of order
            world().objects.reverse();
    }
}

TEST_F(PairSearch, CirclesThatOnlyTouchDoNotCollide)
{
    Object* a = add(typeEnemy, 0, 0, 2);
    Object* b = add(typeEnemy, 3, 4, 3); // 5 apart, radii sum 5
    collide();
    EXPECT_FALSE(wasHit(a) || wasHit(b));
}

TEST_F(PairSearch, ShipHooksRopeNodesTurretsWrecksAndTheDeadDoNotCollide)
{
    world().ship->x = world().ship->y = 0;
    world().ship->vx = 0.5f; // through its own rope node, too
    Object* near[]
        = {add(typeLeftHook, 1, 0, 3), add(typeRightHook, 2, 0, 3), add(typeTurret, 3, 0),
            add(typeExploding, 4, 0), add(typeDead, 5, 0), add(typeRopeNode, -8, 0, 3)};
    collide();
    EXPECT_TRUE(world().springs.empty());
    EXPECT_FALSE(wasHit(world().ship));
    for (Object* o : near)
        EXPECT_FALSE(wasHit(o)) << o->type;
}

TEST_F(PairSearch, LaterPairsSeeWhatEarlierContactsChanged)
{
    // The hole swallows the enemy first; the swallowed enemy then no longer
    // bounces off the node beside it.
    add(typeBlackHole, 0, 0, 10, 1e9f);
    Object* enemy = add(typeEnemy, 15, 0);
    Object* node = add(typeRopeNode, 30, 0);
    world().numEnemies = 1;
    collide();
    EXPECT_EQ(enemy->type, typeDead);
    EXPECT_FALSE(wasHit(node));
}

using HookCatch = Contacts;

TEST_F(HookCatch, AHookCatchesAnEnemyOnOneNewRopeFromTheMount)
{
    add(typeLeftHook, 100, 100, 8);
    Object* enemy = add(typeEnemy, 110, 100, 10);
    enemy->vx = 0.3f;
    world().leftHookExtended = true;
    collide();
    EXPECT_TRUE(enemy->hooked);
    EXPECT_FALSE(world().leftHookExtended);
    EXPECT_TRUE(world().leftHookGrappling);
    EXPECT_FALSE(world().rightHookGrappling);
    ASSERT_EQ(world().springs.size(), 1u);
    const Spring* rope = world().springs.front();
    EXPECT_EQ(rope->endA, world().turret);
    EXPECT_EQ(rope->endB, enemy);
    EXPECT_EQ(rope->stiffness, 1.0f);
    EXPECT_EQ(rope->damping, 3.0f);
    EXPECT_EQ(enemy->vx, 0.3f); // no bounce, no damage
    EXPECT_EQ(enemy->health, 100);
    collide(); // caught already: no second rope
    EXPECT_EQ(world().springs.size(), 1u);
}

TEST_F(HookCatch, TheRightHookCatchesABlackHoleRatherThanBeingSwallowed)
{
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* hook = add(typeRightHook, 45, 0, 8);
    collide();
    EXPECT_TRUE(hole->hooked);
    EXPECT_EQ(hook->type, typeRightHook);
    EXPECT_TRUE(world().rightHookGrappling);
    EXPECT_FALSE(world().leftHookGrappling);
}

TEST_F(HookCatch, HooksPassThroughSunsButAShipBurns)
{
    world().ship->x = 59;
    world().ship->y = 0;
    Object* sun = add(typeSun, 0, 0, 50, 1e9f);
    Object* hook = add(typeLeftHook, -20, 0, 8);
    collide();
    EXPECT_TRUE(world().springs.empty());
    EXPECT_FALSE(sun->hooked);
    EXPECT_EQ(hook->health, 100);
    EXPECT_EQ(world().ship->health, 0);
}

using Projectile = Contacts;

TEST_F(Projectile, AShotPassesThroughItsShooterAndHitsTheShipRidingAlong)
{
    world().ship->x = world().ship->y = 0;
    world().ship->vx = 0.2f;
    Object* enemy = add(typeEnemy, 20, 0, 6);
    Object* bullet = add(typeBullet, 12, 0, 3); // touches both
    bullet->owner = enemy;
    bullet->vx = -0.5f;
    collide();
    EXPECT_EQ(enemy->health, 100);
    EXPECT_FALSE(wasHit(enemy));
    EXPECT_EQ(world().ship->health, 90);
    EXPECT_TRUE(wasHit(world().ship));
    EXPECT_EQ(bullet->health, 0);
    EXPECT_EQ(bullet->vx, 0.2f);
}

TEST_F(Projectile, OnTheHardestShipEnemiesShrugOffMinesButFeelThem)
{
    world().chosenShip = 2;
    Object* enemy = add(typeEnemy, 0, 0);
    Object* mine = add(typeMine, 12, 0, 5);
    collide();
    EXPECT_EQ(enemy->health, 100);
    EXPECT_TRUE(wasHit(enemy));
    EXPECT_EQ(mine->health, 0);
    world().chosenShip = 1;
    mine->type = typeDead;
    add(typeMine, -12, 0, 5);
    collide();
    EXPECT_EQ(enemy->health, -100);
}

using SunAndBlackHole = Contacts;

TEST_F(SunAndBlackHole, AnEnemyIsSwallowedSilentlyAndItsRopePassesToTheHole)
{
    world().ship->x = 0;
    world().ship->y = 300;
    world().numEnemies = 2;
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* enemy = add(typeEnemy, 45, 0);
    world().turret->x = 0;
    world().turret->y = 300;
    world().springs.push_back(new Spring(world(), world().turret, enemy, 1.0f, 3.0f));
    collide();
    EXPECT_EQ(enemy->type, typeDead);
    EXPECT_EQ(world().numEnemies, 1);
    EXPECT_EQ(world().worldEvents.count, 0); // no explosion, no crash
    const Spring* rope = world().springs.front();
    EXPECT_EQ(rope->endA, world().turret);
    EXPECT_EQ(rope->endB, hole);
    EXPECT_FLOAT_EQ(rope->restLength, 300);
    EXPECT_FLOAT_EQ(rope->lastLength, 300);
}

TEST_F(SunAndBlackHole, TheShipIsSwallowedAndTheGameIsOver)
{
    world().ship->x = 45;
    world().ship->y = 0;
    add(typeBlackHole, 0, 0, 40, 1e9f);
    collide();
    EXPECT_TRUE(world().gameOver);
    EXPECT_EQ(world().ship->type, typeShip);
}

TEST_F(SunAndBlackHole, ASwallowedPlanetOrBlackHoleStopsPulling)
{
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* planet = add(typePlanet, 60, 0, 30, 1e9f);
    Object* first = add(typeBlackHole, 1000, 0, 40, 1e9f);
    Object* second = add(typeBlackHole, 1070, 0, 40, 1e9f);
    world().attractingMasses = {hole, planet, second, first};
    collide();
    EXPECT_EQ(planet->type, typeDead);
    EXPECT_EQ(second->type, typeDead); // the first in the list swallows
    EXPECT_EQ(world().attractingMasses, (std::list<Object*> {hole, first}));
}

using Bounce = Contacts;

TEST_F(Bounce, ABodyReboundsOffAPlanetWhichStaysPut)
{
    Object* planet = add(typePlanet, 0, 0, 90, 1e9f);
    Object* body = add(typeRopeNode, 99, 0, 10, 1);
    body->vx = -0.1f;
    collide();
    EXPECT_NEAR(body->vx, 0.07f, 1e-4f);
    EXPECT_FLOAT_EQ(body->x, 100);
    EXPECT_EQ(planet->x, 0);
    EXPECT_NEAR(100 - body->health, 1e6f * std::pow(0.1f / 99, 2.0f), 1e-3f);
    EXPECT_TRUE(wasHit(planet));
}

TEST_F(Bounce, EqualMassesMeetingHeadOnReboundAtSevenTenths)
{
    Object* a = add(typeEnemy, 0, 0, 10, 5);
    Object* b = add(typeEnemy, 18, 0, 10, 5);
    a->vx = 0.05f;
    a->vy = 0.3f; // along the contact: kept
    b->vx = -0.05f;
    collide();
    EXPECT_FLOAT_EQ(a->vx, -0.035f);
    EXPECT_FLOAT_EQ(b->vx, 0.035f);
    EXPECT_FLOAT_EQ(a->vy, 0.3f);
    EXPECT_FLOAT_EQ(a->x, -1);
    EXPECT_FLOAT_EQ(b->x, 19);
    EXPECT_NEAR(100 - b->health, 1e6f * (0.1f / 18) * (0.1f / 18), 1e-3f);
}

TEST_F(Bounce, BodiesAtTheSameCentreDoNotBounceRatherThanTurnToNaN)
{
    Object* a = add(typeEnemy, 50, 50);
    Object* b = add(typeRopeNode, 50, 50);
    a->vx = 0.1f;
    collide();
    EXPECT_EQ(a->vx, 0.1f);
    EXPECT_EQ(b->x, 50);
    EXPECT_EQ(a->health, 100);
}

TEST_F(Bounce, ACrashIsHeardFromTheMiddleOfThePairWithItsDamage)
{
    world().ship->x = 0;
    world().ship->y = 100;
    const float speeds[] = {0.016f, 0.0625f, 5.0f}; // damage 2.8, 43.3, huge
    for (float v : speeds) {
        Object* a = add(typeRopeNode, 0, 0, 10, 1);
        Object* b = add(typeRopeNode, 19, 0, 10, 1);
        a->vx = v;
        b->vx = -v;
        collide();
        a->type = b->type = typeDead;
    }
    const auto crashes = raised(Sound::crash);
    ASSERT_EQ(crashes.size(), 2u); // the gentle touch is silent
    EXPECT_NEAR(crashes[0].amount, 43.3f, 0.1f);
    EXPECT_GT(crashes[1].amount, 128);
    for (const WorldEvent& crash : crashes) {
        EXPECT_FLOAT_EQ(crash.dx, 9.5f); // the pair's middle, from the ship
        EXPECT_FLOAT_EQ(crash.dy, -100);
        EXPECT_NEAR(crash.dist, std::hypot(9.5f, 100.0f), 1e-3f);
    }
}
