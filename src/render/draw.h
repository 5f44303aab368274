// Drawing the world: one Object's look (drawObject) and the draw pass of a frame, in the layers of
// world/layers.h. Drawing only reads the world; what it keeps from frame to frame (scaled explosion
// frames, lens tables, render/presentation.h) is its own.
#pragma once

#include "world/layers.h"

#include <SDL.h>

#include <cstdint>

namespace tether {

class Canvas;
class Object;

// object as it looks with the camera at (cameraX, cameraY): nothing when it
// is hidden, dead or off the canvas.
void drawObject(Canvas& canvas, const Object& object, int cameraX, int cameraY);
void drawObject(SDL_Surface* screen, const Object& object, int cameraX, int cameraY);

// Colour of the damage flash of an Object that was hit: green above half
// of its full health, yellow down to a tenth, red below.
Uint32 damageColour(const Object& object);

// Whether an Object at screen position (sx, sy) lies too far outside a
// width by height surface to be drawn at all, shown with its sprite or with
// the image look (the flame's frame).
bool isOffScreen(const Object& object, int sx, int sy, int width, int height);
bool isOffScreen(
    const Object& object, const SDL_Surface* look, int sx, int sy, int width, int height);

// Builds a black hole's lens table for radius r: n by n entries, n = 6r,
// each the index of the source pixel an output pixel copies. Null when r
// gives no pixels. The caller owns the array (delete[]).
int32_t* makeLensTable(float r);
// The lens table for radius r, made the first time a black hole of that
// size is drawn and kept; null when r gives no pixels.
const int32_t* lensTableFor(float r);
// Frees the kept lens tables (a level's end).
void forgetLensTables();

// The frame's draw pass with the camera at (cameraX, cameraY): drawables in
// layer order (a stably sorted copy; the world keeps the list itself
// sorted), layers 0..2, the ropes and hook chains, the rest, and the black
// middle of every black hole.
void drawWorld(Canvas& canvas, int cameraX, int cameraY);
void drawWorld(SDL_Surface* screen, int cameraX, int cameraY);

} // namespace tether
