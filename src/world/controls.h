// The ship's controls: the held actions turn into force and turning on the
// ship once per physics step, by the steering of the chosen ship (its row
// of world/ships.h):
//   0  velocity steering: the ship never turns; the keys choose the velocity
//      it strives for, and full thrust drives it there (no key: brake);
//   1  heading steering: the keys choose a heading; the ship turns toward it
//      at full rate and thrusts once it points within a right angle of it;
//   2  rotate and thrust: turn left/right, thrust forward, a fifth of it in
//      reverse, half of it to either side (strafe left, strafe right).
// The controls read actions (world/input.h), never keys. They light the
// thrust flame (its lastThrustStep) or put it out (its `hidden` flag); a
// step that leaves it alone keeps what the steps before it did. The frame
// shows the flame and runs the engine sound when it was lit in a step since
// the last frame (render/draw.h, platform/audio.h).
#pragma once

namespace tether {

struct World;

// One step of steering for the chosen ship, with the Action bits
// held.
void steerShip(World& world, unsigned actions);

} // namespace tether
