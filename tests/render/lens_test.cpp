// The black hole's gravitational lens.
#include "content/worldinuse.h"
#include "render_fixture.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

class Lens : public RenderTest {
protected:
    // Every pixel of the canvas in a colour of its own (within 256 by 256).
    void paintPattern()
    {
        for (int y = 0; y < canvas->h; ++y)
            for (int x = 0; x < canvas->w; ++x)
                static_cast<Uint32*>(canvas->pixels)[y * (canvas->pitch / 4) + x] = pattern(x, y);
    }
    static Uint32 pattern(int x, int y)
    {
        return (Uint32(x & 0xff) << 16) | (Uint32(y & 0xff) << 8) | 0x40;
    }
};

TEST_F(Lens, BlackHoleBlackensItsMiddleAndBendsTheRing)
{
    paintPattern();
    Object hole(1, 10, 1400, 1300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    drawObject(canvas, hole, 1000, 1000);
    const int32_t* table = lensTableFor(10);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    EXPECT_EQ(rgb(canvas, 405, 303), 0u);
    // The ring shows the pixel its table names, from the patch at (370, 270).
    const int32_t source = table[60 * 30 + 30 + 20];
    EXPECT_EQ(rgb(canvas, 420, 300), pattern(370 + source % 60, 270 + source / 60));
    EXPECT_NE(rgb(canvas, 420, 300), pattern(420, 300));
    EXPECT_EQ(rgb(canvas, 425, 325), pattern(425, 325)); // beyond 3r, inside the patch
    EXPECT_EQ(source, 60 * 30 + 30 + 17); // 2r shows what lies at 1.75r
    // Outside the black middle, every pixel of the square is its table's pick,
    // out to the corners.
    int wrong = 0;
    for (int j = 0; j < 60; ++j)
        for (int i = 0; i < 60; ++i) {
            if (std::hypot(i - 30, j - 30) < 11)
                continue;
            const int32_t pick = table[60 * j + i];
            wrong += rgb(canvas, 370 + i, 270 + j) != pattern(370 + pick % 60, 270 + pick / 60);
        }
    EXPECT_EQ(wrong, 0);

    drawObject(canvas, hole, 1000, 1000);
    EXPECT_EQ(lensTableFor(10), table); // made once, kept by its radius
}

TEST_F(Lens, NoRadiusNoLensNoTable)
{
    EXPECT_EQ(makeLensTable(0.1f), nullptr); // less than a pixel across
    EXPECT_EQ(makeLensTable(NAN), nullptr);
    paintPattern();
    for (float r : {0.0f, -4.0f}) {
        EXPECT_EQ(makeLensTable(r), nullptr);
        Object hole(1, r, 400, 300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
        drawObject(canvas, hole, 0, 0);
        EXPECT_EQ(lensTableFor(r), nullptr);
        world().drawables.push_back(&hole);
        drawWorld(canvas, 0, 0); // no black middle either
        world().drawables.clear();
    }
    EXPECT_EQ(rgb(canvas, 400, 300), pattern(400, 300));
}

TEST_F(Lens, AnAbsurdlyLargeBlackHoleIsItsBlackDiscAlone)
{
    // 6r pixels a side every frame would be 60000 by 60000 here.
    paintPattern();
    Object hole(1, 10000, 400, 300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    drawObject(canvas, hole, 0, 0);
    world().drawables.push_back(&hole);
    drawWorld(canvas, 0, 0);
    world().drawables.clear();
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    EXPECT_EQ(rgb(canvas, 10, 10), 0u); // the disc covers the screen
}
