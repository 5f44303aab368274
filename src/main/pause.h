// The pause screen. The level stands still: no physics step runs (the
// frame loop holds its clock for as long as the pause lasted, so resuming
// runs no burst of steps), the effects and the music stop where they are,
// and the frame the level stopped on stays up, dimmed, under "PAUSED", the
// controls of the chosen ship and the time played so far. The loop sleeps
// until an event comes (SDL_WaitEvent): P, F1, a click, or the pad's
// Start or A resume; R restarts the map; Escape or the pad's Back leave
// it; F11 switches full screen; a quit ends the game as in a level.
#pragma once

#include <SDL.h>

namespace tether {

// Runs the pause screen until the player resumes, restarts or leaves, or
// the game ends (all but the first as levelRequests, main/commands.h);
// answers how long it lasted in ms.
Uint32 pauseLevel();

} // namespace tether
