// The goal, taught once. For a level's first seconds a line says what wins
// it ("Destroy every enemy ship"); the first map adds how ("Hook a drone
// (left button), then swing it into the sun"), and if no enemy has died
// after half a minute, says it again with an arrow from the ship to the
// sun. Only on a map the player has not won yet (the best times tell),
// never in a replay played back; drawing only, no rule reads them.
#pragma once

#include <string>

namespace tether {

class Canvas;

constexpr long long goalShownMs = 7000; // of game time, then it fades
constexpr long long goalFadeMs = 1000;
constexpr long long weaponHintFromMs = 30000; // no enemy dead by then
constexpr long long weaponHintShownMs = 10000;

// At a level's start: the map's name as the map list gives it, and
// whether the player has won it before.
void prepareHints(const std::string& map, bool wonBefore);
// No hints from now on (a replay played back).
void withholdHints();
// The hints for this moment of the level, for the camera at (cameraX,
// cameraY).
void drawHints(Canvas& canvas, int cameraX, int cameraY);

} // namespace tether
