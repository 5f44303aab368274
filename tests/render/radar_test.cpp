// Radar marks: objects around the ship at 1/32 scale, enemies beyond its
// range on its rim.
#include "render/hud.h"
#include "render_fixture.h"

#include <SDL_gfxPrimitives.h>

using namespace tether;

class Radar : public RenderTest {
protected:
    SDL_Surface* reference = nullptr;
    void SetUp() override
    {
        RenderTest::SetUp();
        reference = makeCanvas();
    }
    // The mark of an object of the type at (x, y), the ship at (1000, 1000).
    void mark(int type, float x, float y)
    {
        Object o(1, 10, x, y, 0, 0, 0, 0, nullptr, type, 0, 100);
        drawRadarMark(canvas, o, 1000, 1000);
    }
};

TEST_F(Radar, NearbyObjectsAreDotsAtOneThirtySecondScale)
{
    mark(typeEnemy, 1320, 936);
    mark(typeEnemy, 1000, 4199); // 3199 below: still in range
    mark(typePlanet, 1000 - 32 * 50, 1000);
    mark(typeMine, 1000, 1000 - 32 * 50);
    mark(typeBlackHole, 1000 - 32 * 20, 1000 - 32 * 20);
    filledCircleColor(reference, 705, 493, 3, 0xff0000ff);
    filledCircleColor(reference, 695, 594, 3, 0xff0000ff);
    filledCircleColor(reference, 645, 495, 3, 0x00ff00ff);
    filledCircleColor(reference, 695, 445, 1, 0xffff00ff);
    aacircleColor(reference, 675, 475, 3, 0x00ff00ff); // a black hole is an outline
    EXPECT_TRUE(sameImage(canvas, reference));
}

TEST_F(Radar, EnemyOutOfRangeIsMarkedOnTheRimOnItsBearing)
{
    mark(typeEnemy, 1000, 4200); // 3200 below
    mark(typeEnemy, 9000, 1000); // to the right
    filledCircleColor(reference, 695, 595, 5, 0xff0000ff);
    filledCircleColor(reference, 795, 495, 5, 0xff0000ff);
    EXPECT_TRUE(sameImage(canvas, reference));
}

TEST_F(Radar, OnlyEnemiesAreMarkedBeyondRange)
{
    for (int type : {typeBlackHole, typeRopeNode, typePlanet, typeSun, typeBullet, typeMine})
        mark(type, 5000, 1000);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Radar, ShipHooksTurretsAndTheNotAliveLeaveNoMark)
{
    for (int type :
        {typeShip, typeLeftHook, typeRightHook, typeTurret, typeFlame, typeExploding, typeDead})
        mark(type, 1100, 1100);
    EXPECT_EQ(countLit(canvas), 0);
}
