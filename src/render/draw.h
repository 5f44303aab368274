// Drawing the world: the layer each kind of Object is drawn in, one Object's
// look (Object::draw, defined in draw.cpp), and the draw pass of a frame.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace tether {

class Object;

// Draw layer of each type code 0..14: black holes at the bottom, then
// planets and suns, ships and enemies, hooks, mounts and nodes, weapons.
extern const int sortOrder[15];
constexpr int explodingLayer = 5; // explosions over everything alive
constexpr int flameLayer = 1; // under the ship it pushes
constexpr int lastLayer = 6; // the dead and unknown codes

// Layer of a type code: sortOrder for 0..14, then the layers above.
int getDrawOrder(int type);

// Orders Objects by ascending draw layer. std::list::sort is stable, so
// Objects of one layer keep last frame's order and never flicker.
struct cmpObjectDraw {
    bool operator()(const Object* a, const Object* b) const;
};

// Colour of the damage flash of an Object that was hit: green above half
// of its full health, yellow down to a tenth, red below.
Uint32 damageColour(const Object& object);

// Whether an Object at screen position (sx, sy) lies too far outside a
// width by height surface to be drawn at all.
bool isOffScreen(const Object& object, int sx, int sy, int width, int height);

// Builds a black hole's lens table for radius r: n by n entries, n = 6r,
// each the index of the source pixel an output pixel copies. Null when r
// gives no pixels. The caller owns the array (delete[]).
int32_t* makeLensTable(float r);

// Frees the scaled explosion frames that drawing keeps from frame to frame.
// Needed only when the explosion images themselves are replaced.
void forgetScaledExplosions();

// The frame's draw pass with the camera at (cameraX, cameraY): sorts
// drawables, draws layers 0..2, the ropes and hook chains, the rest, and
// blacks out the middle of every black hole.
void drawWorld(SDL_Surface* screen, int cameraX, int cameraY);

} // namespace tether
