// A fixture for drawing tests: an empty world, a black 800 by 600 canvas in
// the screen's layout, every image the drawing code reads set to null (a
// test puts in what it needs), and helpers to make images and read pixels.
#pragma once

#include "content/assets.h"
#include "content/tuning.h"
#include "render/draw.h"
#include "render/kept.h"
#include "render/presentation.h"
#include "support/world_fixture.h"

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

class RenderTest : public WorldTest {
protected:
    SDL_Surface* canvas = nullptr;

    void SetUp() override
    {
        WorldTest::SetUp();
        using namespace tether;
        for (auto [table, count] :
            std::vector<std::pair<SDL_Surface**, int>> {{digits, 11}, {flames, 3}, {bfgflames, 10},
                {explosions, 10}, {backgroundLayers, backgroundLayerCount}, {&shredder, 1},
                {&bfgshot, 1}, {&shieldSprite, 1}, {&hudImage, 1}, {&radarImage, 1},
                {&cursorImage, 1}, {&chainImage, 1}})
            for (int i = 0; i < count; ++i)
                savedImages.push_back({table + i, std::exchange(table[i], nullptr)});
        for (auto [values, count] : std::vector<std::pair<float*, int>> {
                 {&writableTuning().grapNumLinks, 1}, {writableTuning().enHealth, enemyClassCount},
                 {layerDivisors, backgroundLayerCount}})
            for (int i = 0; i < count; ++i)
                savedValues.push_back({values + i, std::exchange(values[i], 0.0f)});
        forgetScaledExplosions();
        forgetKeptImages();
        forgetShownHits();
        drawnStep = -1;
        canvas = makeCanvas();
    }

    void TearDown() override
    {
        for (auto [global, value] : savedImages)
            *global = value;
        for (auto [global, value] : savedValues)
            *global = value;
        tether::forgetScaledExplosions();
        tether::forgetKeptImages();
        tether::forgetLensTables();
        tether::forgetShownHits();
        tether::drawnStep = -1;
        for (SDL_Surface* s : made)
            SDL_FreeSurface(s);
        WorldTest::TearDown();
    }

    // A black surface of the screen's size and layout (no alpha).
    SDL_Surface* makeCanvas()
    {
        return keep(SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0));
    }

    // An image of one colour with per-pixel alpha, as images are loaded.
    SDL_Surface* solid(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255)
    {
        SDL_Surface* s = keep(
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff000000, 0xff0000, 0xff00, 0xff));
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, a));
        return s;
    }

    SDL_Surface* keep(SDL_Surface* s)
    {
        made.push_back(s);
        return s;
    }

    void clear() { SDL_FillRect(canvas, nullptr, 0); }

    // The pixel at (x, y) as 0xRRGGBB.
    static Uint32 rgb(SDL_Surface* s, int x, int y)
    {
        Uint8 r, g, b;
        SDL_GetRGB(static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x], s->format, &r, &g, &b);
        return (Uint32(r) << 16) | (Uint32(g) << 8) | b;
    }

    // Alpha blending over a coloured pixel may be off by one in a channel.
    static ::testing::AssertionResult closeColour(Uint32 actual, Uint32 expected)
    {
        for (int shift : {16, 8, 0}) {
            const int a = (actual >> shift) & 0xff, e = (expected >> shift) & 0xff;
            if (a - e > 2 || e - a > 2)
                return ::testing::AssertionFailure()
                    << std::hex << "colour 0x" << actual << " is not near 0x" << expected;
        }
        return ::testing::AssertionSuccess();
    }

    static int countColour(SDL_Surface* s, Uint32 colour)
    {
        int n = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                n += rgb(s, x, y) == colour;
        return n;
    }

    static int countLit(SDL_Surface* s) { return s->w * s->h - countColour(s, 0); }

    static bool sameImage(SDL_Surface* a, SDL_Surface* b)
    {
        for (int y = 0; y < a->h; ++y)
            for (int x = 0; x < a->w; ++x)
                if (rgb(a, x, y) != rgb(b, x, y))
                    return false;
        return true;
    }

    // Smallest rectangle holding every pixel that is not black.
    static SDL_Rect litBounds(SDL_Surface* s)
    {
        int x0 = s->w, y0 = s->h, x1 = -1, y1 = -1;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                if (rgb(s, x, y) != 0)
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x),
                    y1 = std::max(y1, y);
        return {static_cast<Sint16>(x0), static_cast<Sint16>(y0),
            static_cast<Uint16>(std::max(0, x1 - x0 + 1)),
            static_cast<Uint16>(std::max(0, y1 - y0 + 1))};
    }

private:
    std::vector<std::pair<SDL_Surface**, SDL_Surface*>> savedImages;
    std::vector<std::pair<float*, float>> savedValues;
    std::vector<SDL_Surface*> made;
};
