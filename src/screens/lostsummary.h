// A lost level's summary, as a won map's (screens/results.h) less the best
// time: how long the ship lasted and what ended it, the enemies destroyed
// and the damage taken by cause, the hooks fired. Printed on standard
// output and written small at the bottom of the game-over screen.
#pragma once

#include "world/stats.h"

#include <string>
#include <vector>

namespace tether {

// The summary's lines for the screen, the first one
//   Survived 1:23.4, lost to shots
// and the rest as a won map's; and as one line for standard output:
//   Game over on open_fire after 1:23.4, lost to shots: enemies destroyed 2 (sun 2), ...
// endedBy is the Cause of the ship's last damage.
std::vector<std::string> lostSummaryLines(const LevelStats& stats, int endedBy);
std::string lostSummaryLine(const std::string& map, const LevelStats& stats, int endedBy);

// At a level's loss: prints the summary line and gives the lines for the
// game-over screen.
std::vector<std::string> recordLostLevel(
    const std::string& map, const LevelStats& stats, int endedBy);

} // namespace tether
