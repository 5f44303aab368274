// Danger a player can see coming (ai/hazards.h foresees it): a sun or
// black hole off screen but within reach gets a marker at the screen's edge
// toward it, in a danger colour, growing as the ship closes in; when the
// ship's course would touch one within the warning's horizon, a ring round
// the ship flashes, with a notch toward the body (close to one, the ring
// stands dimmer and steady). Drawing only: the world
// is read, never changed.
#pragma once

#include "ai/hazards.h"

#include <SDL.h>

namespace tether {

class Canvas;

// The markers and the warning ring for the camera at (cameraX, cameraY).
void drawHazards(Canvas& canvas, const HazardView& view, int cameraX, int cameraY);

} // namespace tether
