#include "screens/pause.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "platform/audio.h"
#include "platform/gamepad.h"
#include "platform/settings.h"
#include "platform/window.h"
#include "render/overlay.h"
#include "render/screencanvas.h"
#include "screens/commands.h"
#include "screens/frame.h"
#include "screens/helptext.h"
#include "world/stats.h"
#include "world/world.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace tether {

namespace {

enum class PauseStep { stay, redraw, resume };

// The frame the level stopped on, put back under the pause screen's veil
// at each redraw.
void drawPause(const PauseScreen& pause)
{
    Canvas& canvas = screenCanvas();
    putCanvasPixels(canvas, pause.lastFrame);
    drawPauseScreen(canvas, Picture {}, pause.lines);
    presentScreen();
}

std::vector<std::string> pauseLines()
{
    std::vector<std::string> lines = controlsText(world().chosenShip);
    lines.push_back("");
    lines.push_back("#Time so far " + clockText(world().levelStats.gameTime));
    lines.push_back(keyLabel(Command::pause) + " or a click: resume   " + keyLabel(Command::restart)
        + ": restart   " + keyLabel(Command::leave) + ": leave the level");
    return lines;
}

PauseStep takeKey(SDLKey key)
{
    if (isBound(Command::pause, key) || isBound(Command::help, key))
        return PauseStep::resume;
    if (isBound(Command::restart, key)) {
        levelRequests.restart = true;
        return PauseStep::resume;
    }
    if (isBound(Command::leave, key)) {
        levelRequests.leave = true;
        return PauseStep::resume;
    }
    if (isBound(Command::fullscreen, key)) {
        if (toggleFullscreen())
            return PauseStep::redraw;
        levelRequests.windowLost = true;
        return PauseStep::resume;
    }
    return PauseStep::stay;
}

PauseStep takeEvent(SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: levelRequests.quit = true; return PauseStep::resume;
    case SDL_MOUSEMOTION:
        mouseX = event.motion.x;
        mouseY = event.motion.y;
        return PauseStep::stay;
    case SDL_MOUSEBUTTONDOWN:
        mouseX = event.button.x;
        mouseY = event.button.y;
        return PauseStep::resume;
    case SDL_KEYDOWN: return takeKey(event.key.keysym.sym);
    case SDL_VIDEOEXPOSE: return PauseStep::redraw;
    case SDL_ACTIVEEVENT: return event.active.gain ? PauseStep::redraw : PauseStep::stay;
    default: break;
    }
    switch (takePadEvent(event)) {
    case PadPress::start:
    case PadPress::confirm: return PauseStep::resume;
    case PadPress::back: levelRequests.leave = true; return PauseStep::resume;
    default: return PauseStep::stay;
    }
}

} // namespace

void openPause(PauseScreen& pause)
{
    pause.start = SDL_GetTicks();
    levelRequests.pause = levelRequests.help = false;
    pauseAllSound();
    pause.lastFrame = copyCanvasPixels(screenCanvas());
    pause.lines = pauseLines();
    drawPause(pause);
}

bool pauseFrame(PauseScreen& pause)
{
    // One event at a time, up to the one that resumes: those after it are
    // the level's.
    bool redraw = false;
    SDL_Event event;
    while (pollEvent(&event)) {
        const PauseStep step = takeEvent(event);
        if (step == PauseStep::resume)
            return true;
        redraw = redraw || step == PauseStep::redraw;
    }
    if (redraw)
        drawPause(pause);
    return false;
}

Uint32 closePause(PauseScreen& pause)
{
    // The frame under the pause screen comes back until the next is drawn.
    putCanvasPixels(screenCanvas(), pause.lastFrame);
    pause.lastFrame = std::vector<uint32_t>(); // its memory goes too
    resumeAllSound();
    return SDL_GetTicks() - pause.start;
}

} // namespace tether
