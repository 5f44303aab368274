// The HUD sequence: panel, enemies left, ship health, radar and its marks.
#include "render/hud.h"
#include "render_fixture.h"

using namespace tether;

class Hud : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        for (int d = 0; d < 10; ++d)
            digits[d] = solid(6, 10, static_cast<Uint8>(20 * d + 20), 0, 0);
        ship = make(typeShip, 1000, 1000);
        objects.push_back(ship);
        drawables.push_back(ship);
    }

    // The digits drawn from (x, y) on, all 6 pixels wide.
    std::string readNumber(int x, int y)
    {
        std::string text;
        for (; rgb(canvas, x, y) != 0; x += 6)
            text += static_cast<char>('0' + (static_cast<int>(rgb(canvas, x, y) >> 16) - 20) / 20);
        return text;
    }
};

TEST_F(Hud, ShowsEnemiesLeftAndTruncatedHealth)
{
    numEnemies = 12;
    ship->health = 734.9f;
    drawHud(canvas);
    EXPECT_EQ(readNumber(445, 545), "12");
    EXPECT_EQ(readNumber(445, 420), "734");
}

TEST_F(Hud, HealthReadsZeroWhileTheShipExplodes)
{
    ship->type = typeExploding;
    ship->health = 7.5f; // the explosion clock
    drawHud(canvas);
    EXPECT_EQ(readNumber(445, 420), "0");
}

TEST_F(Hud, PanelAndRadarSitInTheBottomRightCorner)
{
    hudImage = solid(300, 200, 0, 0, 90);
    radarImage = solid(200, 200, 0, 90, 0);
    drawHud(canvas);
    EXPECT_EQ(rgb(canvas, 394, 395), 0u);
    EXPECT_EQ(rgb(canvas, 395, 395), 0x00005au);
    EXPECT_EQ(rgb(canvas, 594, 420), 0x00005au);
    EXPECT_TRUE(closeColour(rgb(canvas, 595, 395), 0x005a00));
    EXPECT_TRUE(closeColour(rgb(canvas, 794, 594), 0x005a00));
}

TEST_F(Hud, LivingThingsAreMarkedOverBlackHolesAndNodes)
{
    // The enemy comes first in the list, but is marked in the second pass.
    Object* enemy = make(typeEnemy, 1000 + 32 * 10, 1000);
    Object* hole = make(typeBlackHole, 1000 + 32 * 10, 1000, 10);
    for (Object* o : {enemy, hole}) {
        objects.push_back(o);
        drawables.push_back(o);
    }
    drawHud(canvas);
    EXPECT_EQ(rgb(canvas, 705 + 3, 495), 0xff0000u);
    EXPECT_EQ(rgb(canvas, 705, 495 - 3), 0xff0000u);
}

TEST_F(Hud, NothingWithoutAShip)
{
    ship = nullptr;
    numEnemies = 5;
    hudImage = solid(10, 10, 255, 255, 255);
    drawHud(canvas);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Hud, MissingImagesDrawNothingOfThemselves)
{
    for (SDL_Surface*& d : digits)
        d = nullptr;
    numEnemies = 3;
    drawHud(canvas); // no panel, no radar, no digits: only marks could show
    EXPECT_EQ(countLit(canvas), 0);
}
