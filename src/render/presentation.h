// What the presentation keeps of its own from frame to frame, so that
// drawing and sound only ever read the world: its own random source (the
// flame's flicker, the lightning's wander, the choice of music), the game
// time of the world when the last frame was drawn, and which hits it has
// shown. The rules stamp hits and thrust with the step they happened in;
// the presentation shows what is new to it: the flame in each frame that
// had thrust, and a damage flash the first time an object is drawn after a
// hit (an object hit while off screen, or while a shot, which shows no
// flash, flashes when it is next drawn with its image).
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

// Whether the flame was lit by the controls since the last frame and is
// still lit: the engine sounds, and (but for the first ship, whose flame is
// never seen) the flame is drawn.
bool thrustSinceLastFrame(const Object& flame);

// Called as object is drawn with its image: true once for each new hit,
// the first time it is drawn after it.
bool takeNewHit(const Object& object);
// Forgets which hits were shown, and the damage display's tallies
// (render/damage.h); a level's start, when game time begins again at 0.
void forgetShownHits();

} // namespace tether
