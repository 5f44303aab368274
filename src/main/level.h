// The level cycle: choose a level, load its map, assemble the ship, play it,
// and tear the world down when it ends.
#pragma once

#include "main/frame.h"

#include <string>

namespace tether {

extern std::string mapPath;        // the map of the level to play
extern char shipSpritePath[32];    // the chosen ship's image

// Ends a level: pauses the engine sound and tears the world down.
void endLevel(FrameEnd how);
// Plays level after level; never returns (quitting ends the process).
[[noreturn]] void runLevelCycle();

} // namespace tether
