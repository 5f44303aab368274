#include "platform/window.h"

#include "content/assets.h"
#include "platform/display.h"
#include "platform/settings.h"
#include "platform/showpixels.h"
#include "render/screencanvas.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tether {

int windowScale = 1;

namespace {

SDL_Surface* window = nullptr; // the video surface; `screen` itself at scale 1
bool fullscreen = false;
int desktopWidth = 0, desktopHeight = 0; // the screen's size before the first mode

// The window at scale, full screen or not; null when SDL cannot make it.
SDL_Surface* setMode(int scale, bool full)
{
    return SDL_SetVideoMode(
        screenWidth * scale, screenHeight * scale, 32, full ? SDL_FULLSCREEN : 0);
}

SDL_Surface* ownPicture = nullptr; // the picture at scale 2

// Opens the mode: full screen if asked and possible, at the settings' scale
// where it fits, and points `screen` at the picture, which keeps what it
// showed.
bool changeMode(bool wantFullscreen)
{
    fullscreen = wantFullscreen && displayModeFlags() == SDL_FULLSCREEN;
    int scale = settings.scale;
    // A window larger than the screen would hang off its edges: the same
    // fallback as full screen.
    if (scale == 2 && desktopWidth > 0
        && (desktopWidth < screenWidth * 2 || desktopHeight < screenHeight * 2)) {
        std::printf("The screen is smaller than %dx%d: drawing at scale 1\n", screenWidth * 2,
            screenHeight * 2);
        std::fflush(stdout);
        scale = 1;
    }
    // The picture is carried across the change through the canvas (SDL
    // frees the old video surface); our software canvas keeps its own.
    const std::vector<uint32_t> kept = copyCanvasPixels(screenCanvas());
    window = setMode(scale, fullscreen);
    if (!window && scale == 2) {
        scale = 1;
        window = setMode(scale, fullscreen);
    }
    windowScale = scale;
    if (window && scale == 2 && !ownPicture) {
        const SDL_PixelFormat* f = window->format;
        ownPicture = SDL_CreateRGBSurface(
            SDL_SWSURFACE, screenWidth, screenHeight, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    } else if (scale == 1 && ownPicture) {
        SDL_FreeSurface(ownPicture);
        ownPicture = nullptr;
    }
    screen = scale == 2 ? ownPicture : window;
    if (screen)
        putCanvasPixels(screenCanvas(), kept);
    return screen != nullptr;
}

} // namespace

std::string openWindow()
{
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        desktopWidth = info->current_w;
        desktopHeight = info->current_h;
    }
    return changeMode(settings.fullscreen) ? std::string() : noVideoMode();
}

bool toggleFullscreen()
{
    settings.fullscreen = !fullscreen;
    keepSetting("fullscreen");
    return changeMode(settings.fullscreen) || changeMode(!settings.fullscreen);
}

bool isFullscreen()
{
    return fullscreen;
}

void presentScreen()
{
    if (const uint32_t* pixels = softScreenPixels()) {
        showPixels(pixels, softScreenWidth, softScreenHeight);
        return;
    }
    flipScreen();
}

void flipScreen()
{
    if (windowScale == 2 && window && screen != window) {
        scaleTwice(screen, window);
        SDL_Flip(window);
        return;
    }
    SDL_Flip(screen);
}

void toPictureCoordinates(SDL_Event& event)
{
    if (windowScale == 1)
        return;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        event.motion.x = static_cast<Uint16>(event.motion.x / windowScale);
        event.motion.y = static_cast<Uint16>(event.motion.y / windowScale);
        event.motion.xrel = static_cast<Sint16>(event.motion.xrel / windowScale);
        event.motion.yrel = static_cast<Sint16>(event.motion.yrel / windowScale);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        event.button.x = static_cast<Uint16>(event.button.x / windowScale);
        event.button.y = static_cast<Uint16>(event.button.y / windowScale);
        break;
    default: break;
    }
}

int pollEvent(SDL_Event* event)
{
    const int got = SDL_PollEvent(event);
    if (got)
        toPictureCoordinates(*event);
    return got;
}

// Row by row: each source row doubled into one row of to, then that row
// copied below it. 32-bit pixels, so a pixel's two copies are one 64-bit
// store, which the compiler vectorises.
void scaleTwice(SDL_Surface* from, SDL_Surface* to)
{
    if (SDL_MUSTLOCK(from) && SDL_LockSurface(from) < 0)
        return;
    if (SDL_MUSTLOCK(to) && SDL_LockSurface(to) < 0) {
        if (SDL_MUSTLOCK(from))
            SDL_UnlockSurface(from);
        return;
    }
    const int w = from->w;
    const size_t doubledRow = static_cast<size_t>(w) * 2 * sizeof(Uint32);
    for (int y = 0; y < from->h; ++y) {
        const Uint32* in = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(from->pixels) + y * from->pitch);
        Uint8* top = static_cast<Uint8*>(to->pixels) + 2 * y * to->pitch;
        for (int x = 0; x < w; ++x) {
            const uint64_t pair = in[x] | static_cast<uint64_t>(in[x]) << 32;
            std::memcpy(top + 8 * x, &pair, sizeof pair);
        }
        std::memcpy(top + to->pitch, top, doubledRow);
    }
    if (SDL_MUSTLOCK(to))
        SDL_UnlockSurface(to);
    if (SDL_MUSTLOCK(from))
        SDL_UnlockSurface(from);
}

} // namespace tether
