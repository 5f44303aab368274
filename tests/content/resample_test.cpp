// Our resampling makes the very pixels SDL_gfx makes (the browser's build
// has only ours): random images turned, and scaled with and without
// smoothing, by random amounts, compared with rotozoomSurface and
// zoomSurface word for word, sizes included.
#include "content/resample.h"

#include <SDL.h>
#include <SDL_rotozoom.h>
#include <gtest/gtest.h>

#include <random>

using namespace tether;

namespace {

// How many words of ours differ from the surface's, or -1 when the sizes do.
int wordsApart(SDL_Surface* theirs, const Raster& ours)
{
    if (!theirs || theirs->w != ours.w || theirs->h != ours.h)
        return -1;
    int apart = 0;
    for (int y = 0; y < ours.h; ++y)
        for (int x = 0; x < ours.w; ++x)
            apart += static_cast<uint32_t*>(theirs->pixels)[y * theirs->pitch / 4 + x]
                != ours.pixels[static_cast<size_t>(y) * ours.w + x];
    SDL_FreeSurface(theirs);
    return apart;
}

} // namespace

TEST(Resample, TurnsAndScalesAsSdlGfxDoes)
{
    std::mt19937 random(7);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(random() % 70), h = 1 + static_cast<int>(random() % 50);
        SDL_Surface* image = SDL_CreateRGBSurface(
            SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
        ASSERT_NE(image, nullptr);
        for (int i = 0; i < w * h; ++i)
            static_cast<uint32_t*>(image->pixels)[i] = static_cast<uint32_t>(random());
        const RasterView view {static_cast<const uint32_t*>(image->pixels), w, h, image->pitch / 4};
        // Whole quarter turns and no turn at all among the random angles.
        const double degrees = round % 8 == 0 ? 90.0 * (round / 8) : uniform(-360, 360);
        const double zoomX = uniform(0.2, 3), zoomY = uniform(0.2, 3);
        SCOPED_TRACE(testing::Message()
            << w << "x" << h << ", " << degrees << " degrees, zoom " << zoomX << " by " << zoomY);
        EXPECT_EQ(
            wordsApart(rotozoomSurface(image, degrees, 1.0, SMOOTHING_ON), turned(view, degrees)),
            0);
        EXPECT_EQ(wordsApart(zoomSurface(image, zoomX, zoomY, SMOOTHING_ON),
                      zoomed(view, zoomX, zoomY, true)),
            0);
        EXPECT_EQ(wordsApart(zoomSurface(image, zoomX, zoomY, SMOOTHING_OFF),
                      zoomed(view, zoomX, zoomY, false)),
            0);
        SDL_FreeSurface(image);
    }
}
