// The desktop's way to show the software canvas's frame: one lock of the
// picture, rows copied as they are when its pixels are 0x00RRGGBB (the
// usual 32-bit mode), mapped pixel by pixel otherwise, then the flip.
#include "platform/showpixels.h"

#include "content/assets.h"
#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace tether {

void showPixels(const uint32_t* pixels, int width, int height)
{
    if (!screen || screen->format->BytesPerPixel != 4)
        return;
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0)
        return;
    const SDL_PixelFormat* f = screen->format;
    const bool same = f->Rmask == 0xff0000 && f->Gmask == 0xff00 && f->Bmask == 0xff;
    const int w = std::min(width, screen->w), h = std::min(height, screen->h);
    for (int y = 0; y < h; ++y) {
        const uint32_t* from = pixels + static_cast<size_t>(y) * width;
        auto* to
            = reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch);
        if (same) {
            std::memcpy(to, from, static_cast<size_t>(w) * sizeof(Uint32));
            continue;
        }
        for (int x = 0; x < w; ++x)
            to[x] = SDL_MapRGB(f, static_cast<Uint8>(from[x] >> 16),
                static_cast<Uint8>(from[x] >> 8), static_cast<Uint8>(from[x]));
    }
    if (SDL_MUSTLOCK(screen))
        SDL_UnlockSurface(screen);
    flipScreen();
}

} // namespace tether
