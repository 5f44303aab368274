// The parallax background: four layers of tiles, the nearest moving most.
#include "render/background.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "render/sdlcanvas.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// A layer repeats every tile's width of its offset times its divisor. Far
// out (a ship that has crossed a huge world many times, or a broken value)
// the offset is taken modulo that period first: the picture is the same and
// the tile numbers below stay small enough for an int. Nearer in, where a
// float still holds whole pixels, the offset is used as it is.
constexpr float farOffset = 16777216.0f; // 2^24

float repeatedOffset(float offset, float period)
{
    if (!std::isfinite(offset))
        return 0.0f;
    if (std::fabs(offset) < farOffset || !(period > 0.0f))
        return offset;
    return static_cast<float>(std::fmod(static_cast<double>(offset), static_cast<double>(period)));
}

void drawLayer(Canvas& canvas, SDL_Surface* tile, float divisor, int cameraX, int cameraY)
{
    const int tw = tile->w, th = tile->h;
    // backx/backy carry the world sizes crossed, so a wrap of the ship does
    // not jump the background.
    const float ox = repeatedOffset(static_cast<float>(cameraX) + world().backx, tw * divisor);
    const float oy = repeatedOffset(static_cast<float>(cameraY) + world().backy, th * divisor);
    const int columns = canvas.width() / tw + 2;
    const int rows = canvas.height() / th + 2;
    const int firstColumn = static_cast<int>(ox * (1.0f / (tw * divisor)));
    const int firstRow = static_cast<int>(oy * (1.0f / (divisor * th)));
    // One extra tile on each side covers the screen for any offset.
    for (int c = -1; c < columns; ++c) {
        for (int r = -1; r < rows; ++r) {
            const Sint16 x = static_cast<Sint16>(static_cast<int>(
                static_cast<float>(tw * (firstColumn + c)) - ox * (1.0f / divisor)));
            const Sint16 y = static_cast<Sint16>(
                static_cast<int>(static_cast<float>(th * (firstRow + r)) - oy * (1.0f / divisor)));
            canvas.blit(pictureOf(tile), x, y);
        }
    }
}

// The alpha SDL 1.2 keeps for a whole surface in its format; the browser's
// SDL keeps none (its images blend by their pixels' own alpha).
Uint8 surfaceAlpha(const SDL_Surface* surface)
{
#ifdef __EMSCRIPTEN__
    (void)surface;
    return SDL_ALPHA_OPAQUE;
#else
    return surface->format->alpha;
#endif
}

} // namespace

bool backgroundCoversScreen()
{
    const SDL_Surface* farthest = backgroundLayers[backgroundLayerCount - 1];
    const float divisor = layerDivisors[backgroundLayerCount - 1];
    if (!farthest || farthest->w <= 0 || farthest->h <= 0 || !(divisor > 0.0f)
        || !std::isfinite(divisor) || (farthest->flags & SDL_SRCCOLORKEY))
        return false;
    // A tile in the display's layout keeps the loaded image's alpha flag, but
    // without an alpha channel and at full alpha it blits opaque.
    return !(farthest->flags & SDL_SRCALPHA)
        || (farthest->format->Amask == 0 && surfaceAlpha(farthest) == 255);
}

void drawBackground(Canvas& canvas, int cameraX, int cameraY)
{
    for (int layer = backgroundLayerCount - 1; layer >= 0; --layer) {
        if (SDL_Surface* tile = backgroundLayers[layer])
            drawLayer(canvas, tile, layerDivisors[layer], cameraX, cameraY);
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawBackground(SDL_Surface* screen, int cameraX, int cameraY)
{
    SdlCanvas canvas(screen);
    drawBackground(canvas, cameraX, cameraY);
}
#endif

} // namespace tether
