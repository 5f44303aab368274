// Elastic ropes: hook ropes from the mount to what a hook caught, and ties
// between two caught objects or a caught object and a rope node.
#include "world/spring.h"

#include "world/object.h"
#include "world/simmath.h"
#include "world/world.h"

#include <cmath>

namespace tether {

Spring::Spring(World& world, Object* endA, Object* endB, float stiffness, float damping)
    : stiffness(stiffness)
    , damping(damping)
    , endA(endA)
    , endB(endB)
{
    restLength = lastLength
        = static_cast<float>(simHypot(world.levelMath, endA->x - endB->x, endA->y - endB->y));
}

// A rope tied to a black hole is reeled in by it, without end.
constexpr float blackHoleReelIn = 0.04f; // units of rest length per ms

// With d the shortest difference A - B on the torus and len = |d| (units):
//   F = (len - lastLength) * damping / dt              (damping)
//     + (len - restLength) * stiffness, only while len > restLength / 2
//   A.f -= F * d / len;  B.f += F * d / len            (positive F pulls)
// Below half its rest length a rope is slack: it neither pushes nor pulls.
void Spring::separation(const World& world, float& dx, float& dy) const
{
    dx = endA->x - endB->x;
    if (dx > world.worldW / 2)
        dx -= world.worldW;
    else if (dx < -world.worldW / 2)
        dx += world.worldW;
    dy = endA->y - endB->y;
    if (dy > world.worldH / 2)
        dy -= world.worldH;
    else if (dy < -world.worldH / 2)
        dy += world.worldH;
}

float Spring::length(const World& world) const
{
    float dx, dy;
    separation(world, dx, dy);
    return static_cast<float>(simHypot(world.levelMath, dx, dy));
}

void Spring::update(World& world, int dt)
{
    float dx, dy;
    separation(world, dx, dy);

    if (endA->type == typeBlackHole || endB->type == typeBlackHole)
        restLength -= blackHoleReelIn * dt;

    const float len = static_cast<float>(simHypot(world.levelMath, dx, dy));
    const float change = len - lastLength;
    lastLength = len;
    float force = dt > 0 ? change * damping / dt : 0.0f;
    if (len > restLength * 0.5f)
        force += (len - restLength) * stiffness;

    // Ends at the same place give the rope no direction to pull in: no
    // force this step.
    if (len == 0)
        return;
    const float ux = dx / len;
    const float uy = dy / len;
    endA->fx -= force * ux;
    endA->fy -= force * uy;
    endB->fx += force * ux;
    endB->fy += force * uy;
}

} // namespace tether
