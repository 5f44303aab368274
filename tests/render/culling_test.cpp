// Objects far enough outside the screen are not drawn at all.
#include "render/draw.h"
#include "render_fixture.h"

using namespace tether;

using Culling = RenderTest;

TEST_F(Culling, MinePartlyOffScreenIsDrawn)
{
    // A mine of radius 15 with a 30-pixel image, 10 pixels past the right
    // edge: less than its radius plus 2, and part of it shows.
    Object mine(1, 15, 810, 300, 0, 0, 0, 0, solid(30, 30, 255, 255, 0), typeMine, 0, 100);
    mine.draw(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 797, 300), 0xffff00u);
    EXPECT_EQ(rgb(canvas, 794, 300), 0u);
}

TEST_F(Culling, ShotsAndMinesReachTheirRadiusPlusTwo)
{
    SDL_Surface* image = solid(30, 30, 1, 1, 1); // reaches 62 by the image rule
    Object mine(1, 15, 0, 0, 0, 0, 0, 0, image, typeMine, 0, 100);
    EXPECT_FALSE(isOffScreen(mine, 817, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 818, 300, 800, 600));
    EXPECT_FALSE(isOffScreen(mine, -17, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, -18, 300, 800, 600));
    EXPECT_FALSE(isOffScreen(mine, 400, 617, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 400, 618, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 400, -18, 800, 600));
    Object bullet(1, 3, 0, 0, 0, 0, 0, 0, nullptr, typeBullet, 0, 100);
    EXPECT_FALSE(isOffScreen(bullet, 805, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(bullet, 806, 300, 800, 600));
}

TEST_F(Culling, MineMustAlsoPassTheImageRule)
{
    // A large radius does not save a mine whose image is small.
    Object mine(1, 100, 0, 0, 0, 0, 0, 0, solid(10, 10, 1, 1, 1), typeMine, 0, 100);
    EXPECT_FALSE(isOffScreen(mine, 822, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(mine, 823, 300, 800, 600));
}

TEST_F(Culling, ImageObjectsReachTheirImageWidthPlusHeight)
{
    Object enemy(1, 5, 0, 0, 0, 0, 0, 0, solid(20, 10, 1, 1, 1), typeEnemy, 0, 100);
    EXPECT_FALSE(isOffScreen(enemy, 832, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(enemy, 833, 300, 800, 600));
    EXPECT_FALSE(isOffScreen(enemy, -32, 300, 800, 600));
    EXPECT_TRUE(isOffScreen(enemy, -33, 300, 800, 600));
}

TEST_F(Culling, BlackHoleReachesThreeRadii)
{
    Object hole(1, 10, 0, 0, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    EXPECT_FALSE(isOffScreen(hole, 400, 632, 800, 600));
    EXPECT_TRUE(isOffScreen(hole, 400, 633, 800, 600));
    EXPECT_TRUE(isOffScreen(hole, -33, 300, 800, 600));
}

TEST_F(Culling, CulledObjectDrawsNothingEvenWhereItWouldReach)
{
    // A bullet's disc (radius 5) would reach the screen from 804, but its
    // own radius of 1 culls it.
    Object bullet(1, 1, 804, 300, 0, 0, 0, 0, nullptr, typeBullet, 0, 100);
    bullet.draw(canvas, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
    bullet.x = 803;
    bullet.draw(canvas, 0, 0);
    EXPECT_GT(countLit(canvas), 0);
}
