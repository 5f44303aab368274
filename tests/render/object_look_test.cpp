// How each kind of Object looks: turned sprites, bullets, unturned shot
// images, the flame, and objects whose images are missing.
#include "content/worldinuse.h"
#include "render_fixture.h"
#include "world/world.h"

#include <SDL_gfxPrimitives.h>

#include <cmath>

using namespace tether;

using ObjectLook = RenderTest;

TEST_F(ObjectLook, BulletIsARedDiscOfRadiusFiveWhateverItsRadius)
{
    SDL_Surface* reference = makeCanvas();
    filledCircleColor(reference, 100, 100, 5, 0xff0000ff);
    for (float radius : {0.5f, 5.0f, 40.0f}) {
        clear();
        Object bullet(1, radius, 1100, 600, 0, 0, 0, 0, nullptr, typeBullet, 0, 100);
        drawObject(canvas, bullet, 1000, 500);
        EXPECT_TRUE(sameImage(canvas, reference)) << "radius " << radius;
    }
}

TEST_F(ObjectLook, SpriteIsCentredAndTurnedClockwiseWithItsHeading)
{
    Object ship(1, 10, 500, 400, 0, 0, 0, 0, solid(40, 10, 0, 0, 250), typeShip, 0, 100);
    drawObject(canvas, ship, 100, 100); // unturned: the image itself
    SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 380);
    EXPECT_EQ(box.y, 295);
    EXPECT_EQ(box.w, 40);
    EXPECT_EQ(box.h, 10);

    clear();
    ship.angle = static_cast<float>(M_PI / 4);
    drawObject(canvas, ship, 100, 100);
    box = litBounds(canvas);
    EXPECT_GT(box.h, 20); // a 40 by 10 bar on its diagonal
    EXPECT_NEAR(box.x + box.w / 2.0, 400, 2);
    EXPECT_NEAR(box.y + box.h / 2.0, 300, 2);
    EXPECT_NE(rgb(canvas, 410, 310), 0u); // top-left to bottom-right
    EXPECT_EQ(rgb(canvas, 410, 290), 0u);
}

TEST_F(ObjectLook, ShredderImageIsNeverTurned)
{
    shredder = solid(20, 10, 250, 250, 0);
    Object disc(1, 5, 200, 200, 0, 0, 1.0f, 0, nullptr, typeShredder, 0, 100);
    drawObject(canvas, disc, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 190);
    EXPECT_EQ(box.y, 195);
    EXPECT_EQ(box.w, 20);
    EXPECT_EQ(box.h, 10);
}

TEST_F(ObjectLook, FlameShowsOneOfItsFramesInEachFrameWithThrust)
{
    const Uint32 colours[3] = {0xff0000, 0x00ff00, 0x0000ff};
    for (int i = 0; i < 3; ++i)
        flames[i] = solid(8, 8, colours[i] >> 16, (colours[i] >> 8) & 0xff, colours[i] & 0xff);
    Object flame(1, 4, 100, 100, 0, 0, 0, 0, nullptr, typeFlame, 0, 100);
    world().chosenShip = 1;
    bool seen[3] = {};
    for (int frame = 0; frame < 60; ++frame) {
        flame.lastThrustStep = frame; // the controls light it while thrusting
        clear();
        drawObject(canvas, flame, 0, 0);
        const Uint32 shown = rgb(canvas, 100, 100);
        const int which = static_cast<int>(std::find_if(colours, colours + 3, [&](Uint32 c) {
            return closeColour(shown, c);
        }) - colours);
        ASSERT_LT(which, 3);
        seen[which] = true;
        drawnStep = frame;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    clear();
    drawObject(canvas, flame, 0, 0); // not lit again: not drawn
    flame.lastThrustStep = 60;
    flame.hidden = true; // lit, then put out again
    drawObject(canvas, flame, 0, 0);
    flame.hidden = false;
    world().chosenShip = 0; // the first ship's flame is never seen
    drawObject(canvas, flame, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
    EXPECT_EQ(flame.look, nullptr);
}

TEST_F(ObjectLook, HiddenDeadAndUnknownObjectsAreNotDrawn)
{
    SDL_Surface* white = solid(10, 10, 255, 255, 255);
    Object hidden(1, 10, 100, 100, 0, 0, 0, 0, white, typeEnemy, 0, 100);
    hidden.hidden = true;
    hidden.lastHitStep = 0;
    drawObject(canvas, hidden, 0, 0);
    Object dead(1, 10, 200, 100, 0, 0, 0, 0, white, typeDead, 0, 100);
    drawObject(canvas, dead, 0, 0);
    Object unknown(1, 10, 300, 100, 0, 0, 0, 0, white, 42, 0, 100);
    drawObject(canvas, unknown, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(ObjectLook, MissingImagesDrawNothingAndNeverFail)
{
    // Every image is null here: sprites, flames, shot images, the force
    // field, explosion frames.
    for (int type : {typeExploding, typeFlame, typeShip, typeLeftHook, typeRightHook, typeTurret,
             typeRopeNode, typeEnemy, typePlanet, typeSun, typeShredder, typeBfg, typeMine})
        for (bool expiredBall : {false, true})
            for (float angle : {0.0f, 0.7f}) {
                Object o(1, 10, 400, 300, 0, 0, angle, 0, nullptr, type, 0, 3);
                o.lastHitStep = 0;
                o.kind = 3;
                o.expiredBall = expiredBall;
                drawObject(canvas, o, 0, 0);
            }
    EXPECT_EQ(countLit(canvas), 0);
}
