// The presentation's memory between frames.
#include "render/presentation.h"

#include "world/object.h"

namespace tether {

Random presentationRandom;
int64_t drawnStep = -1;

bool hitSinceLastFrame(const Object& object)
{
    return object.lastHitStep > drawnStep;
}

bool thrustSinceLastFrame(const Object& flame)
{
    return !flame.hidden && flame.lastThrustStep > drawnStep;
}

} // namespace tether
