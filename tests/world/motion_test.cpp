#include "content/tuning.h"
#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/motion.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

using Gravity = WorldTest;

TEST_F(Gravity, ASourceOfMass1e9At100UnitsPullsAUnitMassBy6e6)
{
    Object* source = make(typePlanet, 100, 0, 10, 1e9f);
    Object* body = make(typeEnemy, 0, 0, 10, 1);
    world().objects = {source, body};
    world().attractingMasses = {source};
    world().dynamicMasses = {body};
    applyGravity(world());
    EXPECT_NEAR(body->fx, 0.000006f, 1e-11f);
    EXPECT_EQ(body->fy, 0);
}

TEST_F(Gravity, ABodyAtASourcesCentreGetsNoForceRatherThanNaN)
{
    Object* source = make(typeBlackHole, 300, 300, 10, 1e9f);
    Object* wreck = make(typeExploding, 300, 300);
    Object* other = make(typeEnemy, 400, 300);
    world().objects = {source, wreck, other};
    world().attractingMasses = {source};
    world().dynamicMasses = {wreck, other};
    applyGravity(world());
    EXPECT_EQ(wreck->fx, 0);
    EXPECT_EQ(wreck->fy, 0);
    EXPECT_LT(other->fx, 0); // the others are still pulled
}

TEST_F(Gravity, InsideASourceThePullStaysAtItsSurfaceStrength)
{
    // A wreck falling through a sun's centre: 1/r^2 at half a unit would
    // fling it out at thousands of units per ms.
    Object* sun = make(typeSun, 0, 0, 100, 2e11f);
    Object* wreck = make(typeExploding, 0.5f, 0, 18, 100);
    Object* outside = make(typeEnemy, 0, 200, 18, 100);
    world().objects = {sun, wreck, outside};
    world().attractingMasses = {sun};
    world().dynamicMasses = {wreck, outside};
    applyGravity(world());
    const float surfacePull = 100 * 2e11f * 6e-11f / (100.0f * 100.0f);
    EXPECT_NEAR(wreck->fx, -surfacePull, surfacePull * 1e-5f);
    EXPECT_NEAR(outside->fy, -surfacePull / 4, surfacePull * 1e-5f); // outside: plain 1/r^2
}

using Integration = WorldTest;

TEST_F(Integration, SourcesAndTheDeadNeverChange)
{
    for (int type : {typeBlackHole, typePlanet, typeSun, typeDead}) {
        Object o(5, 10, 1, 2, 0.5f, 0.25f, 1, 0.1f, nullptr, type, 10, 0);
        o.fx = 3;
        o.loaded = false;
        o.update(world(), 1);
        EXPECT_EQ(o.x, 1) << type;
        EXPECT_EQ(o.fx, 3) << type;
        EXPECT_EQ(o.spin, 0.1f) << type;
        EXPECT_EQ(o.reloadTimer, 0) << type;
        EXPECT_EQ(o.type, type);
    }
}

TEST_F(Integration, ForceMovesVelocityThenPositionInTheSameStep)
{
    Object o(4, 10, 10, 20, 0, 0, 0, 0, nullptr, typeEnemy, 0, 100);
    o.fx = 2;
    o.update(world(), 1);
    EXPECT_FLOAT_EQ(o.vx, 0.5f);
    EXPECT_FLOAT_EQ(o.x, 10.5f);
    EXPECT_EQ(o.fx, 0);
}

TEST_F(Integration, OnlyTheShipIsHeldToItsTopSpeedInTheSameDirection)
{
    const float saved = writableTuning().shipMaxSpeed;
    writableTuning().shipMaxSpeed = 0.6f;
    Object craft(1, 10, 0, 0, 0.3f, 0, 0, 0, nullptr, typeShip, 0, 100);
    Object enemy(1, 10, 0, 0, 0.3f, 0, 0, 0, nullptr, typeEnemy, 0, 100);
    for (Object* o : {&craft, &enemy}) {
        o->fx = o->fy = 0.9f; // to (1.2, 0.9): speed 1.5
        o->update(world(), 1);
    }
    writableTuning().shipMaxSpeed = saved;
    EXPECT_NEAR(std::hypot(craft.vx, craft.vy), 0.6f, 1e-6f);
    EXPECT_NEAR(craft.vx / craft.vy, 1.2f / 0.9f, 1e-5f);
    EXPECT_NEAR(std::hypot(enemy.vx, enemy.vy), 1.5f, 1e-6f);
}

TEST_F(Integration, SpinTurnsOnceAndHeadingsStayWithinOneTurnKeepingTheirSign)
{
    Object o(1, 10, 0, 0, 0, 0, 6.29f, 0.01f, nullptr, typeEnemy, 0, 100);
    o.update(world(), 1);
    EXPECT_NEAR(o.angle, 6.3f - 6.2831853f, 1e-4f);
    EXPECT_EQ(o.spin, 0);
    o.angle = -6.3f;
    o.update(world(), 1);
    EXPECT_NEAR(o.angle, -0.0168f, 1e-4f);
}

TEST_F(Integration, AForcePassingChildHandsItsForceToTheParent)
{
    Object* parent = make(typeEnemy, 0, 0, 10, 2);
    Object* mount = make(typeTurret);
    Object* flame = make(typeFlame);
    parent->addChild(world(), mount, 0, 0, 0, true, true, true, false);
    parent->addChild(world(), flame, 0, 0, 0, true, false, false, false);
    mount->fx = 4;
    flame->fx = 7;
    parent->update(world(), 1);
    EXPECT_FLOAT_EQ(parent->vx, 2); // 4 / mass 2; the flame keeps its own
    EXPECT_EQ(mount->fx, 0);
    EXPECT_EQ(flame->fx, 7);
    destroyObject(world(), parent);
}

class Death : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        world().ship = make(typeShip, 0, 0);
        world().objects.push_back(world().ship);
    }
    static Object shot(int type, float life)
    {
        return Object(1, 5, 100, 0, 0, 0, 0, 0, nullptr, type, 0, life);
    }
};

TEST_F(Death, ABulletDiesSilentlyOnItsLastMillisecond)
{
    Object bullet = shot(typeBullet, 1000);
    for (int ms = 1; ms < 1000; ++ms)
        bullet.update(world(), 1);
    ASSERT_EQ(bullet.type, typeBullet);
    bullet.update(world(), 1);
    EXPECT_EQ(bullet.type, typeExploding);
    EXPECT_EQ(bullet.health, 0.000001f);
    EXPECT_TRUE(raised(Sound::explosion).empty());
}

TEST_F(Death, AnEnemyExplodesAloudOnceAndIsGoneAfter500Milliseconds)
{
    world().numEnemies = 3;
    Object enemy(1, 10, 300, 400, 0, 0, 0, 0, nullptr, typeEnemy, 0, 0);
    enemy.update(world(), 1);
    EXPECT_EQ(world().numEnemies, 2);
    EXPECT_EQ(enemy.type, typeExploding);
    const auto booms = raised(Sound::explosion);
    ASSERT_EQ(booms.size(), 1u);
    EXPECT_EQ(booms[0].dx, 300); // heard from where it died, as the ship hears it
    EXPECT_EQ(booms[0].dist, 500);
    for (int ms = 1; ms < 500; ++ms)
        enemy.update(world(), 1);
    EXPECT_EQ(enemy.type, typeExploding);
    enemy.update(world(), 1);
    EXPECT_EQ(enemy.type, typeDead);
    EXPECT_EQ(world().numEnemies, 2);
}

TEST_F(Death, HooksNeverDieBfgBallsKeepTheirOwnExplosionAndLightningVanishes)
{
    Object hook(1, 8, 0, 0, 0, 0, 0, 0, nullptr, typeLeftHook, 0, -40);
    Object ball = shot(typeBfg, 1);
    Object bolt = shot(typeLightning, 1);
    for (Object* o : {&hook, &ball, &bolt})
        o->update(world(), 1);
    EXPECT_EQ(hook.type, typeLeftHook);
    EXPECT_EQ(hook.health, -40);
    EXPECT_EQ(ball.type, typeExploding);
    EXPECT_TRUE(ball.expiredBall);
    EXPECT_EQ(bolt.type, typeDead);
}

TEST_F(Death, TheShipsFinishedExplosionEndsTheGameAndLeavesTheWreck)
{
    world().ship->health = 0;
    for (int ms = 0; ms < 500; ++ms)
        world().ship->update(world(), 1);
    EXPECT_FALSE(world().gameOver);
    world().ship->update(world(), 1);
    EXPECT_TRUE(world().gameOver);
    EXPECT_EQ(world().ship->type, typeExploding);
}
