// The black hole's gravitational lens.
#include "render/draw.h"
#include "render_fixture.h"

#include <cmath>

using namespace tether;

class Lens : public RenderTest {
protected:
    // Every pixel of the canvas a colour of its own (within 256 by 256).
    void paintPattern(SDL_Surface* s)
    {
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x] = pattern(x, y);
    }
    static Uint32 pattern(int x, int y)
    {
        return (Uint32(x & 0xff) << 16) | (Uint32(y & 0xff) << 8) | 0x40;
    }
};

TEST_F(Lens, TableLeavesTheMiddleAndTheOutsideInPlace)
{
    const float r = 10;
    int32_t* table = makeLensTable(r);
    ASSERT_NE(table, nullptr);
    const int n = 60, c = 30;
    int bent = 0;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int32_t here = n * j + i;
            const double d = std::hypot(i - c, j - c);
            ASSERT_GE(table[here], 0);
            ASSERT_LT(table[here], n * n);
            if (d < r || d >= 3 * r) {
                EXPECT_EQ(table[here], here);
                continue;
            }
            // In the ring: a pixel nearer the middle on the same ray.
            const int si = table[here] % n, sj = table[here] / n;
            EXPECT_LE(std::hypot(si - c, sj - c), d + 1e-9);
            EXPECT_GE((si - c) * (i - c), 0);
            EXPECT_GE((sj - c) * (j - c), 0);
            bent += table[here] != here;
        }
    }
    EXPECT_GT(bent, 1000);
    // At twice the radius the ring shows what lies at 1.75 radii.
    EXPECT_EQ(table[n * c + c + 20], n * c + c + 17);
    delete[] table;
}

TEST_F(Lens, NoRadiusNoTable)
{
    EXPECT_EQ(makeLensTable(0.0f), nullptr);
    EXPECT_EQ(makeLensTable(-3.0f), nullptr);
    EXPECT_EQ(makeLensTable(0.1f), nullptr); // less than one pixel across
    EXPECT_EQ(makeLensTable(NAN), nullptr);
}

TEST_F(Lens, BlackHoleBlackensItsMiddleAndBendsTheRing)
{
    paintPattern(canvas);
    Object hole(1, 10, 1400, 1300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    hole.draw(canvas, 1000, 1000);
    ASSERT_NE(hole.pixelCache, nullptr);
    EXPECT_EQ(rgb(canvas, 400, 300), 0u);
    EXPECT_EQ(rgb(canvas, 405, 303), 0u);
    // The ring shows the pixel the table names, from the patch at (370, 270).
    const int32_t source = hole.pixelCache[60 * 30 + 30 + 20];
    EXPECT_EQ(rgb(canvas, 420, 300), pattern(370 + source % 60, 270 + source / 60));
    EXPECT_NE(rgb(canvas, 420, 300), pattern(420, 300));
    // Beyond three radii, even inside the patch, nothing moves.
    EXPECT_EQ(rgb(canvas, 425, 325), pattern(425, 325));
    EXPECT_EQ(rgb(canvas, 440, 300), pattern(440, 300));
}

TEST_F(Lens, TableIsMadeOnceAndKept)
{
    Object hole(1, 8, 400, 300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    hole.draw(canvas, 0, 0);
    int32_t* first = hole.pixelCache;
    ASSERT_NE(first, nullptr);
    hole.draw(canvas, 0, 0);
    EXPECT_EQ(hole.pixelCache, first);
}

TEST_F(Lens, LensAtTheScreenEdgeBendsWhatIsThere)
{
    paintPattern(canvas);
    Object hole(1, 10, 5, 300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
    hole.draw(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 5, 300), 0u);
    EXPECT_EQ(rgb(canvas, 100, 300), pattern(100, 300));
}

TEST_F(Lens, BlackHoleWithoutRadiusDrawsAndAllocatesNothing)
{
    paintPattern(canvas);
    for (float r : {0.0f, -4.0f}) {
        Object hole(1, r, 400, 300, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 100);
        hole.draw(canvas, 0, 0);
        EXPECT_EQ(hole.pixelCache, nullptr);
        drawables.push_back(&hole);
        drawWorld(canvas, 0, 0);
        drawables.clear();
    }
    EXPECT_EQ(rgb(canvas, 400, 300), pattern(400, 300));
    EXPECT_EQ(rgb(canvas, 401, 300), pattern(401, 300));
}
