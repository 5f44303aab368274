// The torus and the removal of the dead. Instead of wrapping everything
// into one rectangle, the ship stays in 0..worldW x 0..worldH and every
// other object is moved to whichever of its images lies within half a world
// of the ship: the seam is always on the far side of the world from the
// player. backx/backy count the world sizes the ship has crossed, so the
// parallax background does not jump when it wraps.
//
// Removal is deferred: a step only marks the dead (typeDead); once per
// frame the ropes touching them go, then they leave the registries, and
// objects, which owns them, frees them last.
#include "world/wrap.h"

#include "world/contacts.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace tether {

namespace {

// Shifts c by one world size toward reference when it lies more than half
// a world away (units). Objects move far less than that in one step.
float nearestImage(float c, float reference, float size)
{
    const float d = c - reference;
    if (d > size / 2)
        return c - size;
    if (d < -size / 2)
        return c + size;
    return c;
}

// Brings the ship's coordinate c back within 0..size, counting the world
// size it crossed in crossed (backx or backy).
void wrapShipCoordinate(float& c, float& crossed, float size)
{
    if (c >= size) {
        c -= size;
        crossed += size;
    } else if (c < 0) {
        c += size;
        crossed -= size;
    }
}

} // namespace

void fixTorusCoords(World& world)
{
    if (!world.ship)
        return;
    wrapShipCoordinate(world.ship->x, world.backx, world.worldW);
    wrapShipCoordinate(world.ship->y, world.backy, world.worldH);
    for (Object* o : world.objects) {
        o->x = nearestImage(o->x, world.ship->x, world.worldW);
        o->y = nearestImage(o->y, world.ship->y, world.worldH);
    }
}

void cleanupSprings(World& world)
{
    for (auto it = world.springs.begin(); it != world.springs.end();) {
        Spring* rope = *it;
        const bool deadA = rope->endA->type == typeDead;
        if (!deadA && rope->endB->type != typeDead) {
            ++it;
            continue;
        }
        // A rope still on the player's mount was a hook's: that hook is
        // free again. Which hook held it is not recorded; the left one is
        // let go first.
        const Object* other = deadA ? rope->endB : rope->endA;
        if (other->type == typeTurret) {
            if (world.leftHookGrappling)
                world.leftHookGrappling = false;
            else
                world.rightHookGrappling = false;
        }
        delete rope;
        it = world.springs.erase(it);
    }
}

void cleanup(World& world, std::list<Object*>* list)
{
    const bool owning = list == &world.objects;
    // Few die in any one frame: gather them, so that the shots they fired
    // can be told in one pass only when someone died.
    std::vector<Object*> dead;
    for (auto it = list->begin(); it != list->end();) {
        Object* o = *it;
        if (o->type != typeDead || o == world.ship) {
            ++it;
            continue;
        }
        if (owning)
            dead.push_back(o);
        it = list->erase(it);
    }
    if (dead.empty())
        return;
    // A shot outlives its shooter: it forgets the shooter rather than keep a
    // pointer to freed memory (collision then lets it hit anything, and a
    // beam without its owner is not drawn). Children go with their parent,
    // so only shots can name a freed owner.
    std::sort(dead.begin(), dead.end(), std::less<Object*>());
    for (Object* o : world.objects)
        if (o->owner != o
            && std::binary_search(dead.begin(), dead.end(), o->owner, std::less<Object*>()))
            o->owner = nullptr;
    forgetContactsOf(world, dead);
    for (Object* o : dead)
        destroyObject(world, o);
}

} // namespace tether
