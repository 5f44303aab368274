// The two grappling hooks. Each is a small state machine:
//   Idle  at the mount, aiming at the pointer (distance 0);
//   Out   flying away at grapSpeed until past grapMaxDistance;
//   Back  returning at a tenth of that speed until closer than 1 unit.
// A catch (in collision) sends a hook straight back to Idle with its
// grappling flag set and a rope from the mount to what it caught. The left
// button fires (left hook first), the right button lets go. The hooks'
// flags live with the world's (world/world.h); a launch raises its sound
// event and counts as a hook fired.
#pragma once

namespace tether {

struct World;

// Left button: fires the first hook that is idle, loaded and not grappling.
void fireHook(World& world);
// Right button: with two objects caught, ties them to each other; with one,
// leaves it tied to a rope node dropped at the ship's rim (or just cuts the
// rope when it is close).
void tieOff(World& world);
// Each step, before the enemies: idle hooks point from the mount toward the
// pointer's world position.
void aimHooks(World& world, float mouseWorldX, float mouseWorldY);
// Each step, after the objects' updates: lengthens or shortens the hooks'
// connectors.
void flyHooks(World& world);
// Puts both hooks in their idle state, at level start.
void resetHooks(World& world);

} // namespace tether
