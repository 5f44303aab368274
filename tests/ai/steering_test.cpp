#include "ai/ai_fixture.h"
#include "content/worldinuse.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

class AISteering : public AITest {
protected:
    // Moves e by the AI's force alone for one ms, as motion would.
    void fly(Object* e)
    {
        AIUpdate(world(), e, target);
        e->vx += e->fx / e->mass;
        e->vy += e->fy / e->mass;
        e->x += e->vx;
        e->y += e->vy;
    }

    // Closes in from rest on the target at the origin with the AI's force
    // alone; returns how far it swung past the target.
    float overshoot(float mass)
    {
        Object* e = enemy(10, -500, 0, 0, mass);
        float farthest = -1e9f;
        for (int ms = 0; ms < 40000; ++ms) {
            AIUpdate(world(), e, target);
            e->vx += e->fx / e->mass;
            e->x += e->vx;
            farthest = std::max(farthest, e->x);
        }
        EXPECT_NEAR(e->x, target->x, 1.0f) << "mass " << mass;
        return farthest - target->x;
    }
};

TEST_F(AISteering, TurnsTowardTheTargetOutsideADeadBandOfATenthRadian)
{
    target->x = 500; // bearing 0 from the origin
    struct Case {
        int kind;
        float angle;
        float spin;
    };
    for (const Case c :
        {Case {1, 0.099f, 0}, {1, -0.099f, 0}, {1, 0.101f, -0.03f}, {1, -0.101f, 0.03f},
            {12, 2.0f, -0.03f}, {5, 0.101f, -0.002f}, {5, -0.101f, 0.002f}, {5, 0.05f, 0}}) {
        Object* e = enemy(c.kind, 0, 0, c.angle);
        e->spin = 7;
        AIUpdate(world(), e, target);
        EXPECT_FLOAT_EQ(e->spin, c.spin) << "class " << c.kind << " heading " << c.angle;
    }
}

TEST_F(AISteering, TheHeadingErrorTakesTheShortWayAcrossMinusPi)
{
    target->x = -500;
    target->y = -5; // bearing about -3.1316
    Object* e = enemy(1, 0, 0, 3.0f); // error 6.13, that is -0.15
    AIUpdate(world(), e, target);
    EXPECT_FLOAT_EQ(e->spin, 0.03f);
    e->angle = 3.1f; // error -0.05: inside the dead band
    AIUpdate(world(), e, target);
    EXPECT_FLOAT_EQ(e->spin, 0);
    target->y = 5; // bearing about +3.1316
    e->angle = -3.0f; // error -6.13, that is +0.15
    AIUpdate(world(), e, target);
    EXPECT_FLOAT_EQ(e->spin, -0.03f);
}

TEST_F(AISteering, ClassFourRotatesSteadilyWhateverTheBearing)
{
    target->x = 500;
    for (float angle : {0.0f, 0.05f, 1.0f, -2.0f, 3.1f}) {
        Object* e = enemy(4, 0, 0, angle);
        AIUpdate(world(), e, target);
        EXPECT_FLOAT_EQ(e->spin, 0.006f) << angle;
    }
}

TEST_F(AISteering, ADampedSpringPullsTowardTheTargetAndReplacesTheForce)
{
    target->x = 500;
    target->y = 300;
    Object* e = enemy(3, 100, -50, 0, 150);
    e->vx = 0.2f;
    e->vy = 0.1f;
    e->fx = e->fy = 123; // set, not added to
    AIUpdate(world(), e, target);
    const double k = std::sqrt(0.0005 / 150) * 200;
    EXPECT_NEAR(e->fx, 0.0005 * 400 - k * 0.2, 1e-6);
    EXPECT_NEAR(e->fy, 0.0005 * 350 - k * 0.1, 1e-6);
}

TEST_F(AISteering, DampingIsCriticalAtMassOneHundredAndSwingsForHeavierShips)
{
    EXPECT_LE(overshoot(100), 0.0f);
    EXPECT_LE(overshoot(60), 0.0f);
    EXPECT_GT(overshoot(400), 100.0f);
}

TEST_F(AISteering, AnEnemysEngineHoldsTheChaseToItsClassThrustAndTopSpeed)
{
    // A heavy rammer 1700 units off: unbounded, the pull would bring it in
    // at over 2 units per ms to die ramming the ship within 1.5 s.
    writableTuning().enMaxThrust[2] = 0.12f;
    writableTuning().enMaxSpeed[2] = 0.3f;
    Object* e = enemy(3, -1700, 0, 0, 300);
    float fastest = 0, strongest = 0;
    int arrival = -1;
    for (int ms = 0; ms < 20000 && arrival < 0; ++ms) {
        fly(e);
        fastest = std::max(fastest, std::hypot(e->vx, e->vy));
        strongest = std::max(strongest, std::hypot(e->fx, e->fy));
        if (std::hypot(e->x - target->x, e->y - target->y) < 50)
            arrival = ms;
    }
    EXPECT_LE(strongest, 0.12f * 1.0001f);
    EXPECT_LE(fastest, 0.3f + 0.12f / 300);
    EXPECT_GT(arrival, 1700 / 0.3f); // no faster than at its top speed all the way
    EXPECT_GT(arrival, 0) << "it still comes";

    // Thrown faster than its engine goes (a rope, gravity), it is not
    // pushed on along its motion, only steered and slowed.
    e->x = -1000;
    e->y = 0;
    e->vx = 1.0f;
    e->vy = 0;
    AIUpdate(world(), e, target);
    EXPECT_LE(e->fx, 0.0f);
}

TEST_F(AISteering, EnemiesWithGunsHoldOffWhileRammersCloseIn)
{
    // From rest 800 units off, with the AI's force alone, for 40 s.
    Object* gunner = enemy(1, -800, 0);
    Object* rammer = enemy(10, 0, -800);
    for (int ms = 0; ms < 40000; ++ms) {
        fly(gunner);
        fly(rammer);
    }
    EXPECT_NEAR(std::hypot(gunner->x - target->x, gunner->y - target->y), 250, 1);
    EXPECT_NEAR(std::hypot(rammer->x - target->x, rammer->y - target->y), 0, 1);
}

TEST_F(AISteering, FarFromTheTargetAMovingEnemyBrakesWithItsClassThrust)
{
    for (int kind = 1; kind <= enemyClassCount; ++kind) {
        Object* e = enemy(kind, 1800, 2400); // 3000 units away
        e->vx = 0.3f;
        e->vy = -0.4f;
        e->fx = 1; // the brake adds to forces already gathered
        AIUpdate(world(), e, target);
        EXPECT_FLOAT_EQ(e->fx, 1 - 10.0f * kind * 0.6f) << kind;
        EXPECT_FLOAT_EQ(e->fy, 10.0f * kind * 0.8f) << kind;
        EXPECT_TRUE(e->loaded);
    }
    EXPECT_EQ(world().objects.size(), 1u + enemyClassCount); // nothing fired
}

TEST_F(AISteering, FarFromTheTargetARestingEnemyAndAnythingClasslessGetNoForce)
{
    Object* resting = enemy(12, 0, 5000);
    Object* mine = enemy(-1, 0, 5000, 0, 100, typeMine);
    Object* stray = enemy(13, 0, 5000);
    Object* none = enemy(0, 0, 5000);
    for (Object* e : {mine, stray, none})
        e->vx = 0.5f;
    for (Object* e : {resting, mine, stray, none}) {
        e->fx = 2;
        e->fy = 3;
        // An enemy of a class no row has is a fault in whoever made it: a
        // debug build stops on it, a release build gives it no force.
        if (e == stray || e == none) {
            EXPECT_DEBUG_DEATH(AIUpdate(world(), e, target), "assumption failed");
#ifndef NDEBUG
            continue;
#endif
        } else {
            AIUpdate(world(), e, target);
        }
        EXPECT_FLOAT_EQ(e->fx, 2) << e->kind;
        EXPECT_FLOAT_EQ(e->fy, 3) << e->kind;
        EXPECT_FLOAT_EQ(e->spin, -0.03f) << e->kind; // still turns: bearing -pi/2
    }
}

TEST_F(AISteering, AMineInReachHomesLikeAShipAndNeverFires)
{
    target->x = 200;
    Object* mine = enemy(-1, 0, 0, 1.0f, 50, typeMine);
    mine->vx = 0.1f;
    EXPECT_TRUE(step(mine).empty());
    EXPECT_FALSE(mine->loaded);
    EXPECT_FLOAT_EQ(mine->spin, -0.03f);
    EXPECT_NEAR(mine->fx, 0.0005 * 200 - std::sqrt(0.0005 / 50) * 200 * 0.1, 1e-6);
}
