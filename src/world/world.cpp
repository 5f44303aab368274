// Emptying a world. Destroying a registry frees its
// list nodes only, never what they point to: a world is emptied first.
#include "world/world.h"

#include "world/connector.h"
#include "world/contacts.h"
#include "world/object.h"
#include "world/spring.h"

namespace tether {

void clearWorld(World& world)
{
    forgetAllContacts(world);
    world.dynamicMasses.clear();
    world.attractingMasses.clear();
    world.drawables.clear();
    world.enemies.clear();
    // The hooks are children of the mount, which is a child of the ship.
    for (Object* object : world.objects)
        if (object && object != world.leftGrapHook && object != world.rightGrapHook)
            destroyObject(world, object);
    world.objects.clear();
    for (Spring* spring : world.springs)
        delete spring;
    world.springs.clear();
    for (Connector* link : world.connectors)
        delete link;
    world.connectors.clear();
    world.ship = world.turret = world.leftGrapHook = world.rightGrapHook = nullptr;
    world.leftHookConnector = world.rightHookConnector = nullptr;
}

} // namespace tether
