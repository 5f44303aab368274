// Motion: the gravity pass over the world. Object::update (declared in
// object.h, defined in motion.cpp) integrates one object for one step.
#pragma once

namespace tether {

struct World;

// Adds the pull of every gravity source in attractingMasses to the force of
// every body in dynamicMasses.
void applyGravity(World& world);

} // namespace tether
