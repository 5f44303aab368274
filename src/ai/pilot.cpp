// The pilot: a reaction time of memory, a picture of the present carried
// forward from it, a course, the keys that fly it, and the pointer with its
// clicks.
#include "ai/pilot.h"

#include "world/angles.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/simmath.h"
#include "world/tuning.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tether {

namespace {

struct Vec {
    float x = 0, y = 0;
};

Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, float k)
{
    return {a.x * k, a.y * k};
}
float dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y;
}
float length(Vec a)
{
    return std::sqrt(dot(a, a));
}
Vec unit(Vec a)
{
    const float l = length(a);
    return l > 0 ? a * (1 / l) : Vec {};
}
// A quarter turn clockwise on the screen (y grows downwards).
Vec clockwise(Vec a)
{
    return {-a.y, a.x};
}

float wrapAngle(float a)
{
    while (a > pi)
        a = static_cast<float>(a - 2 * pi);
    while (a < -pi)
        a = static_cast<float>(a + 2 * pi);
    return a;
}

// --- Seeing: the present as the pilot believes it ---

// One thing where the pilot believes it is now.
struct Thing {
    const Sighting* seen;
    Vec at; // offset from the ship's centre, units
    Vec v; // its velocity, units per ms
    float dist;
};

struct Scene {
    const PilotView* past; // what it reacts to
    const PilotView* now; // the screen under the pointer: only to place the pointer
    Vec shipV; // the ship's velocity as it feels it
    float shipAngle;
    Vec mount; // the hooks' home, from the ship's centre
    std::vector<Thing> things;
};

// The keys' directions of the first two ships: up wins over down, right
// over left; {0, 0} with none held.
Vec keyDirection(unsigned actions)
{
    const float d = 0.70710677f;
    const float x = (actions & actionRight) ? 1.0f : (actions & actionLeft) ? -1.0f : 0.0f;
    const float y = (actions & actionUp) ? -1.0f : (actions & actionDown) ? 1.0f : 0.0f;
    return x != 0 && y != 0 ? Vec {x * d, y * d} : Vec {x, y};
}

// The ship as the player feels it: the last one seen, moved on ms by ms by
// the keys pressed since, as the chosen ship answers them. Gravity and
// ropes are not felt until they are seen.
void feelOwnShip(World& world, const Pilot& pilot, const PilotView& past, int64_t now, Vec& at,
    Vec& v, float& angle)
{
    at = {past.shipX, past.shipY};
    v = {past.shipVX, past.shipVY};
    angle = past.shipAngle;
    const float push
        = world.tuning.shipMass > 0 ? world.tuning.shipMaxThrust / world.tuning.shipMass : 0;
    const ShipTraits& traits = shipTraits(past.shipChoice);
    const float reversePush = static_cast<float>(traits.reverseThrust) * push;
    const float strafePush = static_cast<float>(traits.strafeThrust) * push;
    // The heading's sine and cosine, taken again only when it turns (a
    // fifth of a second is felt anew every frame, most of it on one
    // heading). The same angle to the bit gives the same pair.
    float headingOf = std::numeric_limits<float>::quiet_NaN(); // none taken yet
    SinCosOf<float> heading {0, 0};
    const auto ahead = [&](float a) {
        if (!(a == headingOf && std::signbit(a) == std::signbit(headingOf))) {
            headingOf = a;
            heading = simSinCos(world.levelMath, a);
        }
        return Vec {heading.cos, heading.sin};
    };
    for (size_t i = 0; i < pilot.pressed.size(); ++i) {
        const int64_t from = std::max(pilot.pressed[i].from, past.time);
        const int64_t to = i + 1 < pilot.pressed.size() ? pilot.pressed[i + 1].from : now;
        const unsigned keys = pilot.pressed[i].actions;
        const Vec dir = keyDirection(keys);
        const bool any = dir.x != 0 || dir.y != 0;
        // The heading the keys ask for, the same all along their hold.
        const float keyBearing = traits.steering == Steering::byHeading && any && from < to
            ? simAtan2(world.levelMath, dir.y, dir.x)
            : 0.0f;
        for (int64_t t = from; t < to; ++t) {
            switch (traits.steering) {
            case Steering::byVelocity: {
                const Vec dv = dir * world.tuning.shipMaxSpeed - v;
                if (length(dv) > push)
                    v = v + unit(dv) * push;
                else
                    v = dir * world.tuning.shipMaxSpeed;
                break;
            }
            case Steering::byHeading:
                if (any) {
                    const float diff = wrapAngle(keyBearing - angle);
                    if (std::fabs(diff) < pi / 2)
                        v = v + ahead(angle) * push;
                    angle += std::clamp(
                        diff, -world.tuning.shipRotationSpeed, world.tuning.shipRotationSpeed);
                }
                break;
            case Steering::byRotation: {
                const Vec forward = ahead(angle);
                if (keys & actionUp)
                    v = v + forward * push;
                else if (keys & actionDown)
                    v = v - forward * reversePush;
                if (keys & actionStrafeRight)
                    v = v + clockwise(forward) * strafePush;
                else if (keys & actionStrafeLeft)
                    v = v - clockwise(forward) * strafePush;
                const float rate = traits.fixedTurnRate;
                angle += (keys & actionLeft) ? -rate : (keys & actionRight) ? rate : 0.0f;
                break;
            }
            }
            if (length(v) > world.tuning.shipMaxSpeed)
                v = unit(v) * world.tuning.shipMaxSpeed;
            at = at + v;
        }
    }
}

// Keeps the views of the last reaction time, and the keys pressed since
// the oldest of them.
void remember(Pilot& pilot, const PilotView& view)
{
    pilot.seen.push_back(view);
    while (pilot.seen.size() > 1 && pilot.seen[1].time <= view.time - reactionTime)
        pilot.seen.pop_front();
    while (pilot.pressed.size() > 1 && pilot.pressed[1].from <= pilot.seen.front().time)
        pilot.pressed.pop_front();
}

Scene perceive(World& world, const Pilot& pilot, const PilotView& now)
{
    Scene scene;
    const PilotView& past = pilot.seen.front();
    scene.past = &past;
    scene.now = &now;
    Vec shipAt;
    feelOwnShip(world, pilot, past, now.time, shipAt, scene.shipV, scene.shipAngle);
    // The mount rides with the ship; as it was seen, turned with the ship.
    const float turned = scene.shipAngle - past.shipAngle;
    const Vec m {past.mountX - past.shipX, past.mountY - past.shipY};
    const SinCosOf<float> turn = simSinCos(world.levelMath, turned);
    scene.mount = {m.x * turn.cos - m.y * turn.sin, m.x * turn.sin + m.y * turn.cos};
    const float age = static_cast<float>(now.time - past.time);
    for (const Sighting& s : past.things) {
        Thing t;
        t.seen = &s;
        t.v = {s.vx, s.vy};
        t.at = Vec {s.x, s.y} + t.v * age - shipAt;
        t.dist = length(t.at);
        scene.things.push_back(t);
    }
    return scene;
}

bool isDeadly(int type)
{
    return type == typeSun || type == typeBlackHole;
}

// --- Flying: where to go ---

constexpr float cruise = 0.45f; // units per ms, a little under the ship's top speed
// Enemies wake when the ship comes within 3000 units; a player soon learns
// about where.
constexpr float wakeRange = 2900.0f;
constexpr float closeIn = 1200.0f; // an awake enemy this near is met rather than waited for
constexpr float standOff = 350.0f; // where it is met: well inside the hook's reach
constexpr float stationGap = 150.0f; // from a sun's rim to where the pilot waits beyond it
constexpr float holeGap = 330.0f; // the same for a black hole, which pulls harder than it looks
constexpr float radialGain = 0.004f; // units per ms of course per unit off the circle flown
constexpr float closestGap = 100.0f; // the nearest a tow brings the ship to the anvil's rim
constexpr float towGap = 20.0f; // the tow's circle inside the anvil's rim by this much
constexpr int64_t towLimit = 6000; // ms a tow may take to find the fire
// An enemy this near and closing this fast (units per ms) is rushing in.
constexpr float rushRange = 900.0f;
constexpr float rushSpeed = 1.0f;

// Where enemies go to die: the nearest sun, or without one the nearest
// black hole.
const Thing* anvilOf(const Scene& scene)
{
    const Thing* best = nullptr;
    for (const Thing& t : scene.things) {
        if (!isDeadly(t.seen->type))
            continue;
        const bool better = !best || (t.seen->type == typeSun) > (best->seen->type == typeSun)
            || ((t.seen->type == typeSun) == (best->seen->type == typeSun) && t.dist < best->dist);
        if (better)
            best = &t;
    }
    return best;
}

float safeRadius(const Thing& anvil)
{
    return anvil.seen->radius + (anvil.seen->type == typeBlackHole ? holeGap : stationGap);
}

// The nearest enemy seen that is not on our rope.
const Thing* nearestEnemy(const Scene& scene)
{
    const Thing* best = nullptr;
    for (const Thing& t : scene.things) {
        if (t.seen->type == typeEnemy && !t.seen->onOurRope && (!best || t.dist < best->dist))
            best = &t;
    }
    return best;
}

const Thing* towedEnemy(const Scene& scene)
{
    for (const Thing& t : scene.things) {
        if (t.seen->onOurRope && t.seen->type == typeEnemy)
            return &t;
    }
    return nullptr;
}

// Round the anvil at radius, sense +1 clockwise on the screen.
Vec circle(const Thing& anvil, float radius, int sense)
{
    const Vec out = unit(anvil.at * -1);
    const Vec along = clockwise(out) * static_cast<float>(sense);
    return along * cruise + out * std::clamp((radius - anvil.dist) * radialGain, -cruise, cruise);
}

// Round the anvil close enough that an enemy towed rope behind the ship
// cuts inside the turn into it: a tow on a rope of length L follows a circle
// of radius sqrt(r^2 - L^2) inside the ship's circle of radius r.
Vec tow(const Pilot& pilot, const Thing& anvil, const Thing& towed)
{
    const float reach = anvil.seen->radius + towed.seen->radius;
    const float radius = std::clamp(std::sqrt(reach * reach + towed.dist * towed.dist) - towGap,
        anvil.seen->radius + closestGap, safeRadius(anvil));
    return circle(anvil, radius, pilot.sense);
}

// The ms a ship that turns to brake needs to face about, at its fixed rate
// or else the data file's rotation speed; a ship that never turns needs none.
float turnTime(World& world, int shipChoice)
{
    const ShipTraits& traits = shipTraits(shipChoice);
    if (traits.steering == Steering::byVelocity)
        return 0;
    const float rate
        = traits.fixedTurnRate > 0 ? traits.fixedTurnRate : world.tuning.shipRotationSpeed;
    return rate > 0 ? static_cast<float>(pi) / rate : 0;
}

constexpr float brakeRate = 0.00025f; // units per ms^2 counted on: half the thrust, gravity aside

// The speed from which the ship still stops within dist: it reacts, turns
// about if it must, and brakes: v T + v^2 / (2 a) = dist.
float arrivalSpeed(World& world, const Scene& scene, float dist)
{
    const float late = static_cast<float>(reactionTime) + turnTime(world, scene.past->shipChoice);
    const float a = brakeRate;
    return std::min(cruise, a * (std::sqrt(late * late + 2 * dist / a) - late));
}

// Toward a point (from the ship), slowing as it comes near so that it can
// stop there; round the anvil when it stands in the way.
Vec goTo(World& world, const Scene& scene, const Thing& anvil, Vec point)
{
    const float dist = length(point);
    const Vec dir = unit(point);
    const float along = dot(anvil.at, dir);
    const float aside = length(anvil.at - dir * along);
    if (along > 0 && along < dist && aside < safeRadius(anvil) - 20) {
        // The anvil is in the way: round it on the side of the point.
        const Vec fromAnvil = point - anvil.at;
        const Vec out = anvil.at * -1;
        const float turn = simAtan2(
            world.levelMath, out.x * fromAnvil.y - out.y * fromAnvil.x, dot(out, fromAnvil));
        return circle(anvil, safeRadius(anvil), turn > 0 ? 1 : -1);
    }
    return dir * arrivalSpeed(world, scene, dist);
}

// With no enemy on the rope: wait beyond the anvil from the nearest enemy,
// so that it flies through the fire to come at the ship, and hook it if it
// does not. With none awake, go and wake the nearest, then come back.
Vec hunt(World& world, const Scene& scene, const Thing* anvil)
{
    const Thing* enemy = nearestEnemy(scene);
    if (!enemy) {
        // Only a bearing on the radar's rim: toward it, round the anvil when
        // it stands in the way (straight at it, the ship would stall at the
        // anvil's margin for good).
        for (float bearing : scene.past->farEnemyBearings) {
            const Vec far = Vec {simCos(world.levelMath, bearing), simSin(world.levelMath, bearing)}
                * wakeRange;
            return anvil ? goTo(world, scene, *anvil, far) : unit(far) * cruise;
        }
        return {};
    }
    if (!anvil)
        return unit(enemy->at) * cruise;
    if (enemy->dist > wakeRange)
        return goTo(world, scene, *anvil, enemy->at);
    if (enemy->dist < closeIn) {
        // Near: into hook reach, round the anvil if it is in the way, and
        // across the enemy's line so that its fire goes by.
        const Vec reach = enemy->at - unit(enemy->at) * standOff;
        const float weave = ((scene.now->time / 1500) % 2) ? 1.0f : -1.0f;
        return goTo(world, scene, *anvil, reach) + clockwise(unit(enemy->at)) * (0.3f * weave);
    }
    // Waiting beyond the anvil works only where the enemy still senses the
    // ship: from farther it stops and brakes, and the wait never ends. So
    // an enemy far from the anvil is met on its way instead.
    const Vec beyond = anvil->at + unit(anvil->at - enemy->at) * safeRadius(*anvil);
    if (length(beyond - enemy->at) > wakeRange)
        return goTo(world, scene, *anvil, enemy->at);
    return goTo(world, scene, *anvil, beyond);
}

Vec chooseCourse(World& world, Pilot& pilot, const Scene& scene)
{
    // A body caught by a hook resting at the mount is caught again as long
    // as the mount touches it: a ship whose mount sits behind first turns
    // to face it, so that the mount is on the far side; then away.
    for (const Thing& t : scene.things) {
        if (!t.seen->onOurRope || t.seen->type == typeEnemy)
            continue;
        if (length(scene.mount) > 1 && dot(unit(t.at), unit(scene.mount)) > -0.5f)
            return unit(t.at) * 0.1f;
        return unit(t.at) * -cruise;
    }
    const Thing* anvil = anvilOf(scene);
    const Thing* towed = towedEnemy(scene);
    if (!towed) {
        pilot.towing = 0;
        pilot.tieOffTries = 0;
        return hunt(world, scene, anvil);
    }
    if (towed->seen->id != pilot.towing) {
        // A new tow: round the anvil the way that leads away from it.
        pilot.towing = towed->seen->id;
        pilot.towStart = scene.now->time;
        pilot.tieOffTries = 0;
        if (anvil) {
            const Vec along = clockwise(unit(anvil->at * -1));
            pilot.sense = dot(along, towed->at) < 0 ? 1 : -1;
        }
    }
    // Another enemy rushing in meets the towed one first: the ship runs
    // straight away from it, and the tow trails behind, in its way.
    const Thing* rusher = nullptr;
    for (const Thing& t : scene.things) {
        if (t.seen->type == typeEnemy && !t.seen->onOurRope && t.dist < rushRange
            && -dot(t.v - scene.shipV, unit(t.at)) > rushSpeed
            && (!rusher || t.dist < rusher->dist))
            rusher = &t;
    }
    if (rusher)
        return unit(rusher->at) * -cruise;
    if (!anvil) {
        const Thing* other = nearestEnemy(scene);
        return other ? unit(other->at) * -cruise : Vec {};
    }
    return tow(pilot, *anvil, *towed);
}

// Bends a course away from suns, black holes and planets: the nearer the
// ship is to one, the slower it may go toward it, now or by the course.
// A planet only bounces the ship, but a hook resting at the mount catches it
// when the ship comes that close.
// Near its rim a sun pulls harder than a ship can thrust (within about 140
// units of the centre of a sun of 2e11, the most common): the margin keeps
// the ship where it can still climb out.
constexpr float sunMargin = 100.0f; // units beyond the rim, ship's radius aside
constexpr float holeMargin = 220.0f;
constexpr float planetMargin = 40.0f;

Vec keepClear(World& world, const Scene& scene, Vec want)
{
    for (const Thing& t : scene.things) {
        const int type = t.seen->type;
        if (type != typeSun && type != typeBlackHole && type != typePlanet)
            continue;
        // A planet caught by a hook resting at the mount: the course turns
        // the mount away from it first (chooseCourse); pushing off at once
        // would keep the mount on it, caught again and again.
        if (type == typePlanet && t.seen->onOurRope)
            continue;
        const float margin = type == typeBlackHole ? holeMargin
            : type == typeSun                      ? sunMargin
                                                   : planetMargin;
        const float gap = t.dist - (t.seen->radius + scene.past->shipRadius + margin);
        if (gap > 400)
            continue;
        const Vec out = unit(t.at * -1);
        // Inward no faster than the ship can stop in the room left, the
        // time to react (and, for a ship that must turn to brake, to turn)
        // already gone.
        const float falling = -dot(scene.shipV, out);
        const float late
            = static_cast<float>(reactionTime) + turnTime(world, scene.past->shipChoice);
        const float room = std::max(0.0f, gap - std::max(falling, 0.3f) * late);
        const float allowed = std::sqrt(2 * brakeRate * room);
        const float inward = -dot(want, out);
        if (inward > allowed)
            want = want + out * (inward - allowed);
        if (falling > allowed)
            want = want + out * (2 * (falling - allowed));
        if (gap < 0)
            want = want + out * cruise;
    }
    return want;
}

// --- The ship's own controls ---

unsigned keysFor(Vec dir)
{
    unsigned keys = 0;
    if (dir.x > 0.38f)
        keys |= actionRight;
    else if (dir.x < -0.38f)
        keys |= actionLeft;
    if (dir.y > 0.38f)
        keys |= actionDown;
    else if (dir.y < -0.38f)
        keys |= actionUp;
    return keys;
}

unsigned steer(World& world, const Scene& scene, Vec want, int& turning)
{
    const Vec dv = want - scene.shipV;
    switch (shipTraits(scene.past->shipChoice).steering) {
    case Steering::byVelocity: {
        // The keys choose the velocity striven for, and full thrust goes
        // toward it: the keys whose thrust points most nearly the way the
        // velocity must change, and whose velocity is nearest the one wanted.
        const unsigned eight[]
            = {0, actionUp, actionDown, actionLeft, actionRight, actionUp | actionLeft,
                actionUp | actionRight, actionDown | actionLeft, actionDown | actionRight};
        const Vec change = unit(dv);
        unsigned best = 0;
        float bestMiss = 1e30f;
        for (unsigned keys : eight) {
            const Vec goal = keyDirection(keys) * world.tuning.shipMaxSpeed;
            const float miss = length(unit(goal - scene.shipV) - change)
                + length(goal - want) / world.tuning.shipMaxSpeed;
            if (miss < bestMiss) {
                best = keys;
                bestMiss = miss;
            }
        }
        return best;
    }
    case Steering::byHeading:
        // The keys choose a heading; the ship thrusts along it.
        return length(dv) < 0.05f ? 0 : keysFor(unit(dv));
    case Steering::byRotation: {
        // Turn toward the change wanted; thrust when facing it, strafe when
        // it lies to a side, reverse when behind.
        if (length(dv) < 0.04f)
            return 0;
        const float diff = wrapAngle(simAtan2(world.levelMath, dv.y, dv.x) - scene.shipAngle);
        // Facing about, it keeps turning the way it turns: the change
        // wanted wavers about straight behind, and a turn that flips with
        // it never comes round.
        const bool about = std::fabs(diff) > 2.6f;
        const int way = about && turning != 0 ? turning : (diff > 0 ? 1 : -1);
        unsigned keys = 0;
        if (std::fabs(diff) > 0.08f) {
            keys |= way > 0 ? actionRight : actionLeft;
            turning = way;
        } else {
            turning = 0;
        }
        const float off = std::fabs(diff);
        if (off < 0.5f)
            keys |= actionUp;
        else if (off > 2.6f)
            keys |= actionDown;
        if (off > 0.9f && off < 2.2f)
            keys |= diff > 0 ? actionStrafeRight : actionStrafeLeft;
        return keys;
    }
    }
    return 0;
}

// --- The hooks ---

constexpr float aimSpread = 0.05f; // radians, one standard deviation (about 3 degrees)
constexpr int64_t clickGap = 250; // ms between two clicks of a hand
constexpr float reachMargin = 40.0f; // short of the hook's turning point
constexpr int tieOffPatience = 4; // right clicks that do nothing before a player gives up

float gaussian(World& world, Random& random)
{
    const float u = (static_cast<float>(random.next15()) + 0.5f) / 32768.0f;
    const float w = (static_cast<float>(random.next15()) + 0.5f) / 32768.0f;
    return std::sqrt(-2 * simLog(world.levelMath, u))
        * simCos(world.levelMath, static_cast<float>(2 * pi) * w);
}

// Where a hook fired now meets t: the point ahead of it that the hook,
// flying straight from the mount, reaches at the same moment. False when it
// cannot within the hook's reach.
bool intercept(World& world, const Scene& scene, const Thing& t, Vec& aim)
{
    const Vec p = t.at - scene.mount;
    const Vec w = t.v - scene.shipV;
    // |p + w t| = grapSpeed t: the first t > 0 that solves it.
    const float a = dot(w, w) - world.tuning.grapSpeed * world.tuning.grapSpeed;
    const float b = 2 * dot(p, w);
    const float c = dot(p, p);
    float time = -1;
    if (std::fabs(a) < 1e-6f) {
        if (b < 0)
            time = -c / b;
    } else {
        const float disc = b * b - 4 * a * c;
        if (disc < 0)
            return false;
        const float r1 = (-b - std::sqrt(disc)) / (2 * a);
        const float r2 = (-b + std::sqrt(disc)) / (2 * a);
        time = std::min(r1, r2) > 0 ? std::min(r1, r2) : std::max(r1, r2);
    }
    if (!(time > 0))
        return false;
    aim = p + w * time;
    return length(aim) < world.tuning.grapMaxDistance - reachMargin + t.seen->radius;
}

// Whether the hook's path to aim passes clear of what it would catch
// instead: planets, black holes, rope nodes.
bool pathClear(World& world, const Scene& scene, const Thing& target, Vec aim)
{
    const float reach = length(aim);
    const Vec dir = unit(aim);
    for (const Thing& t : scene.things) {
        const int type = t.seen->type;
        if (&t == &target || (type != typePlanet && type != typeBlackHole && type != typeRopeNode))
            continue;
        const Vec p = t.at - scene.mount;
        const float along = dot(p, dir);
        if (along < 0 || along > reach + t.seen->radius)
            continue;
        if (length(p - dir * along) < t.seen->radius + world.tuning.grapRadius + 10)
            return false;
    }
    return true;
}

// Whether t, going on as it goes, passes within reach of the ship's centre
// in the next second.
bool onCollisionCourse(const Scene& scene, const Thing& t, float reach)
{
    const Vec w = t.v - scene.shipV;
    const float ww = dot(w, w);
    const float when = ww > 0 ? std::clamp(-dot(t.at, w) / ww, 0.0f, 1000.0f) : 0.0f;
    return length(t.at + w * when) < reach;
}

// What to throw a hook at, most urgent first: a BFG ball or a shredder
// coming at the ship (a hook spends any shot it touches), a mine, an enemy
// rushing in, then (with no rope out) the enemy met soonest. The hook goes
// where the target will be, if that is on the screen.
const Thing* chooseTarget(World& world, const Scene& scene, Vec& aim)
{
    const Thing* best = nullptr;
    float bestScore = 1e30f;
    const bool holding = scene.past->ropesHeld > 0;
    const float shipRadius = scene.past->shipRadius;
    for (const Thing& t : scene.things) {
        const int type = t.seen->type;
        const float closing = -dot(t.v - scene.shipV, unit(t.at));
        float score;
        if (type == typeBfg || type == typeShredder) {
            if (!onCollisionCourse(scene, t, shipRadius + t.seen->radius + 20))
                continue;
            score = type == typeBfg ? -3000.0f : 500.0f;
        } else if (type == typeMine) {
            score = -2000.0f;
        } else if (type == typeEnemy && !t.seen->onOurRope) {
            // With a rope out, only an enemy rushing in is worth the other
            // hook.
            const bool rushing = closing > 0.6f;
            if (holding && !rushing)
                continue;
            score = rushing ? -1000.0f : 0.0f;
        } else {
            continue;
        }
        Vec here;
        if (!intercept(world, scene, t, here) || std::fabs(here.x) > screenHalfWidth
            || std::fabs(here.y) > screenHalfHeight || !pathClear(world, scene, t, here))
            continue;
        score += length(here);
        if (score < bestScore) {
            best = &t;
            bestScore = score;
            aim = here;
        }
    }
    return best;
}

// The pointer is on the screen: the aim keeps its direction and stays on it.
void pointAt(Pilot& pilot, Vec fromShip)
{
    const float sx = std::fabs(fromShip.x) > screenHalfWidth - 2
        ? (screenHalfWidth - 2) / std::fabs(fromShip.x)
        : 1.0f;
    const float sy = std::fabs(fromShip.y) > screenHalfHeight - 2
        ? (screenHalfHeight - 2) / std::fabs(fromShip.y)
        : 1.0f;
    const Vec onScreen = fromShip * std::min(sx, sy);
    pilot.mouseX = screenHalfWidth + onScreen.x;
    pilot.mouseY = screenHalfHeight + onScreen.y;
}

// Whether a held enemy is on its way into a sun or black hole: it will
// touch it within the next few hundred ms, going as it goes.
bool onItsWayIn(const Scene& scene, const Thing& held)
{
    for (const Thing& t : scene.things) {
        if (!isDeadly(t.seen->type))
            continue;
        const Vec rel = held.at - t.at;
        const float touch = t.seen->radius + held.seen->radius + 5;
        for (float ms = 0; ms <= 300; ms += 50) {
            if (length(rel + held.v * ms) < touch)
                return true;
        }
    }
    return false;
}

void handleHooks(World& world, Pilot& pilot, const Scene& scene, FrameInput& input)
{
    const int64_t now = scene.now->time;
    const bool handFree = now - pilot.lastClick >= clickGap;

    // Let go: of anything but an enemy at once; of an enemy on its way in.
    bool letGo = false;
    for (const Thing& t : scene.things) {
        if (!t.seen->onOurRope)
            continue;
        if (onItsWayIn(scene, t))
            letGo = true;
        // A body or a rope node: at once, but with the mount turned away
        // from it, or it is caught again.
        if (t.seen->type != typeEnemy
            && (length(scene.mount) < 1 || dot(unit(t.at), unit(scene.mount)) < -0.5f))
            letGo = true;
    }
    // Two on the ropes are tied to each other; a tow that has not found
    // the fire in time is left on a rope node.
    if (scene.past->ropesHeld > 1 || (pilot.towing && now - pilot.towStart > towLimit))
        letGo = true;
    // The right button sometimes does nothing (a rope can outlive the
    // hooks' hold on it): after a few tries, a player gives up on it.
    if (letGo && handFree && pilot.tieOffTries < tieOffPatience) {
        input.clicks.push_back(Click::tieOff);
        pilot.lastClick = now;
        ++pilot.tieOffTries;
        return;
    }

    Vec aim;
    const Thing* target = chooseTarget(world, scene, aim);
    if (!target) {
        pilot.aimedAt = 0;
        pilot.framesOnAim = 0;
        return;
    }
    const uintptr_t id = target->seen->id;
    if (id != pilot.aimedAt) {
        pilot.aimedAt = id;
        pilot.framesOnAim = 0;
        pilot.aimError = aimSpread * gaussian(world, pilot.random);
    }
    const SinCosOf<float> error = simSinCos(world.levelMath, pilot.aimError);
    const float c = error.cos, s = error.sin;
    const Vec aimed = scene.mount + Vec {aim.x * c - aim.y * s, aim.x * s + aim.y * c};
    // A hand needs a frame on the target before the click: the hook points
    // where the pointer was during the frame before.
    if (pilot.framesOnAim >= 1 && scene.past->hooksHome > 0 && handFree) {
        input.clicks.push_back(Click::fireHook);
        pilot.lastClick = now;
        pilot.aimError = aimSpread * gaussian(world, pilot.random);
        pilot.framesOnAim = 0;
    } else {
        ++pilot.framesOnAim;
    }
    pointAt(pilot, aimed);
}

} // namespace

Pilot newPilot(uint64_t seed)
{
    Pilot pilot;
    pilot.random.reseed(seed ^ 0x70696c6f74ull); // apart from the rules' draws of the same seed
    pilot.sense = (pilot.random.next() & 1) ? 1 : -1;
    return pilot;
}

FrameInput flyPilot(World& world, Pilot& pilot, const PilotView& view)
{
    remember(pilot, view);
    const Scene scene = perceive(world, pilot, view);
    FrameInput input;
    input.actions = steer(
        world, scene, keepClear(world, scene, chooseCourse(world, pilot, scene)), pilot.turning);
    handleHooks(world, pilot, scene, input);
    input.pointerX = static_cast<float>(view.cameraX) + pilot.mouseX;
    input.pointerY = static_cast<float>(view.cameraY) + pilot.mouseY;
    pilot.pressed.push_back({view.time, input.actions});
    return input;
}

} // namespace tether
