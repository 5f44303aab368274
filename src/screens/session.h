// Starting and stopping a level's simulation (world/session.h) from a map:
// the content side loads the map and assembles the ship, the drawing side
// lets go of the level's images.
#pragma once

#include "world/session.h"

#include <cstdint>
#include <string>

namespace tether {

// Empties the world, loads the map at mapPath, assembles ship shipChoice
// (0, 1 or 2: the chosen ship, which picks the controls) and resets the
// level with seed. False, with an empty world, when the map cannot be
// opened. The data file must have been read before (readDataFile).
bool startLevel(const std::string& mapPath, int shipChoice, uint64_t seed);

// Empties the world and closes the level's map.
void stopLevel();

} // namespace tether
