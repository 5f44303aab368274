// The HUD in the bottom-right corner: the panel with the enemies left and
// the ship's health in digit images, and the radar of the ship's
// surroundings at 1/32 scale.
#pragma once

#include <SDL.h>

namespace tether {

class Canvas;
class Object;

// Where the radar's centre lies on screen, and how far it sees: 3200 units
// map onto its radius of 100 pixels.
constexpr int radarCentreX = 695;
constexpr int radarCentreY = 495;
constexpr float radarRange = 3200.0f;
constexpr float radarScale = 32.0f; // world units per radar pixel
constexpr int radarRadius = 100;

// Draws the decimal digits of n left to right, the first one's top-left at
// (x, y), each advancing by its own image's width. 0 is one zero; a
// negative number draws nothing.
void drawNumber(Canvas& canvas, int x, int y, int n);
void drawNumber(SDL_Surface* screen, int x, int y, int n);

// object's mark on the radar for the ship at (shipX, shipY): bodies, enemies,
// mines, nodes and shots within range, enemies beyond it on the rim.
void drawRadarMark(Canvas& canvas, const Object& object, float shipX, float shipY);
void drawRadarMark(SDL_Surface* screen, const Object& object, float shipX, float shipY);

// Panel, enemies left, ship health, radar and its marks. Needs the ship.
void drawHud(Canvas& canvas);
void drawHud(SDL_Surface* screen);

} // namespace tether
