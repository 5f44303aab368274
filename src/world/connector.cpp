// Placement of attached children. Each offset is floored to a whole unit
// before it is added to the parent's position, so a child sits on the
// pixel grid relative to its parent (and an offset of -0.2 is a whole unit).
#include "world/connector.h"

#include "world/object.h"
#include "world/simmath.h"
#include "world/world.h"

#include <cmath>

namespace tether {

Connector::Connector(Object* parent, Object* child, float distance, float offsetAngle,
    float childAngle, bool rotateWithParent, bool passForces, bool absoluteAngle, bool localOffset)
    : parent(parent)
    , child(child)
    , rotateWithParent(rotateWithParent)
    , passForces(passForces)
    , absoluteAngle(absoluteAngle)
    , localOffset(localOffset)
    , distance(distance)
    , offsetAngle(offsetAngle)
    , childAngle(childAngle)
{
}

namespace {

SinCosOf<float> turnBy(Connector::Turn& last, MathFlavour math, float angle)
{
    if (!(angle == last.angle && std::signbit(angle) == std::signbit(last.angle)
            && math == last.math))
        last = {angle, math, simSinCos(math, angle)};
    return last.sinCos;
}

} // namespace

void Connector::update(const World& world)
{
    Object& p = *parent;
    Object& c = *child;
    if (localOffset) {
        // distance runs along the parent's heading, offsetAngle across it.
        const SinCosOf<float> a = turnBy(lastTurn, world.levelMath, p.angle);
        c.x = p.x + std::floor(distance * a.cos - offsetAngle * a.sin);
        c.y = p.y + std::floor(distance * a.sin + offsetAngle * a.cos);
        c.angle = childAngle + p.angle;
        return;
    }
    const float t = rotateWithParent ? offsetAngle + p.angle : offsetAngle;
    const SinCosOf<float> turned = turnBy(lastTurn, world.levelMath, t);
    c.x = p.x + std::floor(turned.cos * distance);
    c.y = p.y + std::floor(turned.sin * distance);
    if (absoluteAngle)
        c.angle = childAngle;
    else if (rotateWithParent)
        c.angle = offsetAngle + p.angle + childAngle;
    else
        c.angle = childAngle + offsetAngle;
}

Connector* Object::addChild(World& world, Object* child, float distance, float offsetAngle,
    float childAngle, bool rotateWithParent, bool passForces, bool absoluteAngle, bool localOffset)
{
    if (!children)
        children = new std::list<Connector*>;
    Connector* link = new Connector(this, child, distance, offsetAngle, childAngle,
        rotateWithParent, passForces, absoluteAngle, localOffset);
    link->update(world);
    children->push_back(link);
    world.connectors.push_back(link);
    child->owner = this;
    return link;
}

} // namespace tether
