// Enemy AI: every Object of enemies, the enemy ships and the mines, is run
// by AIUpdate once per 1-ms physics step, before gravity and collision.
#pragma once

namespace tether {

struct World;

class Object;

// One step of the enemy or mine self against target (the ship): turns it
// toward the target, pulls it there with a damped spring (or brakes it when
// the target is very far), and, loaded and in range, fires its class's
// volley. New shots are appended to dynamicMasses, drawables and objects.
void AIUpdate(World& world, Object* self, Object* target);

} // namespace tether
