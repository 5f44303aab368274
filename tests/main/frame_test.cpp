#include "content/assets.h"
#include "content/worldinuse.h"
#include "screens/frame.h"
#include "support/child.h"
#include "support/world_fixture.h"
#include "world/world.h"

#include <string>

using namespace tether;

class FrameLoop : public WorldTest {
protected:
    Uint8* keys = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        screen = SDL_GetVideoSurface();
        world().ship = make(typeShip, 1000, 1000);
        world().objects.push_back(world().ship);
        world().dynamicMasses.push_back(world().ship);
        world().numEnemies = 1; // keep the level running
        keys = SDL_GetKeyState(nullptr);
        keys[SDLK_ESCAPE] = 0;
        SDL_Event event;
        while (SDL_PollEvent(&event)) { }
    }
    void TearDown() override
    {
        keys[SDLK_ESCAPE] = 0;
        WorldTest::TearDown();
    }
};

TEST(PhysicsSteps, OneStepPerMillisecondUpToAHundred)
{
    EXPECT_EQ(physicsStepCount(0), 0);
    EXPECT_EQ(physicsStepCount(1), 1);
    EXPECT_EQ(physicsStepCount(16), 16);
    EXPECT_EQ(physicsStepCount(100), 100);
    EXPECT_EQ(physicsStepCount(250), 100);
}

TEST_F(FrameLoop, AFrameInTheSameMillisecondRunsNoStepAndStillFlips)
{
    enterFrameLoop(5000);
    keys[SDLK_ESCAPE] = 1; // not seen without a physics step
    EXPECT_EQ(runFrame(5000), FrameEnd::next);
    EXPECT_EQ(frameCount, 1u);
    EXPECT_EQ(maxFrameTime, 0u);
}

TEST_F(FrameLoop, EscapeEndsTheLevelAtTheFirstStepWithoutDrawing)
{
    enterFrameLoop(5000);
    EXPECT_EQ(runFrame(5010), FrameEnd::next);
    const int cameraBefore = cameraX;
    world().ship->x += 300;
    keys[SDLK_ESCAPE] = 1;
    EXPECT_EQ(runFrame(5260), FrameEnd::escape);
    EXPECT_EQ(frameCount, 1u);
    EXPECT_EQ(cameraX, cameraBefore); // the frame was abandoned before the camera moved
    EXPECT_GE(maxFrameTime, 250u); // the long frame still counts, unclamped
}

TEST_F(FrameLoop, CameraCentresTheShip)
{
    enterFrameLoop(0);
    world().ship->x = 1234.7f;
    world().ship->y = 345.2f;
    runFrame(1);
    EXPECT_EQ(cameraX, 834);
    EXPECT_EQ(cameraY, 45);
}

TEST_F(FrameLoop, EndOfFrameReportsGameOverBeforeVictory)
{
    enterFrameLoop(0);
    world().numEnemies = 0;
    EXPECT_EQ(runFrame(1), FrameEnd::victory);
    world().gameOver = true;
    EXPECT_EQ(runFrame(2), FrameEnd::gameOver);
    EXPECT_EQ(frameCount, 0u); // end screens follow instead of a flip
}

TEST_F(FrameLoop, MouseEventsMoveThePointerKeyEventsDoNothing)
{
    enterFrameLoop(0);
    SDL_Event event {};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_MIDDLE;
    event.button.x = 123;
    event.button.y = 456;
    SDL_PushEvent(&event);
    SDL_Event key {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_x; // bound to nothing
    SDL_PushEvent(&key);
    EXPECT_EQ(runFrame(10), FrameEnd::next);
    EXPECT_EQ(mouseX, 123);
    EXPECT_EQ(mouseY, 456);
}

// A tap: Escape pressed and let go before the frame read the keyboard, so
// the key state never shows it held. The press alone ends the level, at the
// first frame that runs a step.
TEST_F(FrameLoop, AnEscapeTappedWithinOneFrameLeaves)
{
    enterFrameLoop(0);
    SDL_Event key {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&key);
    ASSERT_FALSE(SDL_GetKeyState(nullptr)[SDLK_ESCAPE]);
    EXPECT_EQ(runFrame(0), FrameEnd::next); // no step: not yet
    EXPECT_EQ(runFrame(10), FrameEnd::escape);
}

TEST_F(FrameLoop, QuitPrintsThisLevelsStatisticsAndExitsWithZero)
{
    const ChildResult result = runInChild([] {
        enterFrameLoop(1000);
        runFrame(1010);
        runFrame(1030);
        SDL_Event quit {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        if (runFrame(1040) != FrameEnd::quit)
            std::exit(3);
        printFrameStatistics(); // as the program does on a quit
        std::exit(0);
    });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "Average frame time: 20ms;  Maximum frame time: 20ms\n");
}

TEST_F(FrameLoop, QuitBeforeTheFirstFlipAveragesZero)
{
    const ChildResult result = runInChild([] {
        enterFrameLoop(1000);
        SDL_Event quit {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        if (runFrame(1007) != FrameEnd::quit)
            std::exit(3);
        printFrameStatistics();
        std::exit(0);
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "Average frame time: 0ms;  Maximum frame time: 7ms\n");
}
