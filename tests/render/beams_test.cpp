// Lightning bolts and rail beams, and beam shots drawn from their shooter.
#include "render/draw.h"
#include "render/effects.h"
#include "render_fixture.h"

#include <SDL_gfxPrimitives.h>

#include <cmath>
#include <cstdlib>

using namespace tether;

namespace {
constexpr Uint32 boltColour = 0x9999ffff;
constexpr Uint32 boltRgb = 0x9999ff;
constexpr Uint32 blue = 0x0000ffff, red = 0xff0000ff;
} // namespace

using Beams = RenderTest;

TEST_F(Beams, LightningWithinOneStepIsOneStraightLine)
{
    SDL_Surface* reference = makeCanvas();
    lineColor(reference, 100, 100, 112, 109, boltColour);
    for (int i = 0; i < 5; ++i) {
        SDL_FillRect(canvas, nullptr, 0);
        drawLightning(canvas, 100, 100, 112, 109, boltColour, 0.3f, 20.0f);
        EXPECT_TRUE(sameImage(canvas, reference));
    }
}

TEST_F(Beams, TwoBoltsBetweenTheSamePointsDiffer)
{
    std::srand(7);
    SDL_Surface* second = makeCanvas();
    drawLightning(canvas, 100, 100, 600, 400, boltColour, 0.3f, 20.0f);
    drawLightning(second, 100, 100, 600, 400, boltColour, 0.3f, 20.0f);
    EXPECT_FALSE(sameImage(canvas, second));
    // Both start and end where they should, and wander off the straight line.
    for (SDL_Surface* s : {canvas, second}) {
        EXPECT_EQ(rgb(s, 100, 100), boltRgb);
        EXPECT_EQ(rgb(s, 600, 400), boltRgb);
    }
    SDL_Surface* straight = makeCanvas();
    lineColor(straight, 100, 100, 600, 400, boltColour);
    EXPECT_FALSE(sameImage(canvas, straight));
}

TEST_F(Beams, BoltStaysWithinItsSpreadOfTheDirectLine)
{
    drawLightning(canvas, 100, 300, 700, 300, boltColour, 0.3f, 20.0f);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 100);
    EXPECT_EQ(box.x + box.w - 1, 700);
    EXPECT_LT(box.h, 100); // each segment turns at most 0.15 rad off the bearing
}

TEST_F(Beams, LightningWithNoStepIsAStraightLineAndEnds)
{
    SDL_Surface* reference = makeCanvas();
    lineColor(reference, 100, 100, 500, 300, boltColour);
    drawLightning(canvas, 100, 100, 500, 300, boltColour, 0.3f, 0.0f);
    EXPECT_TRUE(sameImage(canvas, reference));
}

TEST_F(Beams, RailIsALineWoundWithAHelix)
{
    drawRail(canvas, 100, 300, 700, 300, blue, red);
    const int helix = countColour(canvas, 0xff0000);
    EXPECT_GT(helix, 300);
    for (int y = 0; y < canvas->h; ++y)
        for (int x = 0; x < canvas->w; ++x)
            if (rgb(canvas, x, y) == 0xff0000) {
                EXPECT_LE(std::abs(y - 300), 10) << x << "," << y;
                EXPECT_GE(x, 99);
                EXPECT_LE(x, 710);
            }
    EXPECT_GT(countColour(canvas, 0x0000ff), 400); // the line shows between the turns
    EXPECT_EQ(rgb(canvas, 100, 300), 0xff0000u); // the helix starts on the start point
}

TEST_F(Beams, RailOfNoLengthIsACircleOfRadiusTen)
{
    drawRail(canvas, 300, 300, 300, 300, blue, red);
    int helix = 0;
    for (int y = 280; y <= 320; ++y)
        for (int x = 280; x <= 320; ++x)
            if (rgb(canvas, x, y) == 0xff0000 && !(x == 300 && y == 300)) {
                ++helix;
                EXPECT_NEAR(std::hypot(x - 300, y - 300), 10, 1.5); // truncated to whole pixels
            }
    EXPECT_GT(helix, 40);
    EXPECT_EQ(countColour(canvas, 0xff0000), helix + 1);
}

TEST_F(Beams, BeamShotsRunFromTheirShooter)
{
    Object shooter(1, 10, 1100, 1300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 100);
    Object rail(1, 2, 1500, 1300, 0, 0, 0, 0, nullptr, typeRail, 0, 100);
    rail.owner = &shooter;
    rail.draw(canvas, 1000, 1000);
    SDL_Surface* reference = makeCanvas();
    drawRail(reference, 100, 300, 500, 300, blue, red);
    EXPECT_TRUE(sameImage(canvas, reference));

    SDL_FillRect(canvas, nullptr, 0);
    Object bolt(1, 2, 1500, 1300, 0, 0, 0, 0, nullptr, typeLightning, 0, 100);
    bolt.owner = &shooter;
    bolt.draw(canvas, 1000, 1000);
    EXPECT_EQ(rgb(canvas, 100, 300), boltRgb);
    EXPECT_EQ(rgb(canvas, 500, 300), boltRgb);
}

TEST_F(Beams, BeamWhoseShooterIsGoneIsNotDrawn)
{
    for (int type : {typeLightning, typeRail}) {
        Object shot(1, 2, 400, 300, 0, 0, 0, 0, nullptr, type, 0, 100);
        shot.owner = nullptr;
        shot.draw(canvas, 0, 0);
    }
    EXPECT_EQ(countLit(canvas), 0);
}
