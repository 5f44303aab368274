// The parallax layers: seamless tiles, an opaque far layer and
// see-through near layers.
#include "art/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

Picture layer(int n)
{
    return gamePicture("worldsprites/space" + std::to_string(n) + ".png");
}

// Mean colour-and-alpha difference between column x0 and column x1.
double columnGap(const Picture& p, int x0, int x1)
{
    double sum = 0;
    for (int y = 0; y < p.h; y++) {
        const Pixel &a = p.at(x0, y), &b = p.at(x1, y);
        sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)
            + std::abs(a.a - b.a);
    }
    return sum / p.h;
}

double rowGap(const Picture& p, int y0, int y1)
{
    double sum = 0;
    for (int x = 0; x < p.w; x++) {
        const Pixel &a = p.at(x, y0), &b = p.at(x, y1);
        sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)
            + std::abs(a.a - b.a);
    }
    return sum / p.w;
}

// The largest step between neighbours that the inside of the tile shows:
// the mean plus three standard deviations over every adjacent pair.
template <typename Gap> double usualStep(int n, Gap gap)
{
    double sum = 0, sq = 0;
    for (int i = 0; i + 1 < n; i++) {
        double g = gap(i, i + 1);
        sum += g;
        sq += g * g;
    }
    double mean = sum / (n - 1);
    return mean + 3 * std::sqrt(std::max(0.0, sq / (n - 1) - mean * mean));
}

TEST(SpaceLayers, TilesWrapWithoutASeam)
{
    for (int n = 1; n <= 4; n++) {
        Picture p = layer(n);
        ASSERT_TRUE(p.loaded()) << n;
        // Across the wrap, neighbours differ no more than they do inside.
        double across = usualStep(p.w, [&](int a, int b) { return columnGap(p, a, b); });
        double down = usualStep(p.h, [&](int a, int b) { return rowGap(p, a, b); });
        EXPECT_LE(columnGap(p, p.w - 1, 0), across + 0.5) << "layer " << n << " left/right";
        EXPECT_LE(rowGap(p, p.h - 1, 0), down + 0.5) << "layer " << n << " top/bottom";
    }
}

TEST(SpaceLayers, FarLayerIsOpaqueAndDark)
{
    Picture p = layer(4);
    ASSERT_TRUE(p.loaded());
    double light = 0;
    for (const Pixel& q : p.px) {
        ASSERT_EQ(q.a, 255);
        light += q.light();
    }
    EXPECT_LT(light / p.px.size(), 0.12);
}

TEST(SpaceLayers, NearLayersAreSparseAndBrighterTowardsTheViewer)
{
    double brightest[4] = {};
    for (int n = 1; n <= 3; n++) {
        Picture p = layer(n);
        ASSERT_TRUE(p.loaded());
        size_t clear = 0;
        for (const Pixel& q : p.px) {
            clear += q.a < 16;
            brightest[n] += q.a / 255.0;
        }
        EXPECT_GT(clear, p.px.size() * 8 / 10) << "layer " << n << " hides what is behind it";
    }
    // Layer 1 has the largest stars: the most light per star is on it.
    EXPECT_GT(brightest[1] / 40, brightest[3] / 260);
}

TEST(Radar, FaceIsADarkDiscWithClearCorners)
{
    Picture r = gamePicture("main/radar.png");
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.at(2, 2).a, 0);
    EXPECT_EQ(r.at(197, 197).a, 0);
    EXPECT_GT(r.at(100, 60).a, 100);
    // Dots drawn over it must stand out: the face is mostly dark.
    double light = 0;
    int n = 0;
    for (int y = 20; y < 180; y++)
        for (int x = 20; x < 180; x++) {
            light += r.at(x, y).light();
            n++;
        }
    EXPECT_LT(light / n, 0.2);
}

} // namespace
