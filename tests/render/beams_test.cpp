// Lightning bolts and rail beams, and beam shots drawn from their shooter.
#include "render/effects.h"
#include "render/presentation.h"
#include "render_fixture.h"

#include <SDL_gfxPrimitives.h>

#include <cmath>
#include <cstdlib>

using namespace tether;

namespace {
constexpr Uint32 bolt = 0x9999ffff, blue = 0x0000ffff, red = 0xff0000ff;
}

using Beams = RenderTest;

TEST_F(Beams, LightningWithinOneStepIsOneStraightLine)
{
    SDL_Surface* reference = makeCanvas();
    lineColor(reference, 100, 100, 112, 109, bolt);
    drawLightning(canvas, 100, 100, 112, 109, bolt, 0.3f, 20.0f);
    EXPECT_TRUE(sameImage(canvas, reference));
    clear(); // a step of nothing cannot wander
    drawLightning(canvas, 100, 100, 112, 109, bolt, 0.3f, 0.0f);
    EXPECT_TRUE(sameImage(canvas, reference));
}

TEST_F(Beams, TwoBoltsBetweenTheSamePointsDifferAndBothArrive)
{
    presentationRandom.reseed(7);
    SDL_Surface* second = makeCanvas();
    SDL_Surface* straight = makeCanvas();
    drawLightning(canvas, 100, 100, 600, 400, bolt, 0.3f, 20.0f);
    drawLightning(second, 100, 100, 600, 400, bolt, 0.3f, 20.0f);
    lineColor(straight, 100, 100, 600, 400, bolt);
    EXPECT_FALSE(sameImage(canvas, second));
    EXPECT_FALSE(sameImage(canvas, straight));
    for (SDL_Surface* s : {canvas, second}) {
        EXPECT_EQ(rgb(s, 100, 100), 0x9999ffu);
        EXPECT_EQ(rgb(s, 600, 400), 0x9999ffu);
    }
}

TEST_F(Beams, RailIsALineWoundWithAHelixOfRadiusTen)
{
    drawRail(canvas, 100, 300, 700, 300, blue, red);
    EXPECT_GT(countColour(canvas, 0xff0000), 300);
    EXPECT_GT(countColour(canvas, 0x0000ff), 400); // the line between the turns
    const SDL_Rect box = litBounds(canvas);
    EXPECT_GE(box.y, 290);
    EXPECT_LE(box.y + box.h, 311);
    EXPECT_EQ(rgb(canvas, 100, 300), 0xff0000u); // the helix starts on the start point
}

TEST_F(Beams, BeamShotsRunFromTheirShooter)
{
    Object shooter(1, 10, 1100, 1300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 100);
    Object rail(1, 2, 1500, 1300, 0, 0, 0, 0, nullptr, typeRail, 0, 100);
    rail.owner = &shooter;
    drawObject(canvas, rail, 1000, 1000);
    SDL_Surface* reference = makeCanvas();
    drawRail(reference, 100, 300, 500, 300, blue, red);
    EXPECT_TRUE(sameImage(canvas, reference));

    clear();
    Object lightning(1, 2, 1500, 1300, 0, 0, 0, 0, nullptr, typeLightning, 0, 100);
    lightning.owner = &shooter;
    drawObject(canvas, lightning, 1000, 1000);
    EXPECT_EQ(rgb(canvas, 100, 300), 0x9999ffu);
    EXPECT_EQ(rgb(canvas, 500, 300), 0x9999ffu);
}

TEST_F(Beams, BeamWhoseShooterIsGoneIsNotDrawn)
{
    for (int type : {typeLightning, typeRail}) {
        Object shot(1, 2, 400, 300, 0, 0, 0, 0, nullptr, type, 0, 100);
        shot.owner = nullptr;
        drawObject(canvas, shot, 0, 0);
    }
    EXPECT_EQ(countLit(canvas), 0);
}
