#include "render/background.h"

#include "content/assets.h"
#include "world/world.h"

namespace tether {

namespace {

void drawLayer(SDL_Surface* screen, SDL_Surface* tile, float divisor, int cameraX, int cameraY)
{
    const int tw = tile->w, th = tile->h;
    // backx/backy carry the world sizes crossed, so a wrap of the ship does
    // not jump the background.
    const float ox = static_cast<float>(cameraX) + backx;
    const float oy = static_cast<float>(cameraY) + backy;
    const int columns = screen->w / tw + 2;
    const int rows = screen->h / th + 2;
    const int firstColumn = static_cast<int>(ox * (1.0f / (tw * divisor)));
    const int firstRow = static_cast<int>(oy * (1.0f / (divisor * th)));
    // One extra tile on each side covers the screen for any offset.
    for (int c = -1; c < columns; ++c) {
        for (int r = -1; r < rows; ++r) {
            SDL_Rect at;
            at.x = static_cast<Sint16>(static_cast<int>(
                static_cast<float>(tw * (firstColumn + c)) - ox * (1.0f / divisor)));
            at.y = static_cast<Sint16>(
                static_cast<int>(static_cast<float>(th * (firstRow + r)) - oy * (1.0f / divisor)));
            SDL_BlitSurface(tile, nullptr, screen, &at);
        }
    }
}

} // namespace

void drawBackground(SDL_Surface* screen, int cameraX, int cameraY)
{
    for (int layer = backgroundLayerCount - 1; layer >= 0; --layer) {
        if (SDL_Surface* tile = backgroundLayers[layer])
            drawLayer(screen, tile, layerDivisors[layer], cameraX, cameraY);
    }
}

} // namespace tether
