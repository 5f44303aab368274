// The platform's queue of events, for what a screen does ahead of reading
// it: wait for the next event, take a quit, drop presses meant for a screen
// gone, and wait as a frame asked. The desktop's are SDL 1.2's
// (eventqueue.cpp); the browser's (web/src) never block, since the page
// calls each frame itself.
#pragma once

#include <SDL.h>

namespace tether {

// What the next frame waits for before it starts.
struct FrameWait {
    enum class Kind { none, input, time } kind = Kind::none;
    Uint32 ms = 0; // for time
};

// Waits as asked (sleeping, never spinning); false when the frame should
// not run yet and the platform will ask again (the browser's next frame).
bool waitAsAsked(const FrameWait& wait);
// Takes a quit waiting in the queue, if there is one.
bool takeQuitEvent();
// Drops the key, mouse button and pad presses waiting in the queue; the key
// state still follows them.
void dropPresses();

} // namespace tether
