// Objects far enough outside the screen are not drawn at all.
#include "render_fixture.h"

using namespace tether;

using Culling = RenderTest;

TEST_F(Culling, MinePartlyOffScreenIsDrawn)
{
    // Radius 15, 10 pixels past the right edge: less than its radius plus 2.
    Object mine(1, 15, 810, 300, 0, 0, 0, 0, solid(30, 30, 255, 255, 0), typeMine, 0, 100);
    drawObject(canvas, mine, 0, 0);
    EXPECT_EQ(rgb(canvas, 797, 300), 0xffff00u);
    EXPECT_EQ(rgb(canvas, 794, 300), 0u);
}

TEST_F(Culling, EachKindReachesAsFarAsItsLook)
{
    // Shots and mines: radius plus 2, a mine also its image's width plus height.
    Object mine(1, 15, 0, 0, 0, 0, 0, 0, solid(30, 30, 1, 1, 1), typeMine, 0, 100);
    EXPECT_FALSE(isOffScreen(mine, 817, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 818, 300, 800, 600));
    EXPECT_FALSE(isOffScreen(mine, 400, -17, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 400, -18, 800, 600));
    mine.radius = 100; // a small image still culls a wide mine
    mine.look = solid(10, 10, 1, 1, 1);
    EXPECT_TRUE(isOffScreen(mine, 823, 300, 800, 600));
    // Image objects: the width plus height of the unturned image, plus 2.
    Object enemy(1, 5, 0, 0, 0, 0, 0, 0, solid(20, 10, 1, 1, 1), typeEnemy, 0, 100);
    EXPECT_FALSE(isOffScreen(enemy, 832, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(enemy, 833, 300, 800, 600));
    // Black holes: three radii plus 2.
    Object hole(1, 10, 0, 0, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    EXPECT_FALSE(isOffScreen(hole, 400, 632, 800, 600));
    EXPECT_TRUE(isOffScreen(hole, 400, 633, 800, 600));
}
