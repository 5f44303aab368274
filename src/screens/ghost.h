// The race against a run: on a map with a best run (<map>.best.replay
// beside its last replay, screens/results.h), or the run --ghost names,
// that run plays in a world of its own, frame for frame beside the
// player's (screens/ghostrun.h), and its ship shows as a ghost with a line
// above the HUD panel: the enemies it has left against the player's at the
// same time, and at the end how far ahead or behind the player finished.
// Nothing of its world reaches the player's. The ghost key (G) and the
// "ghost" setting turn it off; a replay played back shows one only when
// --ghost asks.
#pragma once

#include <string>
#include <vector>

namespace tether {

class Canvas;

extern std::string ghostToRace; // --ghost FILE (absolute); empty: each map's best run

// Whether the run --ghost names can be raced here: empty when it can (or
// none is named), else the message the game ends with (status 1).
std::string checkGhostToRace();

// Starts the race of the level about to be played on the map mapName:
// the run --ghost names, or with bestRuns and the ghost setting on, the
// map's best run; none when there is no such run, or it was played on
// another map (said on standard output). Call before the level's map is
// read: telling an old run's rules plays it in a level of its own.
void startRace(const std::string& mapName, bool bestRuns);
// After each of the player's frames: the run plays its recorded frames up
// to the player's game time.
void raceAlong();
// Draws the ghost and the race's line, under the player's world: the ship in
// play shows over its ghost.
void drawRace(Canvas& canvas, int cameraX, int cameraY);
// The ghost key: shows or hides the ghost, and keeps the choice as the
// ghost setting.
void toggleGhost();
// At the player's victory: how the player's time stands against the run's,
// added to the end screen's note; nothing without a race.
void addRaceResult(std::vector<std::string>& note);
// The race ends with the level.
void stopRace();

} // namespace tether
