// The HUD sequence: panel, enemies left, ship health, radar and its marks.
#include "content/worldinuse.h"
#include "render/hud.h"
#include "render_fixture.h"
#include "world/collision.h"
#include "world/world.h"

#include <string>

using namespace tether;

class Hud : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        for (int d = 0; d < 10; ++d)
            digits[d] = solid(6, 10, static_cast<Uint8>(20 * d + 20), 0, 0);
        world().ship = make(typeShip, 1000, 1000);
        world().objects.push_back(world().ship);
        world().drawables.push_back(world().ship);
    }
    // The 6-pixel digits drawn from (x, y) on.
    std::string readNumber(int x, int y)
    {
        std::string text;
        for (; rgb(canvas, x, y) != 0; x += 6)
            text += static_cast<char>('0' + (static_cast<int>(rgb(canvas, x, y) >> 16) - 20) / 20);
        return text;
    }
};

TEST_F(Hud, PanelNumbersAndRadarSitInTheBottomRightCorner)
{
    world().numEnemies = 12;
    world().ship->health = 734.9f;
    drawHud(canvas);
    EXPECT_EQ(readNumber(445, 545), "12");
    EXPECT_EQ(readNumber(445, 420), "734");
    hudImage = solid(300, 200, 0, 0, 90);
    radarImage = solid(200, 200, 0, 90, 0);
    drawHud(canvas);
    EXPECT_EQ(rgb(canvas, 394, 395), 0u);
    EXPECT_EQ(rgb(canvas, 395, 395), 0x00005au);
    EXPECT_TRUE(closeColour(rgb(canvas, 595, 395), 0x005a00)); // the radar over the panel
}

TEST_F(Hud, HealthReadsZeroWhileTheShipExplodes)
{
    world().ship->type = typeExploding;
    world().ship->health = 7.5f; // the explosion clock
    drawHud(canvas);
    EXPECT_EQ(readNumber(445, 420), "0");
}

TEST_F(Hud, AShipSwallowedByABlackHoleReadsZeroHealth)
{
    world().ship->health = 1000;
    Object* hole = make(typeBlackHole, 1000, 1000, 40, 1e9f);
    world().objects.push_back(hole);
    collisionDetect(world(), &world().objects);
    ASSERT_TRUE(world().gameOver);
    drawHud(canvas);
    EXPECT_EQ(readNumber(445, 420), "0");
}

TEST_F(Hud, LivingThingsAreMarkedOverBlackHolesAndNodes)
{
    // The enemy comes first in the list but is marked in the second pass.
    for (int type : {typeEnemy, typeBlackHole}) {
        Object* o = make(type, 1000 + 32 * 10, 1000);
        world().objects.push_back(o);
        world().drawables.push_back(o);
    }
    drawHud(canvas);
    EXPECT_EQ(rgb(canvas, 705 + 3, 495), 0xff0000u);
    EXPECT_EQ(rgb(canvas, 705, 495 - 3), 0xff0000u);
}
