// A fixture for drawing tests: an empty world, a black 800 by 600 canvas in
// the screen's layout, every image the drawing code reads set to null (the
// test puts in what it needs), and helpers to make images and read pixels.
#pragma once

#include "content/assets.h"
#include "content/tuning.h"
#include "render/draw.h"
#include "support/world_fixture.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

class RenderTest : public WorldTest {
protected:
    SDL_Surface* canvas = nullptr;

    void SetUp() override
    {
        WorldTest::SetUp();
        saved = Images::take();
        tether::forgetScaledExplosions();
        Images {}.put();
        canvas = makeCanvas();
    }

    void TearDown() override
    {
        saved.put();
        tether::forgetScaledExplosions();
        for (SDL_Surface* s : made)
            SDL_FreeSurface(s);
        made.clear();
        WorldTest::TearDown();
    }

    // A black surface of the screen's size and layout (no alpha).
    SDL_Surface* makeCanvas(int w = 800, int h = 600)
    {
        return keep(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0));
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

    // The pixel at (x, y) as 0xRRGGBB.
    static Uint32 rgb(SDL_Surface* s, int x, int y)
    {
        const Uint32 raw = static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
        Uint8 r, g, b;
        SDL_GetRGB(raw, s->format, &r, &g, &b);
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
                if (rgb(s, x, y) != 0) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y);
                    x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        SDL_Rect r;
        r.x = static_cast<Sint16>(x0);
        r.y = static_cast<Sint16>(y0);
        r.w = static_cast<Uint16>(x1 >= x0 ? x1 - x0 + 1 : 0);
        r.h = static_cast<Uint16>(y1 >= y0 ? y1 - y0 + 1 : 0);
        return r;
    }

private:
    // Every global image and value the drawing code reads.
    struct Images {
        SDL_Surface* digits[11] = {};
        SDL_Surface* flames[3] = {};
        SDL_Surface* bfgflames[10] = {};
        SDL_Surface* explosions[10] = {};
        SDL_Surface *shredder = nullptr, *bfgshot = nullptr, *shieldSprite = nullptr;
        SDL_Surface *hudImage = nullptr, *radarImage = nullptr, *cursorImage = nullptr;
        SDL_Surface* chainImage = nullptr;
        SDL_Surface* backgroundLayers[tether::backgroundLayerCount] = {};
        float layerDivisors[tether::backgroundLayerCount] = {};
        float grapNumLinks = 0;
        float enHealth[tether::enemyClassCount] = {};

        static Images take()
        {
            namespace t = tether;
            Images i;
            std::copy(std::begin(t::digits), std::end(t::digits), i.digits);
            std::copy(std::begin(t::flames), std::end(t::flames), i.flames);
            std::copy(std::begin(t::bfgflames), std::end(t::bfgflames), i.bfgflames);
            std::copy(std::begin(t::explosions), std::end(t::explosions), i.explosions);
            std::copy(
                std::begin(t::backgroundLayers), std::end(t::backgroundLayers), i.backgroundLayers);
            std::copy(std::begin(t::enHealth), std::end(t::enHealth), i.enHealth);
            std::copy(std::begin(t::layerDivisors), std::end(t::layerDivisors), i.layerDivisors);
            i.shredder = t::shredder, i.bfgshot = t::bfgshot, i.shieldSprite = t::shieldSprite;
            i.hudImage = t::hudImage, i.radarImage = t::radarImage;
            i.cursorImage = t::cursorImage, i.chainImage = t::chainImage;
            i.grapNumLinks = t::grapNumLinks;
            return i;
        }

        void put() const
        {
            namespace t = tether;
            std::copy(std::begin(digits), std::end(digits), t::digits);
            std::copy(std::begin(flames), std::end(flames), t::flames);
            std::copy(std::begin(bfgflames), std::end(bfgflames), t::bfgflames);
            std::copy(std::begin(explosions), std::end(explosions), t::explosions);
            std::copy(
                std::begin(backgroundLayers), std::end(backgroundLayers), t::backgroundLayers);
            std::copy(std::begin(enHealth), std::end(enHealth), t::enHealth);
            std::copy(std::begin(layerDivisors), std::end(layerDivisors), t::layerDivisors);
            t::shredder = shredder, t::bfgshot = bfgshot, t::shieldSprite = shieldSprite;
            t::hudImage = hudImage, t::radarImage = radarImage;
            t::cursorImage = cursorImage, t::chainImage = chainImage;
            t::grapNumLinks = grapNumLinks;
        }
    };

    Images saved;
    std::vector<SDL_Surface*> made;
};
