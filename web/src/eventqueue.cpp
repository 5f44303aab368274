// The browser's queue of events. The page calls each frame, so nothing here
// blocks: a frame that is to wait says "not yet" and the next browser frame
// asks again. Emscripten's SDL keeps the key state as it hands events out.
#include "platform/eventqueue.h"

#include <emscripten.h>

namespace tether {

namespace {

// clang-format off
EM_JS(int, eventsWaiting, (), { return SDL.events.length; });
// clang-format on

Uint32 waitingUntil = 0;
bool waitingForTime = false;

} // namespace

bool waitAsAsked(const FrameWait& wait)
{
    if (wait.kind == FrameWait::Kind::input)
        return eventsWaiting() > 0;
    if (wait.kind != FrameWait::Kind::time || wait.ms == 0)
        return true;
    const Uint32 now = SDL_GetTicks();
    if (!waitingForTime) {
        waitingForTime = true;
        waitingUntil = now + wait.ms;
    }
    if (static_cast<Sint32>(now - waitingUntil) < 0)
        return false;
    waitingForTime = false;
    return true;
}

bool takeQuitEvent()
{
    // A page is closed, never asked to quit.
    return false;
}

void dropPresses()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) { }
}

} // namespace tether
