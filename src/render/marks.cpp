// The volume bar and the replay mark, drawn on the canvas as the other
// words over the picture are (render/overlay.h).
#include "render/marks.h"

#include "render/overlay.h"

#include "render/sdlcanvas.h"

#include <algorithm>

namespace tether {

namespace {

constexpr int pictureWidth = 800;
constexpr int barTop = 32; // below the hint's line
constexpr int segmentWidth = 10, segmentHeight = 8, segmentGap = 3;
constexpr Uint32 litColour = 0xcfefff00; // the overlay's text colour, alpha apart
constexpr Uint32 replayColour = 0xff6a4a00; // warm: not the level's cyan
constexpr Uint32 plateColour = 0x02040a00;

Uint32 withAlpha(Uint32 colour, int alpha)
{
    return (colour & 0xffffff00u) | static_cast<Uint32>(std::clamp(alpha, 0, 255));
}

Sint16 at(int v)
{
    return static_cast<Sint16>(v);
}

} // namespace

Uint8 volumeBarAlpha(Uint32 ageMs)
{
    if (ageMs <= volumeBarShownMs)
        return 255;
    if (ageMs >= volumeBarShownMs + volumeBarFadeMs)
        return 0;
    return static_cast<Uint8>(255 * (volumeBarShownMs + volumeBarFadeMs - ageMs) / volumeBarFadeMs);
}

void drawVolumeBar(Canvas& canvas, const std::string& label, int level, int steps, Uint8 alpha)
{
    if (alpha == 0 || steps <= 0)
        return;
    const int labelWidth = glyphSize * static_cast<int>(label.size());
    const int barWidth = steps * (segmentWidth + segmentGap) - segmentGap;
    const int width = labelWidth + glyphSize + barWidth;
    const int left = (pictureWidth - width) / 2;
    canvas.box(at(left - 8), at(barTop - 5), at(left + width + 7), at(barTop + segmentHeight + 4),
        withAlpha(plateColour, alpha * 3 / 5));
    canvas.text(at(left), at(barTop), label.c_str(), withAlpha(litColour, alpha));
    const int barLeft = left + labelWidth + glyphSize;
    for (int i = 0; i < steps; ++i) {
        const int x = barLeft + i * (segmentWidth + segmentGap);
        if (i < level)
            canvas.box(at(x), at(barTop), at(x + segmentWidth - 1), at(barTop + segmentHeight - 1),
                withAlpha(litColour, alpha));
        else
            canvas.outline(at(x), at(barTop), at(x + segmentWidth - 1),
                at(barTop + segmentHeight - 1), withAlpha(litColour, alpha / 2));
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawVolumeBar(SDL_Surface* screen, const std::string& label, int level, int steps, Uint8 alpha)
{
    SdlCanvas canvas(screen);
    drawVolumeBar(canvas, label, level, steps, alpha);
}
#endif

void drawReplayMark(Canvas& canvas, const std::string& map, const std::string& ship)
{
    const std::string detail = map + ", " + ship;
    const int width = std::max(6 * glyphSize * 2, glyphSize * static_cast<int>(detail.size()));
    canvas.box(at(6), at(6), at(6 + width + 11), at(6 + 16 + 4 + glyphSize + 8),
        withAlpha(plateColour, 150));
    drawLargeText(canvas, "REPLAY", 12 + 6 * glyphSize, 10, 2, withAlpha(replayColour, 255));
    canvas.text(at(12), at(30), detail.c_str(), withAlpha(replayColour, 255));
}

#ifndef TETHER_NO_SDL_GFX
void drawReplayMark(SDL_Surface* screen, const std::string& map, const std::string& ship)
{
    SdlCanvas canvas(screen);
    drawReplayMark(canvas, map, ship);
}
#endif

} // namespace tether
