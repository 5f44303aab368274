// Enemy AI. Every step each enemy ship and mine turns toward the ship, is
// pulled toward it by a damped spring (round a body in the way, or braking
// when the ship is very far),
// and, when its weapon is loaded and the ship is in range, fires the volley
// of its class along its current heading. The AI keeps no state: the weapon
// cycle is the Object's `loaded` flag, cleared here and re-armed by motion
// after `reloadTime`. It never looks at `type`, so a dying enemy goes on
// steering and firing until it is removed. What each class does is its row
// of the class table (world/enemyclasses.h). Mines have no class: they turn
// and home like ships and never fire. Gunshots are raised as sound events,
// heard from the shooter's place relative to the ship; a random shot's pick
// comes from the rules' own generator.
#include "ai/ai.h"
#include "world/angles.h"

#include "world/connector.h"
#include "world/enemyclasses.h"
#include "world/events.h"
#include "world/object.h"
#include "world/random.h"
#include "world/simmath.h"
#include "world/tuning.h"
#include "world/validate.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// Turning, radians and radians per ms: a steady spin ignores the bearing;
// the others turn toward it at their rate. Mines turn at the common rate.
constexpr double deadBand = 0.1; // this close to the bearing, hold the heading
constexpr float turnRate = 0.03f;
constexpr float slowTurnRate = 0.002f;
constexpr float steadySpin = 0.006f;

Turning turningOf(const Object& self)
{
    const EnemyClassTraits* traits = classTraits(self.kind);
    return traits ? traits->turning : Turning::towardBearing;
}

void turn(Object& self, float bearing)
{
    const Turning turning = turningOf(self);
    if (turning == Turning::steadySpin) {
        self.spin = steadySpin;
        return;
    }
    // The heading error, brought into -pi..pi by one correction each way.
    float diff = self.angle - bearing;
    if (diff < -pi)
        diff = static_cast<float>(diff + 2 * pi);
    if (diff > pi)
        diff = static_cast<float>(diff - 2 * pi);
    const float rate = turning == Turning::slowly ? slowTurnRate : turnRate;
    if (diff > deadBand)
        self.spin = -rate;
    else if (diff < -deadBand)
        self.spin = rate;
    else
        self.spin = 0;
}

// The chase is a spring whose rest point lies standOff units short of the
// target on the line to it, damped against the enemy's own velocity (force
// per unit of distance, per unit per ms of velocity), with u the unit
// vector toward the target and d the distance:
//   f = pullStiffness * (d - standOff) * u - k * v,
//   k = 200 * sqrt(pullStiffness / mass)
// With velocity += f / mass every ms and the target at rest, the damping
// ratio is 100 / mass: critical at mass 100, swinging about the target for
// heavier ships.
//
// An enemy's own engine limits the chase: the force is at most the class's
// max thrust, and it never pushes the enemy along its motion beyond the
// class's max speed (units per ms). Unbounded, the spring's pull grows with
// the distance: from 3000 units away an enemy would arrive at several units
// per ms, too fast to be seen and ramming for hundreds of health. Ropes and
// gravity are not the enemy's engine: they may still throw it faster. A
// class whose limit is 0 or less (no data record) is not limited.
constexpr double pullStiffness = 0.0005;
constexpr double dampingScale = 200.0;
// From this far on the enemy stops chasing and brakes against its motion.
constexpr float farRange = 3000.0f;

// An enemy with a gun holds off this far from the ship and fires from
// there: sitting on the ship it would fire into it point blank, every
// reload, a drain with no shot to be seen or dodged. Enemies without a
// volley and mines close in: ramming is their attack.
constexpr double gunStandOff = 250.0;

double standOff(const Object& self)
{
    const EnemyClassTraits* traits = classTraits(self.kind);
    return traits && traits->volley != Volley::none ? gunStandOff : 0.0;
}

// The full thrust of self's class; anything without a class (a mine) has none.
float classThrust(World& world, const Object& self)
{
    return classTraits(self.kind) ? world.tuning.enMaxThrust[self.kind - 1] : 0.0f;
}

float classMaxSpeed(World& world, const Object& self)
{
    return classTraits(self.kind) ? world.tuning.enMaxSpeed[self.kind - 1] : 0.0f;
}

// Holds the chase force (fx, fy) within what self's engine can do.
void limitChase(World& world, const Object& self, double& fx, double& fy)
{
    const double thrust = classThrust(world, self);
    const double force = simHypot(world.levelMath, fx, fy);
    if (thrust > 0 && force > thrust) {
        fx *= thrust / force;
        fy *= thrust / force;
    }
    const double maxSpeed = classMaxSpeed(world, self);
    const double speed2
        = static_cast<double>(self.vx) * self.vx + static_cast<double>(self.vy) * self.vy;
    const double along = fx * self.vx + fy * self.vy;
    if (maxSpeed > 0 && speed2 >= maxSpeed * maxSpeed && along > 0) {
        // At top speed: keep the turning and braking part only.
        fx -= along / speed2 * self.vx;
        fy -= along / speed2 * self.vy;
    }
}

// A planet, sun or black hole on the straight line to the target would
// hold the chase against its far side for ever, the enemy pressing into it
// while the ship waits on the near side. So the chase bends at the rim of
// the first body in the way: once the enemy is within bendReach of
// touching it, the rest point moves beside the body, detourClearance
// beyond the body's rim and the enemy's own, on the side of the line the
// body leaves most room on. As the enemy slides round, the line to the
// target clears the body and the chase runs straight again. Farther out the
// chase stays straight: an enemy rushing in still meets the body's pull and
// fire on its way, as a player who waits beyond a sun expects. A body
// counts as in the way when the line passes within blockedMargin of
// touching it; the rest point lies farther out, so that it clears the line
// once reached.
constexpr double blockedMargin = 20.0;
constexpr double detourClearance = 80.0;
constexpr double bendReach = 60.0;

// d brought within half a world of size the short way across the wrap:
// d - size * round(d / size). Within 7/16 of a world (a product exact in
// double) the rounding gives a zero of d's sign, so the division is skipped
// with the same result to the bit.
double shortWay(double d, double size)
{
    if (std::fabs(d) < 0.4375 * size)
        return d - size * std::copysign(0.0, d);
    return d - size * std::round(d / size);
}

// The rest point beside the first body between self and the target (dx, dy
// away), as an offset from self; false when no body is in the way.
bool detour(
    World& world, const Object& self, double dx, double dy, double dist, double& rx, double& ry)
{
    if (!(dist > 0))
        return false;
    const double ux = dx / dist, uy = dy / dist;
    const Object* nearest = nullptr;
    double nearestAlong = dist, sideX = 0, sideY = 0;
    for (const Object* body : world.attractingMasses) {
        // The body from self, the short way across the wrap.
        const double bx = shortWay(body->x - self.x, world.worldW);
        const double by = shortWay(body->y - self.y, world.worldH);
        const double along = bx * ux + by * uy;
        // Each test is written so that a broken (NaN) position fails it.
        if (!(along > 0 && along < nearestAlong))
            continue; // behind self, beyond the target, or farther than one found
        const double touching = body->radius + self.radius;
        if (!(bx * bx + by * by < (touching + bendReach) * (touching + bendReach)))
            continue; // not at its rim yet
        const double px = bx - along * ux, py = by - along * uy; // the body off the line
        const double reach = touching + blockedMargin;
        if (!(px * px + py * py < reach * reach))
            continue; // the line passes clear of it
        nearest = body;
        nearestAlong = along;
        const double off = simHypot(world.levelMath, px, py);
        // Round the side the line passes on; dead ahead, always the left.
        sideX = off > 1e-6 ? -px / off : uy;
        sideY = off > 1e-6 ? -py / off : -ux;
        rx = bx;
        ry = by;
    }
    if (!nearest)
        return false;
    const double out = nearest->radius + self.radius + detourClearance;
    rx += sideX * out;
    ry += sideY * out;
    return true;
}

// Pulls self toward the target, or brakes it when the target is far away.
// Returns false when the target is too far for anything more this step.
bool pull(World& world, Object& self, float dx, float dy, float dist)
{
    if (dist >= farRange) {
        const float speed = simHypot(world.levelMath, self.vx, self.vy);
        if (speed == 0.0f)
            return false; // at rest: nothing to brake
        const float brake = classThrust(world, self);
        self.fx -= brake * self.vx / speed;
        self.fy -= brake * self.vy / speed;
        return false;
    }
    const double k = std::sqrt(pullStiffness / self.mass) * dampingScale;
    double fx, fy;
    double rx = 0, ry = 0;
    // The 1.0.0 rules had no detour: an enemy pressed on straight.
    if (enemiesGoRoundBodies(world.rules) && detour(world, self, dx, dy, dist, rx, ry)) {
        // The rest point beside the body in the way.
        fx = pullStiffness * rx - k * self.vx;
        fy = pullStiffness * ry - k * self.vy;
    } else {
        // The pull toward the rest point; at the target itself, none.
        const double toRest = dist > 0 ? pullStiffness * (dist - standOff(self)) / dist : 0.0;
        fx = toRest * dx - k * self.vx;
        fy = toRest * dy - k * self.vy;
    }
    limitChase(world, self, fx, fy);
    self.fx = static_cast<float>(fx);
    self.fy = static_cast<float>(fy);
    return true;
}

// Shots. Every shot weighs 1, never reloads and belongs to its shooter, so
// it does not hit it; its health is its lifetime in ms.
constexpr float shotMass = 1.0f;
constexpr float bulletLife = 1000.0f;
constexpr float ringBulletLife = 600.0f; // the ring's four-way burst
constexpr float boltLife = 7.0f;
constexpr float shredderLife = 800.0f;
constexpr float pickedShredderLife = 500.0f; // a random shot's
constexpr float railLife = 7.0f;
constexpr float pickedRailLife = 1.0f; // a random shot's
constexpr float bfgLife = 2000.0f;

// Volley geometry: units, units per ms relative to the muzzle velocity.
constexpr float ringRadius = 30.0f; // the ring's bullets start this far out
constexpr float boltReach = 100.0f; // twin bolts start ahead of the ship
constexpr float boltSpeed = 50.0f; // twin bolts
constexpr float fastSpeed = 100.0f; // rails, and a random shot's bolt
constexpr float shredderSpacing = 25.0f; // twin shredders, either side
constexpr float shredderSpin = -0.03f; // a single shredder, first step only

float shotRadius(int type)
{
    switch (type) {
    case typeShredder: return 15.0f;
    case typeBfg: return 40.0f;
    default: // bullet, lightning bolt, rail
        return 3.0f;
    }
}

// Creates one shot of self's and lists it at the end of the registries
// that move, draw and collide it (never enemies).
Object* shoot(World& world, Object& self, int type, float x, float y, float vx, float vy,
    float angle, float health)
{
    Object* shot = new Object(
        shotMass, shotRadius(type), x, y, vx, vy, angle, 0.0f, nullptr, type, 0, health);
    shot->owner = &self;
    world.dynamicMasses.push_back(shot);
    world.drawables.push_back(shot);
    world.objects.push_back(shot);
    return shot;
}

// Where a gun fires from: the gun on the mount, or the ship itself when the
// mount or its gun is missing.
const Object& gunAt(const Object& self, const Connector* mount)
{
    return mount && mount->child ? *mount->child : self;
}

// The volley of self's class (mines and unarmed classes fire none). a is the heading, (svx, svy)
// the muzzle velocity: one unit per ms along the heading on top of the ship's own. heardAt,
// heardBelow and dist place the gunshot sounds relative to the target.
void fireVolley(World& world, Object& self, float heardAt, float heardBelow, float dist)
{
    const float x = self.x, y = self.y, a = self.angle;
    const SinCosOf<float> heading = simSinCos(world.levelMath, a);
    const float c = heading.cos, s = heading.sin;
    const float svx = self.vx + c, svy = self.vy + s;

    const EnemyClassTraits* traits = classTraits(self.kind);
    switch (traits ? traits->volley : Volley::none) {
    case Volley::oneBullet:
        shoot(world, self, typeBullet, x, y, svx, svy, a, bulletLife);
        raiseSound(world, Sound::gunshot, heardAt, heardBelow, dist);
        break;
    case Volley::twinBullets: {
        const Object& gun1 = gunAt(self, self.turret1);
        const Object& gun2 = gunAt(self, self.turret2);
        shoot(world, self, typeBullet, gun1.x, gun1.y, svx, svy, a, bulletLife);
        shoot(world, self, typeBullet, gun2.x, gun2.y, svx, svy, a, bulletLife);
        raiseSound(world, Sound::gunshot, heardAt, heardBelow, dist);
        break;
    }
    case Volley::bulletRing: {
        const float r = ringRadius;
        shoot(world, self, typeBullet, x - r * s, y + r * c, svx, svy, a, ringBulletLife);
        shoot(world, self, typeBullet, x + r * s, y - r * c, -svx, -svy,
            static_cast<float>(a + pi / 2), ringBulletLife);
        shoot(world, self, typeBullet, x - r * c, y - r * s, -svy, svx, static_cast<float>(a + pi),
            ringBulletLife);
        shoot(world, self, typeBullet, x + r * c, y + r * s, svy, -svx,
            static_cast<float>(a + 3 * pi / 2), ringBulletLife);
        raiseSound(world, Sound::gunshot, heardAt, heardBelow, dist);
        break;
    }
    case Volley::twinBolts:
        for (int bolt = 0; bolt < 2; ++bolt)
            shoot(world, self, typeLightning, x + boltReach * c, y + boltReach * s, boltSpeed * svx,
                boltSpeed * svy, a, boltLife);
        raiseSound(world, Sound::crackle); // not positioned
        break;
    case Volley::shredder: {
        Object* disc = shoot(world, self, typeShredder, x, y, svx, svy, a, shredderLife);
        disc->spin = shredderSpin;
        break;
    }
    case Volley::twinShredders: {
        const double left = a + pi / 2, right = a - pi / 2;
        shoot(world, self, typeShredder,
            static_cast<float>(x + shredderSpacing * simCos(world.levelMath, left)),
            static_cast<float>(y + shredderSpacing * simSin(world.levelMath, left)), svx, svy, a,
            shredderLife);
        shoot(world, self, typeShredder,
            static_cast<float>(x + shredderSpacing * simCos(world.levelMath, right)),
            static_cast<float>(y + shredderSpacing * simSin(world.levelMath, right)), svx, svy, a,
            shredderLife);
        break;
    }
    case Volley::threeRails:
        for (int rail = 0; rail < 3; ++rail)
            shoot(world, self, typeRail, x, y, fastSpeed * svx, fastSpeed * svy, a, railLife);
        break;
    case Volley::randomShot:
        switch (world.ruleRandom.next15() % 4 + 1) {
        case 1:
            shoot(world, self, typeBullet, x, y, svx, svy, a, bulletLife);
            raiseSound(world, Sound::gunshot, heardAt, heardBelow, dist);
            break;
        case 2:
            shoot(world, self, typeLightning, x, y, fastSpeed * svx, fastSpeed * svy, a, boltLife);
            raiseSound(world, Sound::crackle); // not positioned
            break;
        case 3: shoot(world, self, typeShredder, x, y, svx, svy, a, pickedShredderLife); break;
        default:
            shoot(world, self, typeRail, x, y, fastSpeed * svx, fastSpeed * svy, a, pickedRailLife);
            break;
        }
        break;
    case Volley::bfgBall:
        shoot(world, self, typeBfg, x, y, svx, svy, a, bfgLife);
        raiseSound(world, Sound::bfgShot, heardAt, heardBelow, dist);
        break;
    case Volley::none: break;
    }
}

// The weapon fires only with the target nearer than this.
constexpr float fireRange = 1000.0f;

} // namespace

void AIUpdate(World& world, Object* self, Object* target)
{
    if (!self || !target)
        return;
    // Every enemy has a class (the map gives one); mines have none.
    TETHER_ASSERT(self->bornType != typeEnemy || classTraits(self->kind));
    Object& me = *self;
    // Plain differences: the wrap keeps everything within half a world of
    // the ship, so they are the short way to it.
    const float dx = target->x - me.x;
    const float dy = target->y - me.y;
    const float dist = std::sqrt(dx * dx + dy * dy);
    const float bearing = simAtan2(world.levelMath, dy, dx);

    turn(me, bearing);
    if (!pull(world, me, dx, dy, dist))
        return;
    // Out of range the weapon stays loaded, so it fires in the first step
    // that brings the target nearer. Heading is not checked: enemies fire
    // while still turning, and never lead the target.
    if (!me.loaded || dist >= fireRange)
        return;
    me.loaded = false;
    fireVolley(world, me, me.x - target->x, me.y - target->y, dist);
}

} // namespace tether
