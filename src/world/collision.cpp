// Contacts. Pairs are found by sort and sweep along x: the list is sorted by
// left edge every step and each object is tested only against those that
// start before its right edge ends. A contact is applied the moment it is
// found, so later pairs of the same pass see what earlier ones changed.
//
// The five contact rules, tried top to bottom; the first that applies to a
// pair handles it. A is the member that comes first in the sorted list.
//   1 hook catch   a hook that holds no rope touches something that is no
//                  weapon, neither hooked: it is caught on a new rope (hooks
//                  pass through suns)
//   2 projectile   a weapon (a shot or mine) damages the other and is spent
//   3 sun          whatever touches a sun burns up
//   4 black hole   whatever but a hook touches a black hole is swallowed
//   5 bounce       everything else bounces, hurt by the impact (once: a
//                  lasting contact goes on bouncing without harm)
// Some pairs never touch: the ship and its own rope gear (hooks, rope
// nodes), the two hooks, a hook resting at the mount and a rope node.
//
// Each hit is stamped with the step it happened in (a flash for the
// presentation), each damage with its cause (statistics, and the ship's
// hit events), and a crash hard enough to hear raises a sound event.
#include "world/collision.h"

#include "world/contacts.h"
#include "world/events.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/simmath.h"
#include "world/spring.h"
#include "world/stats.h"
#include "world/validate.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tether {

bool cmpObjectX(const Object* a, const Object* b)
{
    return a->x - a->radius < b->x - b->radius;
}

namespace {

bool isHook(const Object* o)
{
    return o->type == typeLeftHook || o->type == typeRightHook;
}

// The ship's own rope gear: its hooks and the rope nodes it drops.
bool isRopeGear(const Object* o)
{
    return isHook(o) || o->type == typeRopeNode;
}

// A hook resting at the mount, not out on a shot.
bool atRest(World& world, const Object* hook)
{
    return hook->type == typeLeftHook ? !world.leftHookExtended : !world.rightHookExtended;
}

// The ship never touches its own gear, nor one hook the other. A node is
// dropped against the ship's rim and tied to what was let go: the tie can
// drag it across the ship, which must not be a crash, and where the hooks
// rest behind the ship's centre it lands on them, which must not catch it
// back. A hook out on a shot catches a node as it catches anything.
bool passThrough(World& world, const Object* a, const Object* b)
{
    if (a->type == typeShip)
        return isRopeGear(b);
    if (b->type == typeShip)
        return isRopeGear(a);
    if (isHook(a) && isHook(b))
        return true;
    if (isHook(a) && b->type == typeRopeNode)
        return atRest(world, a);
    if (isHook(b) && a->type == typeRopeNode)
        return atRest(world, b);
    return false;
}

bool isFixedBody(const Object* o)
{
    return o->type == typePlanet || o->type == typeBlackHole;
}

bool isAttractingMass(const Object* o)
{
    return o->type == typePlanet || o->type == typeSun || o->type == typeBlackHole;
}

// Rule 1. The rope runs from the ship's hook mount, not from the hook, so the
// hook itself can fly back and be fired again. A hook holds one rope at a
// time: resting at the mount with its rope out, it catches nothing more.
// (A second rope on the same hook was never let go: a tie-off cuts one rope
// per hook it frees, and the other stayed on the mount for good.)
bool holdsARope(World& world, const Object* hook)
{
    return hook->type == typeLeftHook ? world.leftHookGrappling : world.rightHookGrappling;
}

constexpr float ropeStiffness = 1.0f;
constexpr float ropeDamping = 3.0f;

void catchWithHook(World& world, Object* a, Object* b)
{
    Object* caught = isHook(a) ? b : a;
    caught->hooked = true;
    if (a->type == typeLeftHook || b->type == typeLeftHook) {
        world.leftHookExtended = false;
        world.leftHookGrappling = true;
    } else {
        world.rightHookExtended = false;
        world.rightHookGrappling = true;
    }
    world.springs.push_back(new Spring(world, world.turret, caught, ropeStiffness, ropeDamping));
    ++world.levelStats.catches;
}

// Rule 2. Damage by the projectile's type code, 9..14.
constexpr float projectileDamage[] = {
    10, // typeBullet
    0.1f, // typeLightning
    50, // typeShredder
    100, // typeRail
    1000, // typeBfg
    200, // typeMine
};

// The spent shot rides along with its target, so its explosion does too.
// Flying some ships, enemies are immune to shots and mines: only a crash, a
// sun or a black hole kills them there.
void hitByProjectile(World& world, Object* shot, Object* target)
{
    if (shot->owner == target)
        return;
    shot->vx = target->vx;
    shot->vy = target->vy;
    TETHER_ASSERT(shot->type >= typeBullet && shot->type <= typeMine);
    if (!(shipTraits(world.chosenShip).enemiesShrugOffShots && target->type == typeEnemy)) {
        const float damage = projectileDamage[shot->type - typeBullet];
        target->health -= damage;
        // A shot's shooter may be gone; a mine is its own.
        const Object& source = shot->owner ? *shot->owner : *shot;
        recordDamage(
            world, *target, damage, shot->type == typeMine ? causeMine : causeShot, *shot, source);
    }
    target->lastHitStep = world.levelStats.gameTime;
    shot->health = 0;
}

// Rule 3. Whatever touches a sun loses all its health at once.
void burn(World& world, const Object& sun, Object* victim)
{
    recordDamage(world, *victim, victim->health, causeSun, sun, sun);
    victim->health = 0;
}

// Rule 4. A swallowed object vanishes without an explosion; the ropes tied
// to it are handed to the black hole, which reels them in.
void swallow(World& world, Object* hole, Object* victim)
{
    if (victim->type == typeEnemy) {
        --world.numEnemies;
        victim->lastDamageCause = causeBlackHole;
        countEnemyDestroyed(world, *victim);
    }
    if (victim == world.ship) {
        // The ship keeps its type and its health: it is never removed. What
        // health it had is counted lost, once.
        if (!world.gameOver)
            recordDamage(world, *world.ship, world.ship->health, causeBlackHole, *hole, *hole);
        world.gameOver = true;
    } else {
        // A swallowed planet or black hole must stop pulling before cleanup
        // frees it, or gravity would read freed memory.
        if (isAttractingMass(victim))
            world.attractingMasses.remove(victim);
        victim->type = typeDead;
    }
    for (Spring* rope : world.springs) {
        if (rope->endA == victim && rope->endB != hole)
            rope->endA = hole;
        else if (rope->endB == victim && rope->endA != hole)
            rope->endB = hole;
        else
            continue;
        rope->restLength = rope->lastLength = rope->length(world);
    }
}

// Rule 5, crash sound: heard from the middle of the pair, louder the harder
// the impact (the presentation sets the volume from the damage).
constexpr float crashThreshold = 3.0f; // damage up to this is silent

// Rule 5, with d = B - A (units), |d| < rsum, and velocities in units/ms:
//   separation: each circle moves out along d until they just touch; a
//               planet or black hole stays put and the other moves the whole way
//   p = (v . d) / |d|^2, u = p d   the normal part of each velocity
//   vA += (uA (mA - e mB) + (1 + e) mB uB) / (mA + mB) - uA   and likewise B
//   damage to both = 1e6 (pA - pB)^2
constexpr float restitution = 0.7f;
constexpr float impactDamageFactor = 1e6f;

void bounce(World& world, Object* a, Object* b, float dx, float dy, float d, float rsum)
{
    const float k = rsum / d - 1;
    const float hx = dx * k * 0.5f;
    const float hy = dy * k * 0.5f;
    if (isFixedBody(a)) {
        b->x += 2 * hx;
        b->y += 2 * hy;
    } else if (isFixedBody(b)) {
        a->x -= 2 * hx;
        a->y -= 2 * hy;
    } else {
        a->x -= hx;
        a->y -= hy;
        b->x += hx;
        b->y += hy;
    }

    const float d2 = d * d;
    const float pA = (dx * a->vx + dy * a->vy) / d2;
    const float pB = (dx * b->vx + dy * b->vy) / d2;
    const float uAx = pA * dx, uAy = pA * dy;
    const float uBx = pB * dx, uBy = pB * dy;
    a->vx -= uAx;
    a->vy -= uAy;
    b->vx -= uBx;
    b->vy -= uBy;
    const float mA = a->mass, mB = b->mass;
    const float s = 1 / (mA + mB);
    a->vx += (uAx * (mA - restitution * mB) + (1 + restitution) * mB * uBx) * s;
    a->vy += (uAy * (mA - restitution * mB) + (1 + restitution) * mB * uBy) * s;
    b->vx += (uBx * (mB - restitution * mA) + (1 + restitution) * mA * uAx) * s;
    b->vy += (uBy * (mB - restitution * mA) + (1 + restitution) * mA * uAy) * s;

    // A contact hurts once, when it begins (world/contacts.h): a ship held
    // on a planet by a taut rope was driven back into it every few steps,
    // and each touch counted as a fresh impact, hundreds of health a second.
    if (lastingContact(world, a, b, world.levelStats.gameTime))
        return;
    const float dmg = impactDamageFactor * (pA - pB) * (pA - pB);
    a->health -= dmg;
    b->health -= dmg;
    a->lastHitStep = b->lastHitStep = world.levelStats.gameTime;
    recordDamage(world, *a, dmg, causeCrash, *b, *b);
    recordDamage(world, *b, dmg, causeCrash, *a, *a);

    // With no ship there is nobody to hear it.
    if (!world.ship || !(dmg > crashThreshold))
        return;
    const float mx = (a->x + b->x) / 2 - world.ship->x;
    const float my = (a->y + b->y) / 2 - world.ship->y;
    raiseSound(
        world, Sound::crash, mx, my, static_cast<float>(simHypot(world.levelMath, mx, my)), dmg);
}

// One contact, by the rules in the order of the table at the top.
void handleContact(World& world, Object* a, Object* b, float dx, float dy, float d, float rsum)
{
    // 1. Hook catch, by a hook that holds nothing yet.
    const Object* hook = isHook(a) ? a : (isHook(b) ? b : nullptr);
    if (hook && !holdsARope(world, hook) && !a->hooked && !b->hooked && !traitsOf(a->type).weapon
        && !traitsOf(b->type).weapon) {
        if (a->type != typeSun && b->type != typeSun)
            catchWithHook(world, a, b);
        return;
    }
    // 2. Projectile: with two, A is the shot and B its target.
    if (traitsOf(a->type).weapon) {
        hitByProjectile(world, a, b);
        return;
    }
    if (traitsOf(b->type).weapon) {
        hitByProjectile(world, b, a);
        return;
    }
    // 3. Sun.
    if (a->type == typeSun) {
        burn(world, *a, b);
        return;
    }
    if (b->type == typeSun) {
        burn(world, *b, a);
        return;
    }
    // 4. Black hole: with two, A swallows B.
    if (a->type == typeBlackHole && !isHook(b)) {
        swallow(world, a, b);
        return;
    }
    if (b->type == typeBlackHole && !isHook(a)) {
        swallow(world, b, a);
        return;
    }
    // 5. Bounce. Circles at the very same centre have no normal to bounce
    // along: that pair does not bounce this step.
    if (d == 0)
        return;
    bounce(world, a, b, dx, dy, d, rsum);
}

// The sort: the same order as the list's own stable sort with cmpObjectX,
// but done on a copy of the left edges, which sit together in memory
// instead of one object per comparison. The objects barely move between
// steps, so the list is nearly in order already and insertion sort finishes
// in about one pass; a list far out of order (a new level) goes to a
// merge sort instead. Both are stable, so ties keep their order either way.
using Edge = SweepEdge;

bool leftOf(const Edge& a, const Edge& b)
{
    return a.left < b.left;
}

// What the sweep reads of o, as it stands now.
SweepBody sweepBody(Object* o)
{
    return {o->x - o->radius, o->x + o->radius, o->x, o->y, o->radius, traitsOf(o->type).touches,
        o->type == typeEnemy || o->type == typePlanet, o};
}

void sortByLeftEdge(World& world, std::list<Object*>* list)
{
    std::vector<Edge>& edges = world.sweepEdges;
    std::vector<SweepBody>& sweepBodies = world.sweepBodies;
    edges.clear();
    for (Object* o : *list)
        edges.push_back({o->x - o->radius, o});
    const size_t n = edges.size();
    size_t budget = 8 * n; // moves before insertion sort gives up
    bool sorted = true;
    for (size_t i = 1; i < n && sorted; ++i) {
        const Edge e = edges[i];
        size_t j = i;
        for (; j > 0 && leftOf(e, edges[j - 1]); --j) {
            edges[j] = edges[j - 1];
            if (--budget == 0) {
                sorted = false;
                --j;
                break;
            }
        }
        edges[j] = e;
    }
    if (!sorted)
        std::stable_sort(edges.begin(), edges.end(), leftOf);
    sweepBodies.clear();
    auto node = list->begin();
    for (const Edge& e : edges) {
        *node++ = e.object;
        sweepBodies.push_back(sweepBody(e.object));
    }
}

} // namespace

// The sweep reads each object's copy in sweepBodies rather than the object
// itself: a pile of a few hundred enemies pressed together is a hundred
// thousand pairs a step, and the copies sit together in memory. A contact
// moves its pair (and may kill one), so the pair's copies are taken again
// after each. Two plain objects (enemies, planets) pass through nothing and
// meet no rule but the bounce, which needs the two centres apart: such a
// pair goes straight to it.
void collisionDetect(World& world, std::list<Object*>* list)
{
    ageContacts(world, world.levelStats.gameTime);
    sortByLeftEdge(world, list);
    std::vector<SweepBody>& bodies = world.sweepBodies;
    const size_t n = bodies.size();
    for (size_t i = 0; i < n; ++i) {
        SweepBody& a = bodies[i];
        for (size_t j = i + 1; j < n; ++j) {
            // Turrets, wrecks, the dead and the flame touch nothing. A can
            // only fall out of play during its scan (swallowed), never back.
            if (!a.touches)
                break;
            SweepBody& b = bodies[j];
            // Nothing later in the list starts before A ends.
            if (b.left >= a.right)
                break;
            if (!b.touches)
                continue;
            const bool plainPair = a.plain && b.plain;
            if (!plainPair && passThrough(world, a.object, b.object))
                continue;
            const float dy = b.y - a.y;
            const float rsum = a.radius + b.radius;
            if (!(std::fabs(dy) < rsum))
                continue;
            const float dx = b.x - a.x;
            if (plainPair && dx == 0 && dy == 0)
                continue; // no normal to bounce along
            const float d = static_cast<float>(
                std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
            // Circles that only touch do not collide.
            if (!(d < rsum))
                continue;
            if (plainPair) {
                if (d == 0)
                    continue;
                bounce(world, a.object, b.object, dx, dy, d, rsum);
            } else {
                handleContact(world, a.object, b.object, dx, dy, d, rsum);
            }
            a = sweepBody(a.object);
            b = sweepBody(b.object);
        }
    }
}

} // namespace tether
