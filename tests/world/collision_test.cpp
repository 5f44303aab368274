#include "support/silent_effects.h"
#include "support/world_fixture.h"
#include "world/collision.h"
#include "world/spring.h"

#include <algorithm>
#include <cmath>

using namespace tether;

// Every test here has a ship far away from the action (so crashes are out of
// hearing) unless it moves it, and the player's hook mount.
class Contacts : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        ship = add(typeShip, -5000, -5000);
        turret = make(typeTurret, -5000, -5000);
        ship->addChild(turret, 0, 0, 0, true, true, true, false);
    }
    Object* add(int type, float x, float y, float radius = 10, float mass = 1)
    {
        Object* o = make(type, x, y, radius, mass);
        objects.push_back(o);
        return o;
    }
    void collide() { collisionDetect(&objects); }
};

using PairSearch = Contacts;

TEST_F(PairSearch, TheListIsSortedByLeftEdgeKeepingTiesInOrder)
{
    Object* wide = add(typePlanet, 100, 500, 80); // left edge 20
    Object* tieA = add(typeEnemy, 50, 0, 10); // left edge 40
    Object* small = add(typeEnemy, 25, 900, 1); // left edge 24
    Object* tieB = add(typeMine, 45, 300, 5); // left edge 40
    collide();
    std::list<Object*> expected = {ship, wide, small, tieA, tieB};
    EXPECT_EQ(objects, expected);
    EXPECT_TRUE(cmpObjectX(small, tieA));
    EXPECT_FALSE(cmpObjectX(tieA, tieB));
    EXPECT_FALSE(cmpObjectX(tieB, tieA));
}

TEST_F(PairSearch, TheOrderIsTheStableSortByLeftEdgeWhateverTheStartingOrder)
{
    // Far apart in y so nothing touches; many shared left edges.
    for (int i = 0; i < 600; ++i)
        add(typeEnemy, static_cast<float>((i * 37) % 50), 100.0f * i, static_cast<float>(i % 3));
    for (int round = 0; round < 3; ++round) {
        std::list<Object*> expected = objects;
        expected.sort(cmpObjectX);
        collide();
        EXPECT_EQ(objects, expected) << round;
        // Next round: a few moved (nearly sorted), then everything reversed.
        if (round == 0)
            for (Object* o : objects)
                if (o->y < 3000)
                    o->x += 7;
        if (round == 1)
            objects.reverse();
    }
}

TEST_F(PairSearch, CirclesThatOnlyTouchDoNotCollide)
{
    Object* a = add(typeEnemy, 0, 0, 2);
    Object* b = add(typeEnemy, 3, 4, 3); // 5 apart, radii sum 5
    b->vx = -1;
    collide();
    EXPECT_FALSE(a->hit);
    EXPECT_FALSE(b->hit);
    EXPECT_EQ(b->vx, -1);
}

TEST_F(PairSearch, TheShipNeverTouchesItsOwnHooks)
{
    ship->x = ship->y = 0;
    Object* left = add(typeLeftHook, 1, 0);
    Object* right = add(typeRightHook, 2, 0);
    collide();
    EXPECT_FALSE(ship->hit);
    EXPECT_FALSE(left->hit);
    EXPECT_FALSE(right->hit);
    EXPECT_TRUE(springs.empty());
}

TEST_F(PairSearch, TurretsWrecksAndTheDeadTouchNothing)
{
    Object* hook = add(typeLeftHook, 0, 0);
    Object* gun = add(typeTurret, 1, 0);
    Object* wreck = add(typeExploding, 2, 0);
    Object* dead = add(typeDead, 3, 0);
    Object* enemy = add(typeEnemy, 300, 0);
    Object* wreckOnEnemy = add(typeExploding, 302, 0);
    collide();
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(hook->hit || gun->hit || wreck->hit || dead->hit);
    EXPECT_FALSE(enemy->hit || wreckOnEnemy->hit);
}

TEST_F(PairSearch, LaterPairsSeeWhatEarlierContactsChanged)
{
    // The hole swallows the enemy first; the swallowed enemy then no longer
    // bounces off the rock beside it.
    add(typeBlackHole, 0, 0, 10, 1e9f);
    Object* enemy = add(typeEnemy, 15, 0);
    Object* rock = add(typeRopeNode, 30, 0);
    numEnemies = 1;
    collide();
    EXPECT_EQ(enemy->type, typeDead);
    EXPECT_FALSE(rock->hit);
}

using HookCatch = Contacts;

TEST_F(HookCatch, AHookCatchesAnEnemyOnOneNewRope)
{
    Object* hook = add(typeLeftHook, 100, 100, 8);
    Object* enemy = add(typeEnemy, 110, 100, 10);
    enemy->vx = 0.3f;
    leftHookExtended = true;
    collide();
    EXPECT_TRUE(enemy->hooked);
    EXPECT_FALSE(hook->hooked);
    EXPECT_FALSE(leftHookExtended);
    EXPECT_TRUE(leftHookGrappling);
    EXPECT_FALSE(rightHookGrappling);
    ASSERT_EQ(springs.size(), 1u);
    const Spring* rope = springs.front();
    EXPECT_EQ(rope->endA, turret);
    EXPECT_EQ(rope->endB, enemy);
    EXPECT_EQ(rope->stiffness, 1.0f);
    EXPECT_EQ(rope->damping, 3.0f);
    EXPECT_FLOAT_EQ(rope->restLength, std::hypot(5110.0f, 5100.0f));
    EXPECT_EQ(enemy->vx, 0.3f); // no bounce
    EXPECT_EQ(enemy->health, 100);
    EXPECT_FALSE(enemy->hit);
    collide(); // already hooked: no second rope
    EXPECT_EQ(springs.size(), 1u);
}

TEST_F(HookCatch, TheRightHookCatchesPlanetsAndBlackHolesToo)
{
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* hook = add(typeRightHook, 45, 0, 8);
    rightHookExtended = true;
    collide();
    EXPECT_TRUE(hole->hooked);
    EXPECT_EQ(hook->type, typeRightHook); // caught, not swallowed
    EXPECT_TRUE(rightHookGrappling);
    EXPECT_FALSE(rightHookExtended);
    EXPECT_FALSE(leftHookGrappling);
    EXPECT_EQ(springs.size(), 1u);
}

TEST_F(HookCatch, HooksPassThroughSuns)
{
    Object* sun = add(typeSun, 0, 0, 50, 1e9f);
    Object* hook = add(typeLeftHook, 20, 0, 8);
    collide();
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(sun->hooked);
    EXPECT_EQ(hook->health, 100);
    EXPECT_FALSE(leftHookGrappling);
}

TEST_F(HookCatch, AHookBouncesOffWhatIsAlreadyCaught)
{
    Object* hook = add(typeLeftHook, 0, 0, 8);
    Object* enemy = add(typeEnemy, 15, 0, 10);
    enemy->hooked = true;
    enemy->vx = -0.1f;
    collide();
    EXPECT_TRUE(springs.empty());
    EXPECT_TRUE(hook->hit);
    EXPECT_GT(enemy->vx, -0.1f);
}

TEST_F(HookCatch, AShotHitsAHookInsteadOfBeingCaught)
{
    Object* hook = add(typeLeftHook, 0, 0, 8);
    Object* bullet = add(typeBullet, 5, 0, 3);
    collide();
    EXPECT_TRUE(springs.empty());
    EXPECT_EQ(hook->health, 90);
    EXPECT_EQ(bullet->health, 0);
}

using Projectile = Contacts;

TEST_F(Projectile, AShotPassesThroughItsOwner)
{
    Object* enemy = add(typeEnemy, 0, 0);
    Object* bullet = add(typeBullet, 2, 0, 3);
    bullet->owner = enemy;
    bullet->vx = 0.5f;
    collide();
    EXPECT_EQ(enemy->health, 100);
    EXPECT_FALSE(enemy->hit);
    EXPECT_EQ(bullet->health, 100);
    EXPECT_EQ(bullet->vx, 0.5f);
}

TEST_F(Projectile, ABulletHitsTheShipAndRidesAlongWithIt)
{
    ship->x = ship->y = 0;
    ship->vx = 0.2f;
    ship->vy = -0.1f;
    Object* enemy = add(typeEnemy, 500, 0);
    Object* bullet = add(typeBullet, -5, 0, 3);
    bullet->owner = enemy;
    bullet->vx = 0.5f;
    collide();
    EXPECT_EQ(ship->health, 90);
    EXPECT_TRUE(ship->hit);
    EXPECT_EQ(bullet->health, 0);
    EXPECT_EQ(bullet->vx, 0.2f);
    EXPECT_EQ(bullet->vy, -0.1f);
}

TEST_F(Projectile, EachWeaponDoesItsOwnDamage)
{
    const struct {
        int type;
        float damage;
    } table[] = {{typeBullet, 10}, {typeLightning, 0.1f}, {typeShredder, 50}, {typeRail, 100},
        {typeBfg, 1000}, {typeMine, 200}};
    float x = 0;
    for (const auto& row : table) {
        Object* target = add(typeRopeNode, x, 0);
        target->health = 5000;
        add(row.type, x + 5, 0, 3);
        collide();
        EXPECT_FLOAT_EQ(target->health, 5000 - row.damage) << row.type;
        x += 100;
    }
}

TEST_F(Projectile, OnTheHardestShipEnemiesShrugOffMinesButFeelThem)
{
    difficulty = 2;
    Object* enemy = add(typeEnemy, 0, 0);
    Object* mine = add(typeMine, 12, 0, 5);
    collide();
    EXPECT_EQ(enemy->health, 100);
    EXPECT_TRUE(enemy->hit);
    EXPECT_EQ(mine->health, 0);
}

TEST_F(Projectile, OnTheMiddleShipEnemiesAreHurt)
{
    difficulty = 1;
    Object* enemy = add(typeEnemy, 0, 0);
    add(typeMine, 12, 0, 5);
    collide();
    EXPECT_EQ(enemy->health, -100);
}

TEST_F(Projectile, BetweenTwoShotsTheFirstInTheListIsTheProjectile)
{
    Object* first = add(typeMine, 0, 0, 10);
    Object* second = add(typeBullet, 12, 0, 3);
    collide();
    EXPECT_EQ(second->health, 100 - 200);
    EXPECT_TRUE(second->hit);
    EXPECT_EQ(first->health, 0);
}

TEST_F(Projectile, AShotWhoseShooterIsGoneHitsAnything)
{
    Object* enemy = add(typeEnemy, 0, 0);
    Object* bullet = add(typeBullet, 2, 0, 3);
    bullet->owner = nullptr;
    collide();
    EXPECT_EQ(enemy->health, 90);
}

TEST_F(Projectile, AMineTouchingASunIsSpentAndTheSunTakesTheDamage)
{
    Object* sun = add(typeSun, 0, 0, 50, 1e9f);
    Object* mine = add(typeMine, 55, 0, 10);
    collide();
    EXPECT_EQ(sun->health, 100 - 200);
    EXPECT_EQ(mine->health, 0);
}

using SunAndBlackHole = Contacts;

TEST_F(SunAndBlackHole, WhateverTouchesASunBurns)
{
    ship->x = 59;
    ship->y = 0;
    Object* sun = add(typeSun, 0, 0, 50, 1e9f);
    Object* enemy = add(typeEnemy, -55, 0);
    enemy->vx = 0.3f;
    collide();
    EXPECT_EQ(ship->health, 0);
    EXPECT_EQ(enemy->health, 0);
    EXPECT_EQ(enemy->vx, 0.3f); // no bounce
    EXPECT_EQ(sun->health, 100);
}

TEST_F(SunAndBlackHole, AnEnemyIsSwallowedSilentlyAndCounted)
{
    SilentEffects effects;
    ship->x = ship->y = 500;
    numEnemies = 2;
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* enemy = add(typeEnemy, 45, 0);
    collide();
    EXPECT_EQ(enemy->type, typeDead);
    EXPECT_EQ(numEnemies, 1);
    EXPECT_EQ(hole->type, typeBlackHole);
    EXPECT_EQ(effects.explosionsPlaying() + effects.crashesPlaying(), 0);
}

TEST_F(SunAndBlackHole, TheShipIsSwallowedAndTheGameIsOver)
{
    ship->x = 45;
    ship->y = 0;
    add(typeBlackHole, 0, 0, 40, 1e9f);
    collide();
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(ship->type, typeShip);
}

TEST_F(SunAndBlackHole, ARopeOnASwallowedEnemyPassesToTheBlackHole)
{
    numEnemies = 1;
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* enemy = add(typeEnemy, 45, 0);
    turret->x = 0;
    turret->y = 300;
    springs.push_back(new Spring(turret, enemy, 1.0f, 3.0f));
    collide();
    Spring* rope = springs.front();
    EXPECT_EQ(rope->endA, turret);
    EXPECT_EQ(rope->endB, hole);
    EXPECT_FLOAT_EQ(rope->restLength, 300);
    EXPECT_FLOAT_EQ(rope->lastLength, 300);
}

TEST_F(SunAndBlackHole, TheHandedOverRopeIsMeasuredTheShortWayRound)
{
    Object* hole = add(typeBlackHole, 1990, 0, 40, 1e9f);
    Object* node = add(typeRopeNode, 1995, 0, 10);
    Object* far = add(typeRopeNode, 10, 0, 10);
    springs.push_back(new Spring(far, node, 1.0f, 3.0f));
    collide();
    EXPECT_EQ(springs.front()->endB, hole);
    EXPECT_FLOAT_EQ(springs.front()->restLength, 20);
}

TEST_F(SunAndBlackHole, ARopeBetweenTheVictimAndTheHoleIsLeftForCleanup)
{
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* node = add(typeRopeNode, 45, 0, 10);
    springs.push_back(new Spring(node, hole, 1.0f, 3.0f));
    collide();
    EXPECT_EQ(springs.front()->endA, node);
    EXPECT_EQ(node->type, typeDead);
}

TEST_F(SunAndBlackHole, ASwallowedPlanetStopsPulling)
{
    Object* hole = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* planet = add(typePlanet, 60, 0, 30, 1e9f);
    Object* other = add(typePlanet, 900, 0, 30, 1e9f);
    attractingMasses = {hole, planet, other};
    collide();
    EXPECT_EQ(planet->type, typeDead);
    std::list<Object*> expected = {hole, other};
    EXPECT_EQ(attractingMasses, expected);
}

TEST_F(SunAndBlackHole, OfTwoBlackHolesTheFirstInTheListSwallowsTheOther)
{
    Object* first = add(typeBlackHole, 0, 0, 40, 1e9f);
    Object* second = add(typeBlackHole, 70, 0, 40, 1e9f);
    attractingMasses = {second, first};
    collide();
    EXPECT_EQ(first->type, typeBlackHole);
    EXPECT_EQ(second->type, typeDead);
    EXPECT_EQ(attractingMasses, std::list<Object*> {first});
}

using Bounce = Contacts;

TEST_F(Bounce, ABodyRebouncesOffAPlanetWhichStaysPut)
{
    Object* planet = add(typePlanet, 0, 0, 90, 1e9f);
    Object* body = add(typeRopeNode, 99, 0, 10, 1);
    body->vx = -0.1f;
    collide();
    EXPECT_NEAR(body->vx, 0.07f, 1e-4f);
    EXPECT_FLOAT_EQ(body->x, 100);
    EXPECT_EQ(planet->x, 0);
    EXPECT_NEAR(100 - body->health, 1e6f * std::pow(0.1f / 99, 2.0f), 1e-3f);
    EXPECT_TRUE(body->hit);
    EXPECT_TRUE(planet->hit);
}

TEST_F(Bounce, ABodyLeftOfAPlanetMovesTheWholeWayOut)
{
    Object* body = add(typeRopeNode, -99, 0, 10, 1);
    Object* planet = add(typePlanet, 0, 0, 90, 1e9f);
    collide();
    EXPECT_FLOAT_EQ(body->x, -100);
    EXPECT_EQ(planet->x, 0);
}

TEST_F(Bounce, EqualMassesMeetingHeadOnReboundAtSevenTenths)
{
    Object* a = add(typeEnemy, 0, 0, 10, 5);
    Object* b = add(typeEnemy, 18, 0, 10, 5);
    a->vx = 0.05f;
    b->vx = -0.05f;
    a->health = b->health = 1000;
    collide();
    EXPECT_FLOAT_EQ(a->vx, -0.035f);
    EXPECT_FLOAT_EQ(b->vx, 0.035f);
    EXPECT_FLOAT_EQ(a->x, -1);
    EXPECT_FLOAT_EQ(b->x, 19);
    const float damage = 1e6f * (0.1f / 18) * (0.1f / 18);
    EXPECT_NEAR(a->health, 1000 - damage, 1e-3f);
    EXPECT_NEAR(b->health, 1000 - damage, 1e-3f);
}

TEST_F(Bounce, OnlyTheNormalPartOfTheVelocityChanges)
{
    Object* a = add(typeEnemy, 0, 0, 10, 1);
    Object* b = add(typeEnemy, 15, 0, 10, 1e9f); // a wall, in effect
    a->vx = 0.1f;
    a->vy = 0.3f;
    collide();
    EXPECT_NEAR(a->vx, -0.07f, 1e-6f);
    EXPECT_FLOAT_EQ(a->vy, 0.3f);
    EXPECT_EQ(b->vy, 0);
}

TEST_F(Bounce, BodiesAtTheSameCentreDoNotBounceRatherThanTurnToNaN)
{
    Object* a = add(typeEnemy, 50, 50);
    Object* b = add(typeRopeNode, 50, 50);
    a->vx = 0.1f;
    collide();
    EXPECT_EQ(a->vx, 0.1f);
    EXPECT_EQ(a->x, 50);
    EXPECT_EQ(b->x, 50);
    EXPECT_EQ(a->health, 100);
    EXPECT_EQ(b->health, 100);
}

class CrashSound : public Contacts {
protected:
    SilentEffects effects;
    // Two unit masses meeting head on at speed v each, near the ship.
    void crash(float v)
    {
        ship->x = 0;
        ship->y = 100;
        Object* a = add(typeRopeNode, 0, 0, 10, 1);
        Object* b = add(typeRopeNode, 19, 0, 10, 1);
        a->vx = v;
        b->vx = -v;
        collide();
    }
};

TEST_F(CrashSound, AHardCrashIsHeardAsLoudAsItsDamage)
{
    crash(0.0625f); // damage 1e6 * (0.125 / 19)^2 = 43.3
    ASSERT_EQ(effects.crashesPlaying(), 1);
    EXPECT_EQ(collideChannel, 21);
    EXPECT_EQ(Mix_Volume(21, -1), 43);
}

TEST_F(CrashSound, AGentleTouchIsSilent)
{
    crash(0.016f); // damage 1e6 * (0.032 / 19)^2 = 2.8
    EXPECT_EQ(effects.crashesPlaying(), 0);
}

TEST_F(CrashSound, ACrashOutOfHearingIsSilent)
{
    Object* a = add(typeRopeNode, 0, 3000, 10, 1);
    Object* b = add(typeRopeNode, 19, 3000, 10, 1);
    a->vx = 0.1f;
    b->vx = -0.1f;
    collide();
    EXPECT_TRUE(a->hit);
    EXPECT_EQ(effects.crashesPlaying(), 0);
}

TEST_F(CrashSound, AnEnormousCrashIsPlayedAtFullVolume)
{
    crash(5.0f);
    ASSERT_EQ(effects.crashesPlaying(), 1);
    EXPECT_EQ(Mix_Volume(21, -1), 128);
}

TEST(CrashVolume, DamageIsClampedToTheMixersRange)
{
    EXPECT_EQ(crashVolume(3.5f), 3);
    EXPECT_EQ(crashVolume(127.9f), 127);
    EXPECT_EQ(crashVolume(128), 128);
    EXPECT_EQ(crashVolume(1e30f), 128);
    EXPECT_EQ(crashVolume(INFINITY), 128);
    EXPECT_EQ(crashVolume(NAN), 0);
    EXPECT_EQ(crashVolume(-5), 0);
}
