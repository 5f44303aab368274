// Whether the game can have the whole screen. In full screen, SDL 1.2 on X
// grabs the pointer and keyboard and, while another program holds them (a
// second copy of the game, say), retries the grab every 100 ms for ever,
// inside SDL_SetVideoMode: no window, no message, and the quit signal only
// queues an event that nobody reads.
// Without a display SDL falls back to drawing in the terminal (escape codes
// on standard output, no way to play); the game says so and stops instead.
// When the X server goes away in a level, Xlib ends the process from inside
// whatever X call noticed: the level's replay is saved on the way.
#pragma once

#include <string>

#include <SDL.h>

namespace tether {

// The flags for SDL_SetVideoMode: full screen, or a window when the X
// display's pointer or keyboard is held by another program; then a line on
// standard output says so.
Uint32 displayModeFlags();

// Why the game has no display to open: empty when it has one, or when the
// player chose a video driver (SDL_VIDEODRIVER), which SDL then tries alone.
std::string missingDisplay();

// Has beforeExit run when the connection to the X server is lost, before
// Xlib prints its message and ends the process. Call after the window is
// open (SDL's own handler, which marks its display gone, is kept).
void onDisplayLost(void (*beforeExit)());

} // namespace tether
