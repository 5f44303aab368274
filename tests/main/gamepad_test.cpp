// The gamepad, driven by joystick events pushed into SDL's queue as a pad
// would send them: in a level it becomes the same actions, pointer and
// clicks as the keyboard and mouse; on the title it chooses and starts.
#include "content/assets.h"
#include "content/worldinuse.h"
#include "platform/gamepad.h"
#include "screens/commands.h"
#include "screens/frame.h"
#include "screens/titlescreen.h"
#include "support/child.h"
#include "support/world_fixture.h"
#include "world/world.h"

#include <sys/stat.h>

#include <cstdio>

#include <string>

using namespace tether;

namespace {

void pushAxis(int axis, int value)
{
    SDL_Event event {};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value);
    SDL_PushEvent(&event);
}

void pushButton(int button)
{
    SDL_Event event {};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = SDL_PRESSED;
    SDL_PushEvent(&event);
}

} // namespace

class Gamepad : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        resetPad();
        levelRequests = LevelRequests {};
        world().ship = make(typeShip, 1000, 1000);
        world().objects.push_back(world().ship);
        cameraX = 600;
        cameraY = 700; // the ship drawn at (400, 300)
        SDL_Event event;
        while (SDL_PollEvent(&event)) { }
    }
    void TearDown() override
    {
        resetPad();
        levelRequests = LevelRequests {};
        WorldTest::TearDown();
    }
};

TEST_F(Gamepad, InALevelItSteersAimsFiresLetsGoPausesAndLeaves)
{
    pushAxis(0, 3000); // inside the dead zone: nothing
    pushAxis(1, -20000); // left stick up
    pushAxis(3, 30000); // right stick right
    pushAxis(5, 32767); // right trigger: fire
    pushAxis(5, -32768);
    pushButton(4); // left shoulder: let go
    pushButton(5); // right shoulder: fire
    FrameInput input = gatherInput();
    EXPECT_EQ(input.actions, static_cast<unsigned>(actionUp));
    ASSERT_EQ(input.clicks.size(), 3u);
    EXPECT_EQ(input.clicks[0], Click::fireHook);
    EXPECT_EQ(input.clicks[1], Click::tieOff);
    EXPECT_EQ(input.clicks[2], Click::fireHook);
    EXPECT_EQ(mouseX, 550); // 150 pixels right of the ship
    EXPECT_EQ(mouseY, 300);
    EXPECT_FLOAT_EQ(input.pointerX, 1150.0f);
    EXPECT_FALSE(levelRequests.pause);

    pushAxis(1, 0); // the stick let go, the pointer stays
    pushAxis(3, 0);
    pushButton(7); // Start
    input = gatherInput();
    EXPECT_EQ(input.actions, 0u);
    EXPECT_EQ(mouseX, 550);
    EXPECT_TRUE(levelRequests.pause);

    pushButton(6); // Back: Escape held from now on
    EXPECT_TRUE(gatherInput().held(actionEscape));
    EXPECT_TRUE(gatherInput().held(actionEscape));
}

TEST_F(Gamepad, OnTheTitleTheStickChoosesAndAStarts)
{
    const std::string dir = makeTempDir();
    ASSERT_EQ(mkdir((dir + "/maps").c_str(), 0755), 0);
    writeFile(dir + "/maps/maplist", "2\nalpha alpha_boss 7\nbeta beta_boss 8\n");
    const ChildResult chosen = runInChild(
        [] {
            pushAxis(0, 30000); // right: the second ship
            pushAxis(0, 20000); // still pushed: no second move
            pushAxis(0, 0);
            pushAxis(1, -30000); // up: the map row
            pushAxis(1, 0);
            pushAxis(0, 30000); // right: the second map
            pushButton(0); // A
            TitleState title;
            TitleChoice choice;
            ProgramEnd end;
            if (openTitle(title) || titleFrame(title, choice, end) != TitleOutcome::started)
                return;
            std::printf(
                "%s %d %s", choice.shipSpritePath, choice.chosenShip, choice.mapPath.c_str());
        },
        dir);
    EXPECT_EQ(chosen.output, "sprites/ship2.png 1 maps/beta");
    removeTree(dir);
}
