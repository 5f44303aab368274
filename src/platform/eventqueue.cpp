// The desktop's queue of events: SDL 1.2's, looked into with masks.
#include "platform/eventqueue.h"

namespace tether {

namespace {

// Sleeps until an event waits, and leaves it for the frame to read.
void waitForInput()
{
    SDL_Event event;
    for (;;) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
            return;
        SDL_Delay(10);
    }
}

// Presses of keys, mouse buttons and pad controls.
constexpr Uint32 pressMask = SDL_EVENTMASK(SDL_KEYDOWN) | SDL_EVENTMASK(SDL_KEYUP)
    | SDL_EVENTMASK(SDL_MOUSEBUTTONDOWN) | SDL_EVENTMASK(SDL_MOUSEBUTTONUP)
    | SDL_EVENTMASK(SDL_JOYAXISMOTION) | SDL_EVENTMASK(SDL_JOYBALLMOTION)
    | SDL_EVENTMASK(SDL_JOYHATMOTION) | SDL_EVENTMASK(SDL_JOYBUTTONDOWN)
    | SDL_EVENTMASK(SDL_JOYBUTTONUP);

} // namespace

bool waitAsAsked(const FrameWait& wait)
{
    if (wait.kind == FrameWait::Kind::input)
        waitForInput();
    else if (wait.kind == FrameWait::Kind::time && wait.ms > 0)
        SDL_Delay(wait.ms);
    return true;
}

bool takeQuitEvent()
{
    SDL_Event quit;
    return SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUITMASK) > 0;
}

void dropPresses()
{
    SDL_Event presses[32];
    while (SDL_PeepEvents(presses, 32, SDL_GETEVENT, pressMask) > 0) { }
}

} // namespace tether
