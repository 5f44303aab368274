// The pause screen. The level stands still: no physics step runs (the
// frame loop holds its clock for as long as the pause lasted, so resuming
// runs no burst of steps), the effects and the music stop where they are,
// and the frame the level stopped on stays up, dimmed, under "PAUSED", the
// controls of the chosen ship and the time played so far. The screen
// waits for an event (main/program.h): P, F1, a click, or the pad's
// Start or A resume; R restarts the map; Escape or the pad's Back leave
// it; F11 switches full screen; a quit ends the game as in a level.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tether {

struct PauseScreen {
    Uint32 start = 0; // the clock when the pause began
    std::vector<uint32_t> lastFrame; // the canvas's pixels of the frame the level stopped on
    std::vector<std::string> lines; // the controls and the time so far
};

// Stops the sound and puts the pause screen up over the level's last frame.
void openPause(PauseScreen& pause);
// Takes the events that came: true when the player resumes, restarts or
// leaves, or the game ends (all but the first as levelRequests,
// screens/commands.h). Otherwise the screen waits for the next event.
bool pauseFrame(PauseScreen& pause);
// Puts the level's last frame back and the sound on; answers how long the
// pause lasted in ms.
Uint32 closePause(PauseScreen& pause);

} // namespace tether
