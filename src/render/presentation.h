// What the presentation keeps of its own from frame to frame, so that
// drawing and sound only ever read the world: its own random source (the
// flame's flicker, the lightning's wander, the choice of music), and the
// game time of the world when the last frame was drawn. The rules stamp
// hits and thrust with the step they happened in; whatever happened after
// the last frame was drawn shows in the next one, once: a damage flash in
// the frame after a hit, the flame in each frame that had thrust.
#pragma once

#include "world/random.h"

#include <cstdint>

namespace tether {

class Object;

// Drawing's and music's generator; never the rules'.
extern Random presentationRandom;

// LevelStats::gameTime when the last frame was drawn; -1 before a level's
// first frame. The frame sets it after drawing.
extern int64_t drawnStep;

// Whether an object hit since the last frame shows its damage flash.
bool hitSinceLastFrame(const Object& object);
// Whether the flame was lit by the controls since the last frame and is
// still lit: the engine sounds, and (but for the first ship, whose flame is
// never seen) the flame is drawn.
bool thrustSinceLastFrame(const Object& flame);

} // namespace tether
