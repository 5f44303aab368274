// The damage flash: the force field over an object that was hit, coloured
// by what is left of its health.
#include "render_fixture.h"

using namespace tether;

namespace {
constexpr Uint32 green = 0x00ff00, yellow = 0xffff00, red = 0xff0000;
}

class DamageFlash : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        shieldSprite = solid(40, 40, 255, 255, 255);
    }

    // The colour in the middle of the object the first time it is drawn
    // after a hit.
    Uint32 flashOf(int type, float health, int kind = -1)
    {
        clear();
        forgetShownHits(); // each object of these tests is new
        Object o(1, 10, 400, 300, 0, 0, 0, 0, nullptr, type, 0, health);
        o.kind = kind;
        o.lastHitStep = 41;
        drawObject(canvas, o, 0, 0);
        const Uint32 colour = rgb(canvas, 400, 300);
        clear();
        drawObject(canvas, o, 0, 0); // a flash shows once
        EXPECT_EQ(rgb(canvas, 400, 300), 0u);
        return colour;
    }
};

TEST_F(DamageFlash, EnemyMeasuresAgainstItsOwnClass)
{
    writableTuning().enHealth[2] = 400;
    writableTuning().enHealth[4] = 40;
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 201, 3), green));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 200, 3), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 41, 3), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 40, 3), red));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 40, 5), green)); // plenty for a weaker class
}

TEST_F(DamageFlash, ShipMeasuresAgainstAThousandOthersAgainstTwoHundred)
{
    EXPECT_TRUE(closeColour(flashOf(typeShip, 501), green));
    EXPECT_TRUE(closeColour(flashOf(typeShip, 500), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeShip, 100), red));
    for (int type : {typeTurret, typeLeftHook, typeMine, typeExploding}) {
        EXPECT_TRUE(closeColour(flashOf(type, 101), green)) << type;
        EXPECT_TRUE(closeColour(flashOf(type, 100), yellow)) << type;
        EXPECT_TRUE(closeColour(flashOf(type, 20), red)) << type;
    }
}

TEST_F(DamageFlash, EnemyOfUnreadOrUnknownClassFallsBackToTwoHundred)
{
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 150, 1), green)); // record never read
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 100, 13), yellow));
}

TEST_F(DamageFlash, PlanetsSunsAndNodesShowNoFlashButForgetTheHit)
{
    for (int type : {typePlanet, typeSun, typeRopeNode})
        EXPECT_EQ(flashOf(type, 1), 0u) << type;
}

TEST_F(DamageFlash, ForceFieldIsScaledToTheDiameterOverTheSprite)
{
    Object gun(1, 10, 400, 300, 0, 0, 0, 0, solid(30, 30, 0, 0, 255), typeTurret, 0, 200);
    gun.lastHitStep = 0; // before the level's first frame
    drawObject(canvas, gun, 100, 50);
    EXPECT_TRUE(closeColour(rgb(canvas, 300, 250), green));
    EXPECT_EQ(rgb(canvas, 290, 240), 0xffffffu); // the field's corner, beyond the disc
    EXPECT_EQ(rgb(canvas, 289, 240), 0x0000ffu); // the sprite beyond the field
}

TEST_F(DamageFlash, AHitShowsTheFirstTimeTheObjectIsDrawnAfterIt)
{
    Object mine(1, 10, 400, 300, 0, 0, 0, 0, nullptr, typeMine, 0, 200);
    mine.lastHitStep = 5;
    drawObject(canvas, mine, 2000, 0); // off screen: not drawn, the flash waits
    Object bullet(1, 3, 400, 300, 0, 0, 0, 0, nullptr, typeBullet, 0, 200);
    bullet.lastHitStep = 5;
    drawObject(canvas, bullet, 0, 0); // a shot shows no flash
    drawnStep = 10; // frames have been drawn since the hit
    clear();
    bullet.type = typeExploding; // until its explosion is drawn
    drawObject(canvas, bullet, 0, 0);
    EXPECT_NE(rgb(canvas, 400, 300), 0u);
    clear();
    drawObject(canvas, mine, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), green));
    clear();
    drawObject(canvas, mine, 0, 0);
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    mine.lastHitStep = 6; // hit again
    drawObject(canvas, mine, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), green));
}

TEST_F(DamageFlash, MissingForceFieldDrawsNoFlash)
{
    shieldSprite = nullptr;
    EXPECT_EQ(flashOf(typeShip, 1), 0u);
}
