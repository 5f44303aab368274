// The frame's draw pass: layers under the ropes, ropes and hook chains,
// layers over them, the black middles of black holes, then the HUD.
#include "main/frame.h"
#include "render/draw.h"
#include "render_fixture.h"
#include "world/spring.h"

using namespace tether;

class DrawPass : public RenderTest {
protected:
    Object* add(int type, float x, float y, SDL_Surface* sprite, float radius = 10)
    {
        Object* o = new Object(1, radius, x, y, 0, 0, 0, 0, sprite, type, 0, 100);
        objects.push_back(o);
        drawables.push_back(o);
        return o;
    }
};

TEST_F(DrawPass, RopesLieOverShipsAndUnderShots)
{
    grapNumLinks = 1;
    chainImage = solid(10, 6, 0, 0, 255);
    // Drawn in list order the mine would come first and the enemy last.
    add(typeMine, 550, 300, solid(20, 20, 0, 255, 0));
    add(typeEnemy, 450, 300, solid(20, 20, 255, 0, 0));
    Object* a = make(typeRopeNode, 300, 300);
    Object* b = make(typeRopeNode, 500, 300);
    objects.push_back(a);
    objects.push_back(b);
    springs.push_back(new Spring(a, b, 1, 1));
    // One link, 200 pixels long, centred on b: 400 to 600.
    drawWorld(canvas, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 450, 300), 0x0000ff));
    EXPECT_TRUE(closeColour(rgb(canvas, 550, 300), 0x00ff00));
    EXPECT_EQ(rgb(canvas, 450, 308), 0xff0000u); // the enemy beside the rope
}

TEST_F(DrawPass, HookChainsRunFromTheHooksToTheMount)
{
    grapNumLinks = 2;
    chainImage = solid(10, 6, 0, 0, 255);
    turret = make(typeTurret, 400, 300);
    leftGrapHook = make(typeLeftHook, 400, 100);
    // Without the right hook only the left chain is drawn.
    drawWorld(canvas, 0, 0);
    SDL_Rect box = litBounds(canvas);
    EXPECT_LT(box.y, 160);
    EXPECT_GE(box.y + box.h, 340);
    EXPECT_LE(box.w, 8);

    rightGrapHook = make(typeRightHook, 600, 300);
    SDL_FillRect(canvas, nullptr, 0);
    drawWorld(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 500, 300), 0x0000ffu);
    for (Object* o : {turret, leftGrapHook, rightGrapHook})
        delete o;
    turret = leftGrapHook = rightGrapHook = nullptr;
}

TEST_F(DrawPass, NoChainWithoutTheMount)
{
    grapNumLinks = 2;
    chainImage = solid(10, 6, 0, 0, 255);
    Object* hook = make(typeLeftHook, 400, 100);
    leftGrapHook = hook;
    rightGrapHook = hook;
    turret = nullptr;
    drawWorld(canvas, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
    leftGrapHook = rightGrapHook = nullptr;
    delete hook;
}

TEST_F(DrawPass, BlackHoleMiddleCoversWhatPassesOverIt)
{
    add(typeBlackHole, 400, 300, nullptr, 10);
    add(typeEnemy, 400, 300, solid(40, 40, 255, 0, 0));
    add(typeBullet, 400, 300, nullptr, 2);
    add(typeExploding, 400, 300, solid(40, 40, 0, 255, 0));
    drawWorld(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    EXPECT_EQ(rgb(canvas, 408, 300), 0u);
    EXPECT_TRUE(
        closeColour(rgb(canvas, 400 + 15, 300), 0x00ff00)); // the explosion's sprite outside it
}

TEST_F(DrawPass, FrameDrawsTheHudOnlyWithAShip)
{
    hudImage = solid(20, 20, 0, 0, 120);
    SDL_Surface* screenSurface = SDL_GetVideoSurface();
    ship = nullptr;
    drawFrame(screenSurface);
    EXPECT_EQ(rgb(screenSurface, 400, 400), 0u);

    ship = make(typeShip, 1000, 1000);
    objects.push_back(ship);
    drawables.push_back(ship);
    cameraX = 600;
    cameraY = 700;
    drawFrame(screenSurface);
    EXPECT_EQ(rgb(screenSurface, 400, 400), 0x000078u);
}

TEST_F(DrawPass, FrameDrawsTheWorldBetweenBackgroundAndPointer)
{
    backgroundLayers[3] = solid(64, 64, 30, 30, 30);
    layerDivisors[3] = 8;
    cursorImage = solid(4, 4, 255, 255, 255);
    ship = add(typeShip, 1000, 1000, solid(20, 20, 200, 0, 0));
    cameraX = 600;
    cameraY = 700;
    mouseX = 400;
    mouseY = 300;
    SDL_Surface* screenSurface = SDL_GetVideoSurface();
    drawFrame(screenSurface);
    EXPECT_EQ(rgb(screenSurface, 100, 100), 0x1e1e1eu);
    EXPECT_TRUE(
        closeColour(rgb(screenSurface, 395, 300), 0xc80000)); // the ship over the background
    EXPECT_TRUE(closeColour(rgb(screenSurface, 400, 300), 0xffffff)); // the pointer over the ship
}
