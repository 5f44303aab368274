// The ghost of a raced run, drawn under the player's world: its ship pale
// and see-through, its hooks and ropes as faint lines, and one line of text
// above the HUD panel on how the race stands. It only reads the run's world.
#pragma once

#include <string>

namespace tether {

class Canvas;
struct World;

// Draws ghost's ship (ship 1..3), hooks and ropes, shifted to the image of
// its torus nearest the player's ship at (nearX, nearY), for the camera at
// (cameraX, cameraY).
void drawGhost(Canvas& canvas, const World& ghost, int ship, float nearX, float nearY, int cameraX,
    int cameraY);

// The race's standing, right-aligned just above the HUD panel.
void drawRaceLine(Canvas& canvas, const std::string& text);

} // namespace tether
