// The frame's draw pass: layers under the ropes, ropes and hook chains,
// layers over them, the black middles of black holes, then the HUD.
#include "content/worldinuse.h"
#include "render_fixture.h"
#include "screens/frame.h"
#include "world/spring.h"
#include "world/world.h"

using namespace tether;

class DrawPass : public RenderTest {
protected:
    Object* add(int type, float x, float y, SDL_Surface* sprite, float radius = 10)
    {
        Object* o = new Object(1, radius, x, y, 0, 0, 0, 0, sprite, type, 0, 100);
        world().objects.push_back(o);
        world().drawables.push_back(o);
        return o;
    }
};

TEST_F(DrawPass, RopesLieOverShipsAndUnderShots)
{
    writableTuning().grapNumLinks = 1;
    chainImage = solid(10, 6, 0, 0, 255);
    add(typeMine, 550, 300, solid(20, 20, 0, 255, 0)); // listed first, drawn over the rope
    add(typeEnemy, 450, 300, solid(20, 20, 255, 0, 0));
    Object* a = add(typeDead, 300, 300, nullptr);
    Object* b = add(typeDead, 500, 300, nullptr);
    world().springs.push_back(new Spring(world(), a, b, 1, 1)); // one link from 400 to 600
    drawWorld(canvas, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 450, 300), 0x0000ff));
    EXPECT_TRUE(closeColour(rgb(canvas, 550, 300), 0x00ff00));
    EXPECT_EQ(rgb(canvas, 450, 308), 0xff0000u); // the enemy beside the rope
}

TEST_F(DrawPass, HookChainsNeedTheirHookAndTheMount)
{
    writableTuning().grapNumLinks = 2;
    chainImage = solid(10, 6, 0, 0, 255);
    Object mount(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object hook(1, 1, 400, 100, 0, 0, 0, 0, nullptr, typeLeftHook, 0, 1);
    world().leftGrapHook = world().rightGrapHook = &hook;
    drawWorld(canvas, 0, 0); // no mount, no chain
    EXPECT_EQ(countLit(canvas), 0);

    world().turret = &mount;
    world().rightGrapHook = nullptr;
    drawWorld(canvas, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_LT(box.y, 160);
    EXPECT_GE(box.y + box.h, 340);
    world().turret = world().leftGrapHook = nullptr;
}

TEST_F(DrawPass, BlackHoleMiddleCoversWhatPassesOverIt)
{
    add(typeBlackHole, 400, 300, nullptr, 10);
    add(typeEnemy, 400, 300, solid(40, 40, 255, 0, 0));
    add(typeBullet, 400, 300, nullptr, 2);
    drawWorld(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    EXPECT_EQ(rgb(canvas, 408, 300), 0u);
    EXPECT_EQ(rgb(canvas, 415, 300), 0xff0000u); // the enemy outside it
}

TEST_F(DrawPass, FrameDrawsBackgroundWorldHudAndPointerInTurn)
{
    SDL_Surface* screenSurface = SDL_GetVideoSurface();
    backgroundLayers[3] = solid(64, 64, 30, 30, 30);
    layerDivisors[3] = 8;
    hudImage = solid(20, 20, 0, 0, 120);
    cursorImage = solid(4, 4, 255, 255, 255);
    mouseX = 400;
    mouseY = 300;
    cameraX = 600;
    cameraY = 700;
    drawFrame(screenSurface); // without a ship: no HUD
    EXPECT_EQ(rgb(screenSurface, 400, 400), 0x1e1e1eu);

    world().ship = add(typeShip, 1000, 1000, solid(20, 20, 200, 0, 0));
    drawFrame(screenSurface);
    EXPECT_EQ(rgb(screenSurface, 100, 100), 0x1e1e1eu);
    EXPECT_TRUE(closeColour(rgb(screenSurface, 395, 300), 0xc80000)); // the ship
    EXPECT_TRUE(closeColour(rgb(screenSurface, 400, 300), 0xffffff)); // the pointer over it
    EXPECT_TRUE(closeColour(rgb(screenSurface, 400, 400), 0x000078)); // the panel
}

TEST_F(DrawPass, FrameOverAFarLayerThatLetsSpaceThroughLeavesNothingOfTheLastFrame)
{
    // A frame is cleared first unless its farthest layer is opaque and
    // covers the last frame by itself (FrameDrawsBackgroundWorldHudAndPointerInTurn).
    SDL_Surface* screenSurface = SDL_GetVideoSurface();
    backgroundLayers[3] = solid(64, 64, 90, 90, 90, 0);
    layerDivisors[3] = 8;
    cameraX = cameraY = 0;
    SDL_FillRect(screenSurface, nullptr, SDL_MapRGB(screenSurface->format, 255, 255, 255));
    drawFrame(screenSurface);
    EXPECT_EQ(rgb(screenSurface, 100, 500), 0u);
}
