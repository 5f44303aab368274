// Frame pacing in a level. With a frame-rate cap (the max_fps setting, or
// --max-fps: platform/settings.h) the program sleeps until the next frame is
// due instead of drawing as fast as it can. The physics steps by the time that has passed, so the
// cap changes how often the world is drawn, never how it moves.
#pragma once

#include <SDL.h>

namespace tether {

// Called once per flipped frame: with a cap, the ms to sleep until the next
// frame is due; without one, 0.
Uint32 frameDelay();

} // namespace tether
