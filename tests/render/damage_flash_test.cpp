// The damage flash: the force field over an object that was hit, coloured
// by what is left of its health.
#include "render/draw.h"
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

    // The colour in the middle of the object after one draw with a hit.
    Uint32 flashOf(int type, float health, int kind = -1)
    {
        SDL_FillRect(canvas, nullptr, 0);
        Object o(1, 10, 400, 300, 0, 0, 0, 0, nullptr, type, 0, health);
        o.kind = kind;
        o.hit = true;
        o.draw(canvas, 0, 0);
        EXPECT_FALSE(o.hit);
        return rgb(canvas, 400, 300);
    }
};

TEST_F(DamageFlash, EnemyMeasuresAgainstItsOwnClass)
{
    enHealth[2] = 400;
    enHealth[4] = 40;
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 201, 3), green));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 200, 3), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 41, 3), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 40, 3), red));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 0, 3), red));
    // The same health is plenty for a weaker class.
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 40, 5), green));
}

TEST_F(DamageFlash, ShipMeasuresAgainstAThousand)
{
    EXPECT_TRUE(closeColour(flashOf(typeShip, 501), green));
    EXPECT_TRUE(closeColour(flashOf(typeShip, 500), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeShip, 101), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeShip, 100), red));
}

TEST_F(DamageFlash, OtherObjectsMeasureAgainstTwoHundred)
{
    for (int type : {typeTurret, typeLeftHook, typeMine, typeExploding}) {
        EXPECT_TRUE(closeColour(flashOf(type, 101), green)) << type;
        EXPECT_TRUE(closeColour(flashOf(type, 100), yellow)) << type;
        EXPECT_TRUE(closeColour(flashOf(type, 20), red)) << type;
    }
}

TEST_F(DamageFlash, EnemyOfUnreadOrUnknownClassFallsBackToTwoHundred)
{
    enHealth[0] = 0; // record never read
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 150, 1), green));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 100, 1), yellow));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 150, 13), green));
    EXPECT_TRUE(closeColour(flashOf(typeEnemy, 100, -1), yellow));
}

TEST_F(DamageFlash, PlanetsSunsAndNodesShowNoFlashButForgetTheHit)
{
    for (int type : {typePlanet, typeSun, typeRopeNode})
        EXPECT_EQ(flashOf(type, 1), 0u) << type; // nothing else is drawn
}

TEST_F(DamageFlash, ForceFieldIsScaledToTheDiameterAndLastsOneFrame)
{
    Object enemy(1, 10, 400, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 200);
    enemy.hit = true;
    enemy.draw(canvas, 100, 50);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 290);
    EXPECT_EQ(box.y, 240);
    EXPECT_EQ(box.w, 20);
    EXPECT_EQ(box.h, 20);
    // Outside the disc the field keeps its own colour.
    EXPECT_EQ(rgb(canvas, 290, 240), 0xffffffu);
    EXPECT_TRUE(closeColour(rgb(canvas, 300, 250), green));

    SDL_FillRect(canvas, nullptr, 0);
    enemy.draw(canvas, 100, 50);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(DamageFlash, FlashIsOverTheSprite)
{
    Object enemy(1, 10, 400, 300, 0, 0, 0, 0, solid(30, 30, 0, 0, 255), typeTurret, 0, 10);
    enemy.hit = true;
    enemy.draw(canvas, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), red));
    EXPECT_EQ(rgb(canvas, 386, 286), 0x0000ffu); // sprite corner, beyond the field
}

TEST_F(DamageFlash, MissingForceFieldDrawsNoFlash)
{
    shieldSprite = nullptr;
    EXPECT_EQ(flashOf(typeShip, 1), 0u);
}

TEST(DamageColour, ThresholdsAreAboveHalfAndAboveATenth)
{
    Object o(1, 10, 0, 0, 0, 0, 0, 0, nullptr, typeTurret, 0, 0);
    o.health = 100.5f;
    EXPECT_EQ(damageColour(o), 0x00ff00ffu);
    o.health = 20.5f;
    EXPECT_EQ(damageColour(o), 0xffff00ffu);
    o.health = -50;
    EXPECT_EQ(damageColour(o), 0xff0000ffu);
}
