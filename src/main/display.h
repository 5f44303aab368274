// Whether the game can have the whole screen. In full screen, SDL 1.2 on X
// grabs the pointer and keyboard and, while another program holds them (a
// second copy of the game, say), retries the grab every 100 ms for ever,
// inside SDL_SetVideoMode: no window, no message, and the quit signal only
// queues an event that nobody reads.
#pragma once

#include <SDL.h>

namespace tether {

// The flags for SDL_SetVideoMode: full screen, or a window when the X
// display's pointer or keyboard is held by another program; then a line on
// standard output says so.
Uint32 displayModeFlags();

} // namespace tether
