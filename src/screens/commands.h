// What the player asks of the game around a level, beside the actions the
// simulation takes: pause (P, the pad's Start, or the window losing its
// focus or being iconified), the controls (F1), restart (R), full screen
// (F11), the volumes (9 and 0 the music, - and = the effects), and leaving
// with the pad's Back. Keys go by the bindings of platform/settings.h; the
// program acts on the requests between frames (main/program.h).
#pragma once

#include "platform/settings.h"
#include "world/input.h"

#include <SDL.h>

namespace tether {

struct LevelRequests {
    bool pause = false; // P, Start, or the focus lost
    bool help = false; // F1: the pause screen, for its controls
    bool restart = false; // R: the same map again, with the same ship
    bool leave = false; // Escape pressed, or Back: Escape held to the level's end
    bool quit = false; // the window closed (or SIGTERM, SIGHUP): the game ends
    bool windowLost = false; // F11 found no video mode that works: the game ends
};
// Raised by the frame's events and the pause screen; cleared by the
// program when it acts on them, and at a level's start.
extern LevelRequests levelRequests;

// Takes an event of a level's frame that is not the mouse's or a quit: a
// key going down, the gamepad (whose clicks go into input), the window's
// focus. Full screen and the volumes change at once.
void takeLevelEvent(const SDL_Event& event, FrameInput& input);
// The Action bits held by the keys, the gamepad, and a request to leave.
unsigned heldActions(const Uint8* keys);
// A volume key: the volume one step up or down, heard at once, kept in the
// settings and told on the screen for a moment.
void changeVolume(Command command);

} // namespace tether
