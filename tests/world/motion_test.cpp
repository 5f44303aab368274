#include "content/tuning.h"
#include "support/silent_effects.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/motion.h"

#include <cmath>

using namespace tether;

using Gravity = WorldTest;

TEST_F(Gravity, WithoutSourcesNothingIsPulled)
{
    Object* body = make(typeEnemy, 100, 100);
    dynamicMasses.push_back(body);
    objects.push_back(body);
    applyGravity();
    EXPECT_EQ(body->fx, 0);
    EXPECT_EQ(body->fy, 0);
}

TEST_F(Gravity, ASourceOfMass1e9At100UnitsPullsAUnitMassBy6e6)
{
    Object* source = make(typePlanet, 100, 0, 10, 1e9f);
    Object* body = make(typeEnemy, 0, 0, 10, 1);
    objects.push_back(source);
    objects.push_back(body);
    attractingMasses.push_back(source);
    dynamicMasses.push_back(body);
    applyGravity();
    EXPECT_NEAR(body->fx, 0.000006f, 1e-11f);
    EXPECT_EQ(body->fy, 0);
    EXPECT_EQ(source->fx, 0); // sources are never pulled
}

TEST_F(Gravity, PullFallsWithTheSquareOfDistanceAndSumsOverSources)
{
    Object* near = make(typeSun, 0, 50, 10, 1e9f);
    Object* far = make(typePlanet, 0, -100, 10, 1e9f);
    Object* body = make(typeEnemy, 0, 0, 10, 2);
    attractingMasses = {near, far};
    dynamicMasses.push_back(body);
    objects = {near, far, body};
    applyGravity();
    // 2e9 * 6e-11 / 2500 down, minus 2e9 * 6e-11 / 10000 up.
    EXPECT_NEAR(body->fy, 0.000048f - 0.000012f, 1e-10f);
    EXPECT_NEAR(body->fx, 0, 1e-12f);
}

TEST_F(Gravity, ABodyAtASourcesCentreGetsNoForceRatherThanNaN)
{
    Object* source = make(typeBlackHole, 300, 300, 10, 1e9f);
    Object* wreck = make(typeExploding, 300, 300);
    Object* other = make(typeEnemy, 400, 300);
    attractingMasses.push_back(source);
    dynamicMasses = {wreck, other};
    objects = {source, wreck, other};
    applyGravity();
    EXPECT_EQ(wreck->fx, 0);
    EXPECT_EQ(wreck->fy, 0);
    EXPECT_LT(other->fx, 0); // the others are still pulled
}

class Integration : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        savedMaxSpeed = shipMaxSpeed;
        shipMaxSpeed = 0.6f;
    }
    void TearDown() override
    {
        shipMaxSpeed = savedMaxSpeed;
        WorldTest::TearDown();
    }
    float savedMaxSpeed = 0;
};

TEST_F(Integration, SourcesAndTheDeadNeverChange)
{
    for (int type : {typeBlackHole, typePlanet, typeSun, typeDead}) {
        Object o(5, 10, 1, 2, 0.5f, 0.25f, 1, 0.1f, nullptr, type, 10, 0);
        o.fx = 3;
        o.fy = 4;
        o.loaded = false;
        o.update(1);
        EXPECT_EQ(o.x, 1) << type;
        EXPECT_EQ(o.vx, 0.5f) << type;
        EXPECT_EQ(o.fx, 3) << type;
        EXPECT_EQ(o.spin, 0.1f) << type;
        EXPECT_EQ(o.reloadTimer, 0) << type;
        EXPECT_EQ(o.type, type);
        EXPECT_EQ(o.health, 0) << type;
    }
}

TEST_F(Integration, ForceMovesVelocityThenPositionInTheSameStep)
{
    Object* o = make(typeEnemy, 10, 20, 10, 4);
    o->fx = 2;
    o->fy = -1;
    o->update(1);
    EXPECT_FLOAT_EQ(o->vx, 0.5f);
    EXPECT_FLOAT_EQ(o->vy, -0.25f);
    EXPECT_FLOAT_EQ(o->x, 10.5f);
    EXPECT_FLOAT_EQ(o->y, 19.75f);
    EXPECT_EQ(o->fx, 0);
    EXPECT_EQ(o->fy, 0);
    delete o;
}

TEST_F(Integration, TheShipIsHeldToItsTopSpeedInTheSameDirection)
{
    Object* o = make(typeShip, 0, 0, 10, 1);
    o->vx = 0.3f;
    o->fx = 0.9f; // to 1.2 across
    o->fy = 0.9f; // and 0.9 down: speed 1.5
    o->update(1);
    EXPECT_NEAR(std::hypot(o->vx, o->vy), 0.6f, 1e-6f);
    EXPECT_NEAR(o->vx / o->vy, 1.2f / 0.9f, 1e-5f);
    delete o;
}

TEST_F(Integration, EnemiesHaveNoTopSpeed)
{
    Object* o = make(typeEnemy, 0, 0, 10, 1);
    o->fx = 5;
    o->update(1);
    EXPECT_FLOAT_EQ(o->vx, 5);
    delete o;
}

TEST_F(Integration, SpinTurnsForOneStepOnly)
{
    Object* o = make(typeEnemy);
    o->angle = 1;
    o->spin = 0.01f;
    o->update(1);
    EXPECT_FLOAT_EQ(o->angle, 1.01f);
    EXPECT_EQ(o->spin, 0);
    o->update(1);
    EXPECT_FLOAT_EQ(o->angle, 1.01f);
    delete o;
}

TEST_F(Integration, HeadingsStayWithinOneTurnAndKeepTheirSign)
{
    Object* o = make(typeEnemy);
    o->angle = 6.3f;
    o->update(1);
    EXPECT_NEAR(o->angle, 0.0168f, 1e-4f);
    o->angle = -6.3f;
    o->update(1);
    EXPECT_NEAR(o->angle, -0.0168f, 1e-4f);
    delete o;
}

TEST_F(Integration, AForcePassingChildHandsItsForceToTheParent)
{
    Object* parent = make(typeEnemy, 0, 0, 10, 2);
    Object* mount = make(typeTurret);
    Object* flame = make(typeFlame);
    parent->addChild(mount, 0, 0, 0, true, true, true, false);
    parent->addChild(flame, 0, 0, 0, true, false, false, false);
    mount->fx = 4;
    flame->fx = 7;
    parent->update(1);
    EXPECT_FLOAT_EQ(parent->vx, 2); // 4 / mass 2, the flame's force not taken
    EXPECT_EQ(mount->fx, 0);
    EXPECT_EQ(flame->fx, 7);
    delete parent;
}

TEST_F(Integration, AWeaponReloadsAfterItsReloadTime)
{
    Object o(1, 10, 0, 0, 0, 0, 0, 0, nullptr, typeShip, 300, 100);
    o.loaded = false;
    for (int ms = 1; ms < 300; ++ms) {
        o.update(1);
        ASSERT_FALSE(o.loaded) << ms;
    }
    o.update(1);
    EXPECT_TRUE(o.loaded);
    EXPECT_EQ(o.reloadTimer, 0);
}

class Death : public WorldTest {
protected:
    SilentEffects effects;
    void SetUp() override
    {
        WorldTest::SetUp();
        ship = make(typeShip, 0, 0);
        objects.push_back(ship);
    }
};

TEST_F(Death, ABulletDiesSilentlyOnItsLastMillisecond)
{
    Object bullet(1, 5, 100, 0, 0, 0, 0, 0, nullptr, typeBullet, 0, 1000);
    for (int ms = 1; ms < 1000; ++ms)
        bullet.update(1);
    ASSERT_EQ(bullet.type, typeBullet);
    EXPECT_FLOAT_EQ(bullet.health, 1);
    bullet.update(1);
    EXPECT_EQ(bullet.type, typeExploding);
    EXPECT_EQ(bullet.health, 0.000001f);
    EXPECT_EQ(effects.explosionsPlaying(), 0);
}

TEST_F(Death, MinesHaveNoLifetime)
{
    Object mine(1, 5, 100, 0, 0, 0, 0, 0, nullptr, typeMine, 0, 3);
    for (int ms = 0; ms < 10; ++ms)
        mine.update(1);
    EXPECT_EQ(mine.type, typeMine);
    EXPECT_EQ(mine.health, 3);
}

TEST_F(Death, AnEnemyExplodesAloudAndIsGoneAfter500Milliseconds)
{
    numEnemies = 3;
    Object enemy(1, 10, 300, 400, 0, 0, 0, 0, nullptr, typeEnemy, 0, 0);
    enemy.update(1);
    EXPECT_EQ(numEnemies, 2);
    EXPECT_EQ(enemy.type, typeExploding);
    EXPECT_EQ(effects.explosionsPlaying(), 1);
    for (int ms = 1; ms < 500; ++ms) {
        enemy.update(1);
        ASSERT_EQ(enemy.type, typeExploding) << ms;
    }
    enemy.update(1);
    EXPECT_EQ(enemy.type, typeDead);
    EXPECT_EQ(numEnemies, 2); // counted once
}

TEST_F(Death, ExplosionsFarFromTheShipAreNotHeard)
{
    Object enemy(1, 10, 1000, 0, 0, 0, 0, 0, nullptr, typeEnemy, 0, -5);
    enemy.update(1);
    EXPECT_EQ(enemy.type, typeExploding);
    EXPECT_EQ(effects.explosionsPlaying(), 0);
}

TEST_F(Death, HooksNeverDie)
{
    Object hook(1, 8, 0, 0, 0, 0, 0, 0, nullptr, typeLeftHook, 0, -40);
    hook.update(1);
    EXPECT_EQ(hook.type, typeLeftHook);
    EXPECT_EQ(hook.health, -40);
    EXPECT_EQ(effects.explosionsPlaying(), 0);
}

TEST_F(Death, AnExpiredBfgBallKeepsItsOwnExplosion)
{
    Object ball(1, 40, 0, 0, 0, 0, 0, 0, nullptr, typeBfg, 0, 1);
    ball.update(1);
    EXPECT_EQ(ball.kind, kindExpiredBfg);
    EXPECT_EQ(ball.type, typeExploding);
}

TEST_F(Death, LightningVanishesWithoutExploding)
{
    Object bolt(1, 5, 0, 0, 0, 0, 0, 0, nullptr, typeLightning, 0, 1);
    bolt.update(1);
    EXPECT_EQ(bolt.type, typeDead);
}

TEST_F(Death, TheShipsFinishedExplosionEndsTheGameAndLeavesTheWreck)
{
    ship->health = 0;
    ship->update(1);
    EXPECT_EQ(ship->type, typeExploding);
    EXPECT_EQ(effects.explosionsPlaying(), 1);
    for (int ms = 1; ms < 500; ++ms)
        ship->update(1);
    EXPECT_FALSE(gameOver);
    ship->update(1);
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(ship->type, typeExploding);
}

TEST_F(Death, WrecksKeepDrifting)
{
    Object wreck(1, 10, 0, 0, 0.5f, 0, 0, 0, nullptr, typeExploding, 0, 1);
    wreck.update(1);
    EXPECT_FLOAT_EQ(wreck.x, 0.5f);
}
