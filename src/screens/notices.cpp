#include "screens/notices.h"
#include "content/worldinuse.h"

#include "platform/settings.h"
#include "render/marks.h"
#include "render/overlay.h"
#include "render/sdlcanvas.h"
#include "screens/frame.h"
#include "screens/helptext.h"
#include "screens/hints.h"
#include "world/stats.h"
#include "world/world.h"

namespace tether {

namespace {

std::string notice;
Uint32 noticeShownAt = 0;

std::string volumeLabel;
int volumeLevel = 0;
Uint32 volumeShownAt = 0;

std::string replayMap; // empty: the level is being played
int replayShip = 0;

constexpr int hintY = 12, noticeY = 32;
constexpr const char* middleDot = "\xfa"; // in the built-in font's code page

} // namespace

void showNotice(const std::string& text)
{
    notice = text;
    noticeShownAt = SDL_GetTicks();
}

void showVolume(const std::string& label, int level)
{
    volumeLabel = label;
    volumeLevel = level;
    volumeShownAt = SDL_GetTicks();
}

void markReplay(const std::string& map, int ship)
{
    replayMap = map;
    replayShip = ship;
}

int hintAlpha(long long gameTime)
{
    if (gameTime <= hintShownMs)
        return 255;
    if (gameTime >= hintShownMs + hintFadeMs)
        return 0;
    return static_cast<int>(255 * (hintShownMs + hintFadeMs - gameTime) / hintFadeMs);
}

void drawNotices(Canvas& canvas)
{
    const int alpha = hintAlpha(world().levelStats.gameTime);
    if (alpha > 0)
        drawHint(canvas,
            keyLabel(Command::help) + " controls " + middleDot + " " + keyLabel(Command::pause)
                + " pause",
            hintY, static_cast<Uint8>(alpha));
    if (!notice.empty() && SDL_GetTicks() - noticeShownAt < noticeShownMs)
        drawHint(canvas, notice, noticeY, 255);
    if (!volumeLabel.empty())
        drawVolumeBar(canvas, volumeLabel, volumeLevel, volumeSteps,
            volumeBarAlpha(SDL_GetTicks() - volumeShownAt));
    if (!replayMap.empty())
        drawReplayMark(canvas, replayMap, shipName(replayShip - 1));
    else
        drawHints(canvas, cameraX, cameraY);
}

#ifndef TETHER_NO_SDL_GFX
void drawNotices(SDL_Surface* screen)
{
    SdlCanvas canvas(screen);
    drawNotices(canvas);
}
#endif

} // namespace tether
