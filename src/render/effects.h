// The things that are not one image: lightning bolts and rail beams of beam
// shots, and the chains of link images that show hook ropes and ties. All
// take screen coordinates (world minus camera).
#pragma once

#include <SDL.h>

namespace tether {

class Canvas;
class Object;
class Spring;

// A jagged bolt of straight segments `step` pixels long from (x1, y1) to
// (x2, y2), each aimed at the end with a random wander of up to ±spread/2
// radians, the last one ending on the end point. A new shape every call.
void drawLightning(Canvas& canvas, float x1, float y1, float x2, float y2, unsigned int colour,
    float spread, float step);
void drawLightning(SDL_Surface* screen, float x1, float y1, float x2, float y2, unsigned int colour,
    float spread, float step);

// A straight line wound with a helix of single pixels of radius 10 that
// turns 100 radians over the beam's length, whatever that length.
void drawRail(Canvas& canvas, float x1, float y1, float x2, float y2, unsigned int lineColour,
    unsigned int helixColour);
void drawRail(SDL_Surface* screen, float x1, float y1, float x2, float y2, unsigned int lineColour,
    unsigned int helixColour);

// tuning().grapNumLinks copies of link along the line from a to b: the k-th centred
// k links' length from a, so the last lies on b. Each link is stretched
// along the chain so the links span the distance; it keeps its thickness.
void drawChain(Canvas& canvas, SDL_Surface* link, float cameraX, float cameraY, const Object* a,
    const Object* b);
void drawChain(
    SDL_Surface* screen, SDL_Surface* link, float cameraX, float cameraY, Object* a, Object* b);

// A rope or tie as a chain of link images, unless its ends lie on opposite
// sides of the world's seam.
void drawSpring(Canvas& canvas, const Spring& spring, SDL_Surface* link, int cameraX, int cameraY);
void drawSpring(
    SDL_Surface* screen, const Spring& spring, SDL_Surface* link, int cameraX, int cameraY);

} // namespace tether
