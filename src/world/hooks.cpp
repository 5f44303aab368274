#include "world/hooks.h"

#include "world/connector.h"
#include "world/events.h"
#include "world/object.h"
#include "world/simmath.h"
#include "world/spring.h"
#include "world/stats.h"
#include "world/tuning.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// Every rope and tie is made alike.
constexpr float ropeStiffness = 1.0f;
constexpr float ropeDamping = 3.0f;
// A rope node is a heavy buoy.
constexpr float nodeObjectMass = 100.0f;
constexpr float nodeHealth = 10000.0f;

// One hook's pieces, so the left and right hooks share their code.
struct Hook {
    Object* hook;
    Connector* link;
    bool& extended;
    bool& retracting;
    bool& grappling;
    Sound launchSound;
};

Hook leftHook(World& world)
{
    return {world.leftGrapHook, world.leftHookConnector, world.leftHookExtended,
        world.leftHookRetracting, world.leftHookGrappling, Sound::leftHookLaunch};
}

Hook rightHook(World& world)
{
    return {world.rightGrapHook, world.rightHookConnector, world.rightHookExtended,
        world.rightHookRetracting, world.rightHookGrappling, Sound::rightHookLaunch};
}

bool canFire(const Hook& h)
{
    return h.hook && !h.extended && h.hook->loaded && !h.grappling;
}

void launch(World& world, Hook& h)
{
    h.extended = true;
    h.retracting = false;
    h.hook->loaded = false;
    raiseSound(world, h.launchSound);
    ++world.levelStats.hooksFired;
}

void aim(World& world, Hook& h, float mouseWorldX, float mouseWorldY)
{
    if (h.hook && h.link && !h.extended)
        h.link->offsetAngle
            = simAtan2(world.levelMath, mouseWorldY - h.hook->y, mouseWorldX - h.hook->x);
}

void fly(World& world, Hook& h)
{
    if (!h.link)
        return;
    float& distance = h.link->distance;
    if (!h.extended) {
        distance = 0;
    } else if (!h.retracting) {
        distance += world.tuning.grapSpeed;
        if (distance > world.tuning.grapMaxDistance)
            h.retracting = true;
    } else {
        distance -= 0.1 * world.tuning.grapSpeed; // back at a tenth of the speed
        if (distance < 1.0f) {
            h.retracting = false;
            h.extended = false;
            distance = 0;
        }
    }
}

bool isRope(const Spring* s)
{
    return s->endA->type == typeTurret || s->endB->type == typeTurret;
}

Object* caughtEnd(const Spring* rope)
{
    return rope->endA->type == typeTurret ? rope->endB : rope->endA;
}

void removeSpring(World& world, Spring* s)
{
    world.springs.remove(s);
    delete s;
}

// What a hook lets go of is the player's throw: it counts as slung for a
// while (world/stats.h).
void letGo(World& world, Object* caught)
{
    caught->hooked = false;
    caught->releasedStep = world.levelStats.gameTime;
}

// Both hooks hold something: the two caught objects are tied to each other
// at their present distance and the ship is free.
void tieTogether(World& world, Spring* first, Spring* second)
{
    Object* a = caughtEnd(first);
    Object* b = caughtEnd(second);
    removeSpring(world, first);
    removeSpring(world, second);
    letGo(world, a);
    letGo(world, b);
    world.springs.push_back(new Spring(world, a, b, ropeStiffness, ropeDamping));
    world.rightHookGrappling = false;
    world.leftHookGrappling = false;
}

// One hook holds something: its rope is cut; unless the object is close to
// the ship, it stays tied to a rope node dropped at the ship's rim on the
// side facing it.
void leaveOnNode(World& world, Spring* rope)
{
    Object* caught = caughtEnd(rope);
    const float dx = caught->x - world.ship->x;
    const float dy = caught->y - world.ship->y;
    const float dist = static_cast<float>(simHypot(world.levelMath, dx, dy));
    removeSpring(world, rope);
    if (dist > 2 * world.tuning.nodeRadius + world.ship->radius + caught->radius) {
        const float rimX = (world.tuning.nodeRadius + world.ship->radius) * dx * (1.0f / dist);
        const float rimY = (world.tuning.nodeRadius + world.ship->radius) * dy * (1.0f / dist);
        Object* node = new Object(nodeObjectMass, world.tuning.nodeRadius, world.ship->x + rimX,
            world.ship->y + rimY, world.ship->vx, world.ship->vy, 0, 0, nullptr, typeRopeNode, 0,
            nodeHealth);
        world.objects.push_back(node);
        world.dynamicMasses.push_back(node);
        world.drawables.push_back(node);
        world.springs.push_back(new Spring(world, caught, node, ropeStiffness, ropeDamping));
    }
    letGo(world, caught);
    if (world.rightHookGrappling)
        world.rightHookGrappling = false;
    else
        world.leftHookGrappling = false;
}

} // namespace

void fireHook(World& world)
{
    Hook left = leftHook(world);
    Hook right = rightHook(world);
    if (canFire(left))
        launch(world, left);
    else if (canFire(right))
        launch(world, right);
}

void tieOff(World& world)
{
    if (!world.ship || (!world.leftHookGrappling && !world.rightHookGrappling))
        return;
    Spring* firstRope = nullptr;
    Spring* lastRope = nullptr;
    for (Spring* s : world.springs) {
        if (!isRope(s))
            continue;
        if (!firstRope)
            firstRope = s;
        lastRope = s;
    }
    if (!lastRope) {
        // Nothing is held after all; let the flags go.
        world.leftHookGrappling = world.rightHookGrappling = false;
        return;
    }
    if (world.leftHookGrappling && world.rightHookGrappling && firstRope != lastRope)
        tieTogether(world, firstRope, lastRope);
    else
        leaveOnNode(world, lastRope);
}

void aimHooks(World& world, float mouseWorldX, float mouseWorldY)
{
    Hook right = rightHook(world);
    Hook left = leftHook(world);
    aim(world, right, mouseWorldX, mouseWorldY);
    aim(world, left, mouseWorldX, mouseWorldY);
}

void flyHooks(World& world)
{
    Hook right = rightHook(world);
    Hook left = leftHook(world);
    fly(world, right);
    fly(world, left);
}

void resetHooks(World& world)
{
    world.leftHookExtended = world.rightHookExtended = false;
    world.leftHookGrappling = world.rightHookGrappling = false;
    world.leftHookRetracting = world.rightHookRetracting = false;
}

} // namespace tether
