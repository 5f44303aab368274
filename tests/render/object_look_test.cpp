// How each kind of Object looks: turned sprites, bullets, unturned shot
// images, the flame, and objects whose images are missing.
#include "render/draw.h"
#include "render_fixture.h"

#include <SDL_gfxPrimitives.h>

#include <cmath>

using namespace tether;

using ObjectLook = RenderTest;

TEST_F(ObjectLook, BulletIsARedDiscOfRadiusFiveWhateverItsRadius)
{
    SDL_Surface* reference = makeCanvas();
    filledCircleColor(reference, 100, 100, 5, 0xff0000ff);
    for (float radius : {0.5f, 5.0f, 40.0f}) {
        SDL_FillRect(canvas, nullptr, 0);
        Object bullet(1, radius, 1100, 600, 0, 0, 0, 0, nullptr, typeBullet, 0, 100);
        bullet.draw(canvas, 1000, 500);
        EXPECT_TRUE(sameImage(canvas, reference)) << "radius " << radius;
        EXPECT_EQ(rgb(canvas, 105, 100), 0xff0000u);
        EXPECT_EQ(rgb(canvas, 107, 100), 0u);
    }
}

TEST_F(ObjectLook, UnturnedSpriteIsBlittedAsItIsCentredOnTheObject)
{
    Object enemy(1, 10, 300, 200, 0, 0, 0, 0, solid(20, 10, 0, 200, 0), typeEnemy, 0, 100);
    enemy.draw(canvas, 100, 100);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 190);
    EXPECT_EQ(box.y, 95);
    EXPECT_EQ(box.w, 20);
    EXPECT_EQ(box.h, 10);
    EXPECT_EQ(countColour(canvas, 0x00c800), 200);
}

TEST_F(ObjectLook, TurnedSpriteGrowsAndStaysCentred)
{
    Object ship(1, 10, 400, 300, 0, 0, static_cast<float>(M_PI / 4), 0, solid(40, 10, 0, 0, 250),
        typeShip, 0, 100);
    ship.draw(canvas, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_GT(box.h, 20); // a 40 by 10 bar on its diagonal
    EXPECT_GT(box.w, 20);
    EXPECT_NEAR(box.x + box.w / 2.0, 400, 2);
    EXPECT_NEAR(box.y + box.h / 2.0, 300, 2);
    // Clockwise on screen: the bar runs from top-left to bottom-right.
    EXPECT_NE(rgb(canvas, 410, 310), 0u);
    EXPECT_EQ(rgb(canvas, 410, 290), 0u);
}

TEST_F(ObjectLook, ShredderAndBfgImagesAreNeverTurned)
{
    shredder = solid(20, 10, 250, 250, 0);
    bfgshot = solid(16, 30, 0, 250, 250);
    Object disc(1, 5, 200, 200, 0, 0, 1.0f, 0, nullptr, typeShredder, 0, 100);
    disc.draw(canvas, 0, 0);
    SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 190);
    EXPECT_EQ(box.y, 195);
    EXPECT_EQ(box.w, 20);
    EXPECT_EQ(box.h, 10);

    SDL_FillRect(canvas, nullptr, 0);
    Object ball(1, 5, 500, 400, 0, 0, 2.0f, 0, nullptr, typeBfg, 0, 100);
    ball.draw(canvas, 0, 0);
    box = litBounds(canvas);
    EXPECT_EQ(box.x, 492);
    EXPECT_EQ(box.y, 385);
    EXPECT_EQ(box.w, 16);
    EXPECT_EQ(box.h, 30);
}

TEST_F(ObjectLook, FlameShowsOneOfItsFramesOnceEachTimeItIsLit)
{
    flames[0] = solid(8, 8, 255, 0, 0);
    flames[1] = solid(8, 8, 0, 255, 0);
    flames[2] = solid(8, 8, 0, 0, 255);
    Object flame(1, 4, 100, 100, 0, 0, 0, 0, nullptr, typeFlame, 0, 100);
    bool seen[3] = {};
    for (int frame = 0; frame < 60; ++frame) {
        SDL_FillRect(canvas, nullptr, 0);
        flame.hidden = false; // the controls light it while thrusting
        flame.draw(canvas, 0, 0);
        EXPECT_TRUE(flame.hidden);
        int which = -1;
        for (int i = 0; i < 3; ++i)
            if (flame.sprite == flames[i])
                which = i;
        ASSERT_NE(which, -1);
        seen[which] = true;
        const Uint32 expected[3] = {0xff0000, 0x00ff00, 0x0000ff};
        EXPECT_EQ(rgb(canvas, 100, 100), expected[which]);
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);

    // Not lit again: not drawn.
    SDL_FillRect(canvas, nullptr, 0);
    flame.draw(canvas, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(ObjectLook, HiddenAndDeadObjectsAreNotDrawn)
{
    Object hidden(1, 10, 100, 100, 0, 0, 0, 0, solid(10, 10, 255, 255, 255), typeEnemy, 0, 100);
    hidden.hidden = true;
    hidden.hit = true;
    hidden.draw(canvas, 0, 0);
    Object dead(1, 10, 200, 100, 0, 0, 0, 0, solid(10, 10, 255, 255, 255), typeDead, 0, 100);
    dead.draw(canvas, 0, 0);
    Object unknown(1, 10, 300, 100, 0, 0, 0, 0, solid(10, 10, 255, 255, 255), 42, 0, 100);
    unknown.draw(canvas, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
    EXPECT_TRUE(hidden.hit); // untouched when skipped
}

TEST_F(ObjectLook, MissingImagesDrawNothingAndNeverFail)
{
    // Every image is null in this fixture: sprites, flames, shots, the
    // force field, explosion frames.
    for (int type : {typeExploding, typeFlame, typeShip, typeLeftHook, typeRightHook, typeTurret,
             typeRopeNode, typeEnemy, typePlanet, typeSun, typeShredder, typeBfg, typeMine}) {
        for (float angle : {0.0f, 0.7f}) {
            Object o(1, 10, 400, 300, 0, 0, angle, 0, nullptr, type, 0, 3);
            o.hit = true;
            o.kind = 3;
            o.draw(canvas, 0, 0);
            o.kind = kindExpiredBfg;
            o.hidden = false;
            o.draw(canvas, 0, 0);
        }
    }
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(ObjectLook, HitIsClearedForImageObjectsButNotForShots)
{
    Object enemy(1, 10, 100, 100, 0, 0, 0, 0, nullptr, typeEnemy, 0, 100);
    Object bullet(1, 10, 100, 100, 0, 0, 0, 0, nullptr, typeBullet, 0, 100);
    enemy.hit = bullet.hit = true;
    enemy.draw(canvas, 0, 0);
    bullet.draw(canvas, 0, 0);
    EXPECT_FALSE(enemy.hit);
    EXPECT_TRUE(bullet.hit);
}
