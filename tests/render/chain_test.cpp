// Chains of link images: hook chains and ropes.
#include "content/worldinuse.h"
#include "render/effects.h"
#include "render_fixture.h"
#include "world/spring.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

class Chain : public RenderTest {
protected:
    Object a {1, 1, 100, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1};
    Object b {1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1};
    SDL_Surface* link = nullptr;
    void SetUp() override
    {
        RenderTest::SetUp();
        link = solid(10, 6, 200, 200, 255);
    }

    // Separate runs of lit pixels along row y.
    int runs(int y)
    {
        int found = 0;
        for (int x = 0; x < canvas->w; ++x)
            found += rgb(canvas, x, y) != 0 && (x == 0 || rgb(canvas, x - 1, y) == 0);
        return found;
    }
};

TEST_F(Chain, WholeNumberOfLinksEndsWithALinkCentredOnB)
{
    writableTuning().grapNumLinks = 3;
    drawChain(canvas, link, 0, 0, &a, &b);
    // Three links stretched to 100 pixels, centred at 200, 300 and 400.
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 150);
    EXPECT_EQ(box.x + box.w, 450);
    EXPECT_LE(box.h, 7); // the links keep their thickness
}

TEST_F(Chain, ChainShowsItsNumberOfLinks)
{
    SDL_Surface* half = solid(10, 6, 0, 0, 0, 0); // left half solid, right half clear
    SDL_Rect left = {0, 0, 5, 6};
    SDL_FillRect(half, &left, SDL_MapRGBA(half->format, 200, 200, 255, 255));
    b.x = 600;
    for (float n : {1.0f, 3.0f, 5.0f, 2.5f}) {
        clear();
        writableTuning().grapNumLinks = n;
        drawChain(canvas, half, 0, 0, &a, &b);
        EXPECT_EQ(runs(300), static_cast<int>(std::ceil(n))) << n; // a fraction still draws a link
    }
}

TEST_F(Chain, CameraShiftsAndVerticalChainStandsUpright)
{
    writableTuning().grapNumLinks = 4;
    a.x = b.x = 1400;
    a.y = 1100;
    b.y = 1500;
    drawChain(canvas, link, 1000, 1000, &a, &b);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_LE(box.w, 8);
    EXPECT_NEAR(box.x + box.w / 2.0, 400, 1.5);
    EXPECT_NEAR(box.y, 150, 2);
    EXPECT_NEAR(box.y + box.h, 550, 2);
}

TEST_F(Chain, NothingBetweenCoincidentEndsOrWithoutLinks)
{
    writableTuning().grapNumLinks = 5;
    b.x = a.x;
    drawChain(canvas, link, 0, 0, &a, &b);
    b.x = 400;
    drawChain(canvas, nullptr, 0, 0, &a, &b);
    for (float n : {0.0f, -2.0f}) {
        writableTuning().grapNumLinks = n;
        drawChain(canvas, link, 0, 0, &a, &b);
    }
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Chain, SpringIsAChainUnlessItCrossesTheSeam)
{
    writableTuning().grapNumLinks = 3;
    world().worldW = world().worldH = 2000;
    Spring rope(world(), &a, &b, 1, 1);
    b.x = 1100; // exactly half the world apart in x
    drawSpring(canvas, rope, link, 0, 0);
    b.x = 500;
    b.y = 1400; // more than half in y
    drawSpring(canvas, rope, link, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);

    b.y = 1299; // just under half
    drawSpring(canvas, rope, link, 0, 0);
    SDL_Surface* reference = makeCanvas();
    drawChain(reference, link, 0, 0, &a, &b);
    EXPECT_GT(countLit(canvas), 0);
    EXPECT_TRUE(sameImage(canvas, reference));
}
