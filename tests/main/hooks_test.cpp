#include "content/tuning.h"
#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/hooks.h"
#include "world/spring.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

class Hooks : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        writableTuning().grapSpeed = 3;
        writableTuning().grapMaxDistance = 450;
        writableTuning().nodeRadius = 10;
        world().ship = make(typeShip, 1000, 1000, 18, 100);
        world().turret = make(typeTurret, 1000, 1000);
        world().leftGrapHook = make(typeLeftHook, 1000, 1000);
        world().rightGrapHook = make(typeRightHook, 1000, 1000);
        world().objects = {world().ship, world().leftGrapHook, world().rightGrapHook};
        world().ship->addChild(world(), world().turret, 0, 0, 0, true, true, true, false);
        world().leftHookConnector = world().turret->addChild(
            world(), world().leftGrapHook, 0, 0, 0, false, false, false, false);
        world().rightHookConnector = world().turret->addChild(
            world(), world().rightGrapHook, 0, 0, 0, false, false, false, false);
        resetHooks(world());
    }
    // Runs flight steps until the left hook is idle again; returns how many.
    int stepsUntilLeftIdle()
    {
        int steps = 0;
        do {
            flyHooks(world());
            ++steps;
        } while (world().leftHookExtended && steps < 100000);
        return steps;
    }
    Object* catchWith(bool left, Object* target)
    {
        world().objects.push_back(target);
        target->hooked = true;
        (left ? world().leftHookGrappling : world().rightHookGrappling) = true;
        world().springs.push_back(new Spring(world(), world().turret, target, 1, 3));
        return target;
    }
};

TEST_F(Hooks, TheLeftHookFiresFirstThenTheRight)
{
    fireHook(world());
    EXPECT_TRUE(world().leftHookExtended);
    EXPECT_FALSE(world().leftGrapHook->loaded);
    EXPECT_FALSE(world().rightHookExtended);
    fireHook(world());
    EXPECT_TRUE(world().rightHookExtended);
    EXPECT_FALSE(world().rightGrapHook->loaded);
}

TEST_F(Hooks, AReloadingOrGrapplingLeftHookLetsTheRightOneFire)
{
    world().leftGrapHook->loaded = false;
    fireHook(world());
    EXPECT_FALSE(world().leftHookExtended);
    EXPECT_TRUE(world().rightHookExtended);

    resetHooks(world());
    world().rightGrapHook->loaded = true;
    world().leftGrapHook->loaded = true;
    world().leftHookGrappling = true;
    fireHook(world());
    EXPECT_FALSE(world().leftHookExtended);
    EXPECT_TRUE(world().rightHookExtended);
}

TEST_F(Hooks, NothingFiresWhenNeitherHookCan)
{
    world().leftHookExtended = true;
    world().rightGrapHook->loaded = false;
    fireHook(world());
    EXPECT_FALSE(world().rightHookExtended);
    EXPECT_TRUE(world().leftGrapHook->loaded);
}

TEST_F(Hooks, AShotIntoEmptySpaceGoesOutFastAndComesBackSlowly)
{
    fireHook(world());
    int out = 0;
    while (!world().leftHookRetracting && out < 10000) {
        flyHooks(world());
        ++out;
    }
    // 3 units per ms: past 450 at the 151st step (453).
    EXPECT_EQ(out, 151);
    EXPECT_FLOAT_EQ(world().leftHookConnector->distance, 453);
    const int back = stepsUntilLeftIdle();
    // A tenth of the speed: about 452 / 0.3 steps to get within 1 unit.
    EXPECT_NEAR(back, 1507, 2);
    EXPECT_EQ(world().leftHookConnector->distance, 0);
    EXPECT_FALSE(world().leftHookRetracting);
}

TEST_F(Hooks, IdleHooksAimAtThePointerAndAFiredHookKeepsItsAim)
{
    aimHooks(world(), 1000, 1100);
    EXPECT_FLOAT_EQ(world().leftHookConnector->offsetAngle, static_cast<float>(M_PI / 2));
    EXPECT_FLOAT_EQ(world().rightHookConnector->offsetAngle, static_cast<float>(M_PI / 2));
    fireHook(world());
    aimHooks(world(), 900, 1000);
    EXPECT_FLOAT_EQ(world().leftHookConnector->offsetAngle, static_cast<float>(M_PI / 2));
    EXPECT_FLOAT_EQ(world().rightHookConnector->offsetAngle, static_cast<float>(M_PI));
}

TEST_F(Hooks, AHookCaughtOnItsWayBackFliesOutAgainOnItsNextShot)
{
    fireHook(world());
    for (int i = 0; i < 200; ++i)
        flyHooks(world());
    ASSERT_TRUE(world().leftHookRetracting);
    world().leftHookExtended = false; // a catch sends it home
    flyHooks(world());
    EXPECT_EQ(world().leftHookConnector->distance, 0);
    world().leftHookGrappling = false;
    world().leftGrapHook->loaded = true;
    fireHook(world());
    flyHooks(world());
    EXPECT_FALSE(world().leftHookRetracting);
    EXPECT_FLOAT_EQ(world().leftHookConnector->distance, 3);
}

TEST_F(Hooks, TieOffWithBothHooksTiesTheTwoCaughtObjectsTogether)
{
    Object* a = catchWith(true, make(typeEnemy, 1300, 1000));
    Object* b = catchWith(false, make(typePlanet, 1000, 1400));
    tieOff(world());
    ASSERT_EQ(world().springs.size(), 1u);
    Spring* tie = world().springs.front();
    EXPECT_EQ(tie->endA, a);
    EXPECT_EQ(tie->endB, b);
    EXPECT_FLOAT_EQ(tie->restLength, 500); // their distance of that moment
    EXPECT_FALSE(a->hooked);
    EXPECT_FALSE(b->hooked);
    EXPECT_FALSE(world().leftHookGrappling);
    EXPECT_FALSE(world().rightHookGrappling);
}

TEST_F(Hooks, TieOffWithOneHookLeavesTheObjectOnANodeAtTheRim)
{
    Object* caught = catchWith(false, make(typeEnemy, 1300, 1000, 20));
    tieOff(world());
    ASSERT_EQ(world().springs.size(), 1u);
    Object* node = world().objects.back();
    ASSERT_EQ(node->type, typeRopeNode);
    EXPECT_EQ(node->mass, 100);
    EXPECT_EQ(node->radius, 10);
    EXPECT_EQ(node->health, 10000);
    EXPECT_FLOAT_EQ(node->x, 1028); // ship radius 18 plus node radius 10 toward it
    EXPECT_FLOAT_EQ(node->y, 1000);
    EXPECT_EQ(world().dynamicMasses.back(), node);
    EXPECT_EQ(world().drawables.back(), node);
    EXPECT_EQ(world().springs.front()->endA, caught);
    EXPECT_EQ(world().springs.front()->endB, node);
    EXPECT_FALSE(caught->hooked);
    EXPECT_FALSE(world().rightHookGrappling);
}

TEST_F(Hooks, TieOffCloseToTheShipJustCutsTheRope)
{
    // 2 * 10 + 18 + 20 = 58: no room for a node at 58 units.
    Object* caught = catchWith(true, make(typeEnemy, 1058, 1000, 20));
    const size_t before = world().objects.size();
    tieOff(world());
    EXPECT_TRUE(world().springs.empty());
    EXPECT_EQ(world().objects.size(), before);
    EXPECT_FALSE(caught->hooked);
    EXPECT_FALSE(world().leftHookGrappling);
}

TEST_F(Hooks, TieOffWithNothingCaughtDoesNothing)
{
    world().springs.push_back(new Spring(world(), make(typeEnemy), make(typeEnemy, 50), 1, 3));
    world().objects.push_back(world().springs.front()->endA);
    world().objects.push_back(world().springs.front()->endB);
    tieOff(world());
    EXPECT_EQ(world().springs.size(), 1u);
}
