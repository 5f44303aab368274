// The parallax background: four endlessly tiled layers, the farthest first,
// each scrolling at 1/divisor of the camera's speed.
#pragma once

#include <SDL.h>

namespace tether {

class Canvas;

void drawBackground(Canvas& canvas, int cameraX, int cameraY);
void drawBackground(SDL_Surface* screen, int cameraX, int cameraY);

// Whether the farthest layer is an opaque tile: then the background covers
// every pixel of the screen and the frame need not be cleared under it.
bool backgroundCoversScreen();

} // namespace tether
