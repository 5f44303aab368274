// Motion: the gravity pass over the world. Object::update (declared in
// object.h, defined in motion.cpp) integrates one object for one step.
#pragma once

namespace tether {

// G in the pull G M / max(r², R²) that planets, suns and black holes exert
// (units per ms², masses as the data file gives them).
constexpr float gravityConstant = 6e-11f;

struct World;

// Adds the pull of every gravity source in attractingMasses to the force of
// every body in dynamicMasses.
void applyGravity(World& world);

} // namespace tether
