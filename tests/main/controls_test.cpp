#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/audio.h"
#include "platform/input.h"
#include "render/presentation.h"
#include "support/keys.h"
#include "support/world_fixture.h"
#include "world/controls.h"
#include "world/world.h"

#include <cmath>
#include <vector>

using namespace tether;

class ShipControls : public WorldTest {
protected:
    Object* flame = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        writableTuning().shipMaxThrust = 0.05f;
        writableTuning().shipMaxSpeed = 0.6f;
        writableTuning().shipRotationSpeed = 0.004f;
        world().ship = make(typeShip, 500, 500);
        flame = make(typeFlame);
        world().ship->addChild(
            world(), flame, 45, 3.1415927f, 3.1415927f, true, false, false, false);
        world().ship->flame = flame;
        world().objects.push_back(world().ship);
        flame->hidden = true;
    }
    void steer(int scheme, TestKeys keys)
    {
        world().chosenShip = scheme;
        world().ship->fx = world().ship->fy = world().ship->spin = 0;
        steerShip(world(), actionsFromKeys(keys.data()));
    }
};

TEST_F(ShipControls, VelocitySteeringBrakesWithFullThrustWhenNoKeyIsHeld)
{
    world().ship->vx = 0.3f;
    steer(0, {});
    EXPECT_FLOAT_EQ(world().ship->fx, -0.05f);
    EXPECT_FLOAT_EQ(world().ship->fy, 0.0f);
    EXPECT_TRUE(flame->hidden);
    EXPECT_EQ(world().ship->spin, 0);
}

TEST_F(ShipControls, VelocitySteeringThrustsAlongTheVelocityDifference)
{
    world().ship->vx = 0.6f; // moving right at full speed, asking for up
    steer(0, {SDLK_w});
    EXPECT_FLOAT_EQ(world().ship->fx, -0.05f * 0.70710677f);
    EXPECT_FLOAT_EQ(world().ship->fy, -0.05f * 0.70710677f);
    EXPECT_FALSE(flame->hidden);
}

TEST_F(ShipControls, VelocitySteeringAtTheTargetAddsNoForce)
{
    world().ship->vx = 0.6f;
    steer(0, {SDLK_RIGHT});
    EXPECT_EQ(world().ship->fx, 0);
    EXPECT_EQ(world().ship->fy, 0);
}

TEST_F(ShipControls, UpWinsOverDownAndRightOverLeft)
{
    steer(0, {SDLK_UP, SDLK_DOWN});
    EXPECT_FLOAT_EQ(world().ship->fy, -0.05f);
    steer(0, {SDLK_a, SDLK_d});
    EXPECT_FLOAT_EQ(world().ship->fx, 0.05f);
    steer(0, {SDLK_s, SDLK_LEFT, SDLK_RIGHT});
    EXPECT_GT(world().ship->fx, 0);
    EXPECT_GT(world().ship->fy, 0);
}

TEST_F(ShipControls, HeadingSteeringTurnsNegativeAndThrustsWhenExactlyOnHeading)
{
    world().ship->angle = 0;
    steer(1, {SDLK_RIGHT});
    EXPECT_EQ(world().ship->spin, -0.004f);
    EXPECT_FLOAT_EQ(world().ship->fx, 0.05f);
    EXPECT_FALSE(flame->hidden);
}

TEST_F(ShipControls, HeadingSteeringTurnsWithoutThrustWhenTheTargetIsBehind)
{
    world().ship->angle = 0;
    flame->hidden = false; // shown by an earlier step of the same frame
    // Heading "pi" in single precision is a hair above pi, so the difference
    // wraps to a hair above -pi: the ship turns the negative way.
    steer(1, {SDLK_LEFT});
    EXPECT_EQ(world().ship->spin, -0.004f);
    EXPECT_EQ(world().ship->fx, 0);
    EXPECT_FALSE(flame->hidden);
}

TEST_F(ShipControls, HeadingSteeringTakesTheShortWayRound)
{
    world().ship->angle = 3.0f; // up is -pi/2: 4.57 rad one way, 1.71 the other
    steer(1, {SDLK_UP});
    EXPECT_EQ(world().ship->spin, 0.004f);
    EXPECT_EQ(world().ship->fx, 0); // still more than a right angle off
    world().ship->angle = -2.5f;
    steer(1, {SDLK_DOWN, SDLK_LEFT}); // heading 3pi/4: 4.86 one way, -1.43 the other
    EXPECT_EQ(world().ship->spin, -0.004f);
    EXPECT_NE(world().ship->fx, 0);
}

TEST_F(ShipControls, HeadingSteeringWithNoKeyStopsTurningAndHidesTheFlame)
{
    flame->hidden = false;
    world().ship->spin = 1;
    steer(1, {});
    EXPECT_EQ(world().ship->spin, 0);
    EXPECT_TRUE(flame->hidden);
}

TEST_F(ShipControls, RotateAndThrustScheme)
{
    world().ship->angle = 0.5f;
    steer(2, {SDLK_UP});
    EXPECT_FLOAT_EQ(world().ship->fx, std::cos(0.5f) * 0.05f);
    EXPECT_FLOAT_EQ(world().ship->fy, std::sin(0.5f) * 0.05f);
    EXPECT_FALSE(flame->hidden);

    flame->hidden = true;
    steer(2, {SDLK_DOWN});
    EXPECT_FLOAT_EQ(world().ship->fx, -std::cos(0.5f) * 0.01f);
    EXPECT_TRUE(flame->hidden); // reverse thrust shows no flame

    world().ship->angle = 0;
    steer(2, {SDLK_e, SDLK_q}); // only the right strafe
    EXPECT_FLOAT_EQ(world().ship->fy, 0.025f);
    steer(2, {SDLK_q});
    EXPECT_FLOAT_EQ(world().ship->fy, -0.025f);

    steer(2, {SDLK_LEFT, SDLK_RIGHT});
    EXPECT_EQ(world().ship->spin, -0.003f); // fixed rate, left wins
    steer(2, {SDLK_d});
    EXPECT_EQ(world().ship->spin, 0.003f);
}

TEST_F(ShipControls, ThrustAndStrafeAddUp)
{
    steer(2, {SDLK_UP, SDLK_e});
    EXPECT_FLOAT_EQ(world().ship->fx, 0.05f);
    EXPECT_FLOAT_EQ(world().ship->fy, 0.025f);
}

TEST_F(ShipControls, ThrustLightsTheFlameInItsStep)
{
    world().levelStats.gameTime = 41;
    steer(2, {SDLK_UP});
    EXPECT_EQ(flame->lastThrustStep, 41);
    world().levelStats.gameTime = 42;
    steer(2, {});
    EXPECT_EQ(flame->lastThrustStep, 41);
}

TEST(KeysToActions, ArrowsOrWasdQAndEAndEscape)
{
    EXPECT_EQ(actionsFromKeys(TestKeys {}.data()), 0u);
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_UP, SDLK_s, SDLK_LEFT, SDLK_d}.data()),
        actionUp | actionDown | actionLeft | actionRight);
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_w, SDLK_DOWN, SDLK_a, SDLK_RIGHT}.data()),
        actionUp | actionDown | actionLeft | actionRight);
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_q, SDLK_e, SDLK_ESCAPE}.data()),
        actionStrafeLeft | actionStrafeRight | actionEscape);
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_SPACE, SDLK_x, SDLK_RETURN}.data()), 0u);
}

class ThrustSound : public ShipControls {
protected:
    std::vector<Uint8> samples = std::vector<Uint8>(4096, 0);
    Mix_Chunk* loop = nullptr;
    void SetUp() override
    {
        ShipControls::SetUp();
        loop = Mix_QuickLoad_RAW(samples.data(), static_cast<Uint32>(samples.size()));
        thrustSFX = loop;
        startEngineSound();
    }
    void TearDown() override
    {
        Mix_HaltChannel(-1);
        thrustSFX = nullptr;
        Mix_FreeChunk(loop);
        drawnStep = -1;
        ShipControls::TearDown();
    }
};

TEST_F(ThrustSound, TheEngineStartsPausedOnChannelZero)
{
    EXPECT_EQ(thrustChannel, 0);
    EXPECT_TRUE(Mix_Playing(0));
    EXPECT_TRUE(Mix_Paused(0));
}

TEST_F(ThrustSound, RunsInFramesWhoseStepsLitTheFlameWhateverTheShip)
{
    for (int scheme : {0, 2}) {
        drawnStep = 10; // the last frame drawn
        world().levelStats.gameTime = 11;
        steer(scheme, {SDLK_UP});
        updateThrustSound();
        EXPECT_FALSE(Mix_Paused(0)) << scheme;

        drawnStep = 11; // drawn; no thrust since
        updateThrustSound();
        EXPECT_TRUE(Mix_Paused(0)) << scheme;
    }
    world().levelStats.gameTime = 12; // lit, then let go of within the frame
    steer(0, {SDLK_UP});
    world().levelStats.gameTime = 13;
    steer(0, {});
    updateThrustSound();
    EXPECT_TRUE(Mix_Paused(0));
}

TEST_F(ThrustSound, ANewFlameCountsAsLitForTheLevelsFirstFrame)
{
    Object fresh(1, 0, 0, 0, 0, 0, 0, 0, nullptr, typeFlame, 1, 1);
    world().ship->flame = &fresh;
    drawnStep = -1;
    updateThrustSound();
    EXPECT_FALSE(Mix_Paused(0));
    drawnStep = 0;
    updateThrustSound();
    EXPECT_TRUE(Mix_Paused(0));
    world().ship->flame = flame;
}
