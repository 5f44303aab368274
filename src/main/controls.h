// The ship's controls: the keys turn into force and turning on the ship once
// per physics step, by the control scheme of the chosen ship (difficulty):
//   0  velocity steering: the ship never turns; the keys choose the velocity
//      it strives for, and full thrust drives it there (no key: brake);
//   1  heading steering: the keys choose a heading; the ship turns toward it
//      at full rate and thrusts once it points within a right angle of it;
//   2  rotate and thrust: turn left/right, thrust forward, a fifth of it in
//      reverse, half of it to either side (Q, E).
// The thrust flame's `hidden` flag doubles as the frame's thrust indicator.
#pragma once

#include <SDL.h>

namespace tether {

// One step of steering for the scheme of `difficulty`.
void steerShip(const Uint8* keys);
// Once per frame after the steps: the engine sound plays while the flame is
// shown (the flame of scheme 0 is hidden again, so it is never drawn).
void updateThrustSound();

} // namespace tether
