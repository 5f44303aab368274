// The drawing library under the generator: blending, anti-aliased shapes,
// tileable noise, text and PNG output.
#include "art/picture.h"
#include "support/child.h"

#include "canvas.h"
#include "noise.h"
#include "shape.h"
#include "text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

double alphaSum(const Canvas& c)
{
    double sum = 0;
    for (int y = 0; y < c.height(); y++)
        for (int x = 0; x < c.width(); x++)
            sum += c.at(x, y).a;
    return sum;
}

TEST(Blending, OverAndAddCombineAsLayersAndLight)
{
    Canvas c(2, 1);
    c.put(0, 0, hex(0xff0000), 0.5f);
    EXPECT_NEAR(c.at(0, 0).a, 0.5f, 1e-5);
    EXPECT_NEAR(c.at(0, 0).r, 1.0f, 1e-5); // straight colour, not darkened
    c.put(0, 0, hex(0x0000ff), 0.5f);
    EXPECT_NEAR(c.at(0, 0).a, 0.75f, 1e-5);
    EXPECT_NEAR(c.at(0, 0).b, 0.5f / 0.75f, 1e-4);

    c.put(1, 0, hex(0x400000), 1);
    c.put(1, 0, hex(0x004000), 1, Blend::add);
    EXPECT_NEAR(c.at(1, 0).r, 0x40 / 255.0f, 1e-4);
    EXPECT_NEAR(c.at(1, 0).g, 0x40 / 255.0f, 1e-4);
    c.put(1, 0, hex(0xffffff), 0.25f, Blend::erase);
    EXPECT_NEAR(c.at(1, 0).a, 0.75f, 1e-5);
}

TEST(Shapes, CircleCoverageIsItsAreaWithSoftEdges)
{
    Canvas c(40, 40);
    const float r = 10.25f;
    fill(c, {{20, 20}, 1}, circle({0, 0}, r), hex(0xffffff));
    EXPECT_NEAR(alphaSum(c), kPi * r * r, kPi * r * r * 0.01);
    EXPECT_FLOAT_EQ(c.at(20, 20).a, 1);
    EXPECT_FLOAT_EQ(c.at(29, 19).a, 1);
    EXPECT_FLOAT_EQ(c.at(2, 2).a, 0);
    // The pixel the rim crosses, a quarter pixel in, is partly covered.
    EXPECT_NEAR(c.at(30, 19).a, 0.24f, 0.05f);
}

TEST(Shapes, ViewScalesAndTurnsAShape)
{
    Canvas c(60, 60);
    // A bar along +x, doubled and turned a quarter: it now runs down.
    fill(c, {{30, 30}, 2, kPi / 2}, rect({6, 0}, 6, 1), hex(0xffffff));
    EXPECT_FLOAT_EQ(c.at(30, 50).a, 1);
    EXPECT_FLOAT_EQ(c.at(50, 30).a, 0);
    EXPECT_NEAR(alphaSum(c), 24 * 4, 1.0);
}

TEST(Shapes, CombinationsFollowSetRules)
{
    Shape a = circle({0, 0}, 5), b = circle({4, 0}, 5);
    EXPECT_LT(unite(a, b).distance({8, 0}), 0);
    EXPECT_GT(intersect(a, b).distance({-3, 0}), 0);
    EXPECT_GT(subtract(a, b).distance({2, 0}), 0);
    EXPECT_LT(subtract(a, b).distance({-3, 0}), 0);
    EXPECT_LT(mirrorY(circle({0, -5}, 1)).distance({0, 5}), 0);
    EXPECT_LT(radial(circle({5, 0}, 1), 4).distance({0, -5}), 0);
    EXPECT_NEAR(polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).distance({5, 5}), -5, 1e-4);
    EXPECT_NEAR(polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).distance({13, 14}), 5, 1e-4);
}

TEST(Shapes, GlowFadesWithDistance)
{
    Canvas c(60, 20);
    glow(c, {{10, 10}, 1}, circle({0, 0}, 2), hex(0xffffff), 30);
    EXPECT_GT(c.at(15, 10).a, c.at(25, 10).a);
    EXPECT_GT(c.at(25, 10).a, c.at(35, 10).a);
    EXPECT_FLOAT_EQ(c.at(55, 10).a, 0);
}

TEST(Noise, RandomSourceRepeatsForASeed)
{
    Rng a(7), b(7), other(8);
    bool differs = false;
    for (int i = 0; i < 100; i++) {
        float x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        EXPECT_GE(x, 0);
        EXPECT_LT(x, 1);
        differs |= x != other.uniform();
        int k = a.below(5);
        b.below(5);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 5);
    }
    EXPECT_TRUE(differs);
}

TEST(Noise, RepeatsAcrossItsPeriod)
{
    bool varies = false;
    for (float x = 0; x < 4; x += 0.37f)
        for (float y = 0; y < 4; y += 0.41f) {
            EXPECT_NEAR(periodicNoise(x, y, 4, 3), periodicNoise(x + 4, y - 8, 4, 3), 1e-4);
            EXPECT_NEAR(fbm(x, y, 4, 4, 3), fbm(x - 4, y + 4, 4, 4, 3), 1e-4);
            varies |= std::fabs(fbm(x, y, 4, 4, 3)) > 0.1f;
        }
    EXPECT_TRUE(varies);
}

TEST(Text, LinesMeasureAndRenderWithTheGameFont)
{
    Font f(kFontBold, 20);
    TextBox one = f.measure("T"), word = f.measure("TETHER");
    EXPECT_GT(word.advance, 4 * one.advance);
    EXPECT_LT(word.top, 0); // capitals stand above the baseline
    EXPECT_GT(f.measure("TETHER", 5).advance, word.advance);
    Mask m = textMask(f, "TETHER", 3);
    EXPECT_EQ(m.w, word.right - word.left + 6);
    float ink = 0;
    for (float a : m.a)
        ink += a;
    EXPECT_GT(ink, 100);
    EXPECT_FLOAT_EQ(m.at(0, 0), 0);
}

TEST(Text, MissingFontStopsTheGenerator)
{
    ChildResult r = runInChild([] { Font f("/nonexistent/font.ttf", 12); });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.status, 1);
}

TEST(Text, BlurKeepsInkAndThickeningSpreadsIt)
{
    Mask m(21, 21);
    m.a[10 * 21 + 10] = 1;
    Mask soft = blurred(m, 2);
    float total = 0;
    for (float a : soft.a)
        total += a;
    EXPECT_NEAR(total, 1, 1e-4);
    EXPECT_LT(soft.at(10, 10), 0.5f);
    Mask thick = thickened(m, 2);
    EXPECT_FLOAT_EQ(thick.at(11, 10), 1);
    EXPECT_NEAR(thick.at(12, 10), 0.5f, 1e-5); // the edge is soft
    EXPECT_FLOAT_EQ(thick.at(14, 10), 0);
}

TEST(Text, HalosFadeAtTheBordersOfTheirImage)
{
    Canvas c(12, 12);
    c.fillAll(hex(0xffffff, 0.5f));
    Mask m = fadedAtEdges(alphaMask(c), 3);
    EXPECT_FLOAT_EQ(m.at(0, 6), 0);
    EXPECT_FLOAT_EQ(m.at(6, 11), 0);
    EXPECT_GT(m.at(1, 6), 0);
    EXPECT_LT(m.at(1, 6), 0.5f);
    EXPECT_FLOAT_EQ(m.at(6, 6), 0.5f);
}

TEST(Png, SavedImagesLoadBackThroughSdlImage)
{
    Canvas c(3, 2);
    c.put(0, 0, hex(0xff8000), 1);
    c.put(1, 0, hex(0x00ff00), 0.5f);
    c.put(2, 1, hex(0x123456), 0.2f);
    std::string dir = makeTempDir(), path = dir + "/round.png";
    ASSERT_TRUE(c.savePng(path));
    Picture p = loadPicture(path);
    ASSERT_EQ(p.w, 3);
    ASSERT_EQ(p.h, 2);
    EXPECT_EQ(p.at(0, 0).a, 255);
    EXPECT_NEAR(p.at(0, 0).g, 0x80, 1);
    EXPECT_EQ(p.at(1, 0).a, 128);
    EXPECT_NEAR(p.at(1, 0).g, 255, 1);
    EXPECT_EQ(p.at(2, 1).a, 51);
    EXPECT_EQ(p.at(0, 1).a, 0);
    EXPECT_FALSE(c.savePng(dir + "/missing/folder/x.png"));
    removeTree(dir);
}

} // namespace
