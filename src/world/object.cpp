// Construction and destruction of Objects. A parent owns its children: its
// destructor frees them (recursively) and their Connectors, and takes them
// out of drawables and connectors. The caller takes the object itself out of
// the registries first.
#include "world/object.h"

#include "world/connector.h"
#include "world/world.h"

namespace tether {

Object::Object(float mass, float radius, float x, float y, float vx, float vy, float angle,
    float spin, void* look, int type, int reloadTime, float health)
    : mass(mass)
    , radius(radius)
    , x(x)
    , y(y)
    , vx(vx)
    , vy(vy)
    , angle(angle)
    , spin(spin)
    , health(health)
    , type(type)
    , bornType(type)
    , reloadTime(reloadTime)
    , look(look)
    , owner(this)
{
}

Object::~Object()
{
    if (!children)
        return;
    for (Connector* link : *children) {
        delete link->child;
        delete link;
    }
    delete children;
}

void unlistChildren(World& world, const Object& object)
{
    if (!object.children)
        return;
    for (Connector* link : *object.children) {
        world.drawables.remove(link->child);
        if (link->child)
            unlistChildren(world, *link->child);
        world.connectors.remove(link);
    }
}

void destroyObject(World& world, Object* object)
{
    if (!object)
        return;
    unlistChildren(world, *object);
    delete object;
}

} // namespace tether
