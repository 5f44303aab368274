// The canvas chosen for the run. The desktop's wraps whatever `screen` is
// at the time of the call, so that a switch to full screen (a new surface)
// is drawn on at once; ours keeps one buffer for the whole run.
#include "render/screencanvas.h"

#include "content/assets.h"
#include "render/kept.h"
#include "render/ownfont.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace tether {

namespace {

#ifdef TETHER_NO_SDL_GFX
Drawing chosen = Drawing::software;
#else
Drawing chosen = Drawing::desktop;
std::optional<SdlCanvas> desktopCanvas;
#endif

struct SoftScreen {
    std::vector<uint32_t> pixels;
    SoftCanvas canvas;
    SoftScreen()
        : pixels(static_cast<size_t>(softScreenWidth) * softScreenHeight, 0)
        , canvas(pixels.data(), softScreenWidth, softScreenHeight, softScreenWidth, ownFont,
              readPicture)
    {
    }
};

// Made on first use and kept to the end: drawing may still reach it from
// the exit handlers.
SoftScreen& softScreen()
{
    static auto* made = new SoftScreen;
    return *made;
}

} // namespace

void chooseDrawing(Drawing how)
{
#ifdef TETHER_NO_SDL_GFX
    (void)how;
#else
    chosen = how;
#endif
}

Drawing drawing()
{
    return chosen;
}

Drawing drawingNamed(const char* name)
{
    return name && std::string_view(name) == "software" ? Drawing::software : Drawing::desktop;
}

Canvas& screenCanvas()
{
#ifndef TETHER_NO_SDL_GFX
    if (chosen == Drawing::desktop) {
        if (!desktopCanvas || desktopCanvas->surface() != screen)
            desktopCanvas.emplace(screen);
        return *desktopCanvas;
    }
#endif
    return softScreen().canvas;
}

const uint32_t* softScreenPixels()
{
    return chosen == Drawing::software ? softScreen().pixels.data() : nullptr;
}

std::vector<uint32_t> copyCanvasPixels(Canvas& canvas)
{
    const int w = canvas.width(), h = canvas.height();
    const Pixels lent = canvas.lendPixels();
    std::vector<uint32_t> copy;
    if (lent.rows && w > 0 && h > 0) {
        copy.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            std::copy_n(lent.rows + static_cast<size_t>(y) * lent.stride, w,
                copy.begin() + static_cast<ptrdiff_t>(y) * w);
    }
    canvas.releasePixels();
    return copy;
}

void putCanvasPixels(Canvas& canvas, const std::vector<uint32_t>& copy)
{
    const int w = canvas.width(), h = canvas.height();
    if (copy.size() != static_cast<size_t>(std::max(w, 0)) * static_cast<size_t>(std::max(h, 0))
        || copy.empty())
        return; // made on a picture of another size
    const Pixels lent = canvas.lendPixels();
    if (lent.rows)
        for (int y = 0; y < h; ++y)
            std::copy_n(copy.begin() + static_cast<ptrdiff_t>(y) * w, w,
                lent.rows + static_cast<size_t>(y) * lent.stride);
    canvas.releasePixels();
}

void forgetImageCopies()
{
#ifndef TETHER_NO_SDL_GFX
    forgetKeptImages();
    forgetScaledExplosions();
#endif
    forgetSoftPictures();
}

} // namespace tether
