// Chains of link images: hook chains and ropes.
#include "render/effects.h"
#include "render_fixture.h"
#include "world/spring.h"

#include <vector>

using namespace tether;

class Chain : public RenderTest {
protected:
    // A link whose left half is solid and right half clear, so that the
    // links of a chain show as separate runs.
    SDL_Surface* halfLink()
    {
        SDL_Surface* link = solid(10, 6, 0, 0, 0, 0);
        SDL_Rect left = {0, 0, 5, 6};
        SDL_FillRect(link, &left, SDL_MapRGBA(link->format, 200, 200, 255, 255));
        return link;
    }

    // Runs of lit pixels along row y.
    std::vector<std::pair<int, int>> runs(int y)
    {
        std::vector<std::pair<int, int>> found;
        int start = -1;
        for (int x = 0; x <= canvas->w; ++x) {
            const bool lit = x < canvas->w && rgb(canvas, x, y) != 0;
            if (lit && start < 0)
                start = x;
            if (!lit && start >= 0) {
                found.push_back({start, x - 1});
                start = -1;
            }
        }
        return found;
    }
};

TEST_F(Chain, WholeNumberOfLinksEndsWithALinkCentredOnB)
{
    grapNumLinks = 3;
    Object a(1, 1, 100, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    drawChain(canvas, solid(10, 6, 200, 200, 255), 0, 0, &a, &b);
    // Three links of 100 pixels centred at 200, 300 and 400.
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 150);
    EXPECT_EQ(box.x + box.w, 450);
    EXPECT_NEAR(box.y + box.h / 2.0, 300, 1);
    EXPECT_LE(box.h, 7); // the links keep their thickness
}

TEST_F(Chain, ChainShowsItsNumberOfLinks)
{
    SDL_Surface* link = halfLink();
    Object a(1, 1, 100, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 600, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    for (float n : {1.0f, 3.0f, 5.0f}) {
        SDL_FillRect(canvas, nullptr, 0);
        grapNumLinks = n;
        drawChain(canvas, link, 0, 0, &a, &b);
        EXPECT_EQ(runs(300).size(), static_cast<size_t>(n)) << n;
    }
    // A fraction of a link still draws a whole one, one beyond b.
    SDL_FillRect(canvas, nullptr, 0);
    grapNumLinks = 2.5f;
    drawChain(canvas, link, 0, 0, &a, &b);
    EXPECT_EQ(runs(300).size(), 3u);
}

TEST_F(Chain, CameraShiftsTheChain)
{
    grapNumLinks = 2;
    Object a(1, 1, 1100, 1300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 1300, 1300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    drawChain(canvas, solid(10, 6, 200, 200, 255), 1000, 1000, &a, &b);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 150);
    EXPECT_EQ(box.x + box.w, 350);
}

TEST_F(Chain, VerticalChainStandsUpright)
{
    grapNumLinks = 4;
    Object a(1, 1, 400, 100, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 400, 500, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    drawChain(canvas, solid(10, 6, 200, 200, 255), 0, 0, &a, &b);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_LE(box.w, 8);
    EXPECT_GE(box.h, 395);
    EXPECT_NEAR(box.x + box.w / 2.0, 400, 1.5);
}

TEST_F(Chain, CoincidentEndsDrawNothing)
{
    grapNumLinks = 5;
    Object a(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    drawChain(canvas, solid(10, 6, 200, 200, 255), 0, 0, &a, &b);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Chain, NoLinksOrNoLinkImageDrawNothing)
{
    Object a(1, 1, 100, 300, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    Object b(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    for (float n : {0.0f, -2.0f}) {
        grapNumLinks = n;
        drawChain(canvas, solid(10, 6, 200, 200, 255), 0, 0, &a, &b);
    }
    grapNumLinks = 3;
    drawChain(canvas, nullptr, 0, 0, &a, &b);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Chain, SpringIsDrawnAsAChain)
{
    grapNumLinks = 3;
    SDL_Surface* link = solid(10, 6, 200, 200, 255);
    Object a(1, 1, 1100, 1300, 0, 0, 0, 0, nullptr, typeRopeNode, 0, 1);
    Object b(1, 1, 1400, 1300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    Spring rope(&a, &b, 1, 1);
    rope.draw(canvas, link, 1000, 1000);
    SDL_Surface* reference = makeCanvas();
    drawChain(reference, link, 1000, 1000, &a, &b);
    EXPECT_GT(countLit(canvas), 0);
    EXPECT_TRUE(sameImage(canvas, reference));
}

TEST_F(Chain, SpringAcrossTheSeamIsNotDrawn)
{
    grapNumLinks = 3;
    worldW = worldH = 2000;
    SDL_Surface* link = solid(10, 6, 200, 200, 255);
    Object a(1, 1, 400, 300, 0, 0, 0, 0, nullptr, typeRopeNode, 0, 1);
    Object b(1, 1, 1400, 300, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    Spring rope(&a, &b, 1, 1);
    rope.draw(canvas, link, 0, 0); // exactly half the world apart in x
    b.x = 1500;
    rope.draw(canvas, link, 0, 0);
    b.x = 500;
    b.y = 1400; // half the world in y
    rope.draw(canvas, link, 0, 0);
    EXPECT_EQ(countLit(canvas), 0);
    b.y = 1299; // just under half
    rope.draw(canvas, link, 0, 0);
    EXPECT_GT(countLit(canvas), 0);
}
