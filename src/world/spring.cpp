// Elastic ropes.
#include "world/spring.h"

#include "world/object.h"

#include <cmath>

namespace tether {

Spring::Spring(Object* endA, Object* endB, float stiffness, float damping)
    : stiffness(stiffness), damping(damping), endA(endA), endB(endB)
{
    restLength = lastLength = static_cast<float>(std::hypot(endA->x - endB->x, endA->y - endB->y));
}

} // namespace tether
