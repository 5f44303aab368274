// The window in the browser: the page's canvas at the game's size, always
// at scale 1 (the page scales it to fit, with crisp pixels). A frame drawn
// by our canvas into memory is shown with one copy into the canvas
// (showPixels, the browser's own); full
// screen is the page's (its button, F11, or the game's own key).
#include "platform/window.h"

#include "content/assets.h"
#include "platform/settings.h"
#include "platform/showpixels.h"
#include "render/screencanvas.h"

#include <emscripten.h>

#include <cstdio>
#include <vector>

namespace tether {

int windowScale = 1;

namespace {

// clang-format off
EM_JS(void, togglePageFullscreen, (), {
    if (Module.tetherToggleFullscreen)
        Module.tetherToggleFullscreen();
});
// clang-format on

// clang-format off
EM_JS(int, pageIsFullscreen, (), { return document.fullscreenElement ? 1 : 0; });
// clang-format on

// clang-format off
EM_JS(void, putFrame, (const uint8_t* rgba, int width, int height), {
    const canvas = Module.canvas;
    if (!canvas)
        return;
    if (!Module.tetherFrame || Module.tetherFrame.width != width
        || Module.tetherFrame.height != height) {
        Module.tetherContext = canvas.getContext('2d');
        Module.tetherFrame = Module.tetherContext.createImageData(width, height);
    }
    Module.tetherFrame.data.set(HEAPU8.subarray(rgba, rgba + width * height * 4));
    Module.tetherContext.putImageData(Module.tetherFrame, 0, 0);
});
// clang-format on

std::vector<uint8_t> rgbaFrame; // the frame's bytes as the page's canvas takes them

} // namespace

std::string openWindow()
{
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, SDL_SWSURFACE);
    return screen ? std::string() : noVideoMode();
}

bool toggleFullscreen()
{
    togglePageFullscreen();
    return true;
}

bool isFullscreen()
{
    return pageIsFullscreen() != 0;
}

// Shows pixels of 0x00RRGGBB on the page's canvas.
void showPixels(const uint32_t* pixels, int width, int height)
{
    rgbaFrame.resize(static_cast<size_t>(width) * height * 4);
    uint8_t* out = rgbaFrame.data();
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, out += 4) {
            const uint32_t p = row[x];
            out[0] = static_cast<uint8_t>(p >> 16);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p);
            out[3] = 255;
        }
    }
    putFrame(rgbaFrame.data(), width, height);
}

void presentScreen()
{
    if (const uint32_t* pixels = softScreenPixels())
        showPixels(pixels, softScreenWidth, softScreenHeight);
}

// The picture is the page's: there is nothing to flip.
void flipScreen() { }

void toPictureCoordinates(SDL_Event&) { }

int pollEvent(SDL_Event* event)
{
    return SDL_PollEvent(event);
}

void scaleTwice(SDL_Surface*, SDL_Surface*) { }

} // namespace tether
