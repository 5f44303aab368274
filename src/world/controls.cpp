#include "world/controls.h"
#include "world/angles.h"

#include "world/input.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/simmath.h"
#include "world/stats.h"
#include "world/tuning.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

constexpr float diagonal = 0.70710677f;

struct Keys {
    bool up, down, right, left;
};

Keys readKeys(unsigned actions)
{
    return {(actions & actionUp) != 0, (actions & actionDown) != 0, (actions & actionRight) != 0,
        (actions & actionLeft) != 0};
}

// The flame shows while the controls keep it lit; the step it was last lit
// in tells the presentation whether a frame has thrust to show.
void light(World& world, Object& flame)
{
    flame.hidden = false;
    flame.lastThrustStep = world.levelStats.gameTime;
}

void putOut(Object& flame)
{
    flame.hidden = true;
}

// The held keys as one of nine directions, tried in this order: up wins
// over down and right over left. Each has a unit vector (steering by
// velocity) and a heading (steering by heading); `none` has neither.
struct Direction {
    bool none;
    float ux, uy;
    float heading;
};

Direction directionOf(const Keys& k)
{
    if (k.up) {
        if (k.right)
            return {false, diagonal, -diagonal, -0.7853982f};
        if (k.left)
            return {false, -diagonal, -diagonal, -2.3561945f};
        return {false, 0.0f, -1.0f, -1.5707964f};
    }
    if (k.down) {
        if (k.right)
            return {false, diagonal, diagonal, 0.7853982f};
        if (k.left)
            return {false, -diagonal, diagonal, 2.3561945f};
        return {false, 0.0f, 1.0f, 1.5707964f};
    }
    if (k.right)
        return {false, 1.0f, 0.0f, 0.0f};
    if (k.left)
        return {false, -1.0f, 0.0f, piFloat};
    return {true, 0.0f, 0.0f, 0.0f};
}

// Full thrust along the difference between the wanted and the actual
// velocity; with no key the wanted velocity is rest, so the ship brakes.
void steerByVelocity(World& world, Object& s, const Keys& keys)
{
    const Direction d = directionOf(keys);
    if (d.none)
        putOut(*s.flame);
    else
        light(world, *s.flame);
    const float dvx = d.ux * world.tuning.shipMaxSpeed - s.vx;
    const float dvy = d.uy * world.tuning.shipMaxSpeed - s.vy;
    const float len = static_cast<float>(simHypot(world.levelMath, dvx, dvy));
    if (len == 0.0f)
        return;
    s.fx += dvx * world.tuning.shipMaxThrust * (1.0f / len);
    s.fy += dvy * world.tuning.shipMaxThrust * (1.0f / len);
}

// Turns at full rate toward the wanted heading (never easing off near it)
// and thrusts along the present heading while within a right angle of it.
void steerByHeading(World& world, Object& s, const Keys& keys)
{
    const Direction d = directionOf(keys);
    if (d.none) {
        putOut(*s.flame);
        s.spin = 0;
        return;
    }
    float diff = d.heading - s.angle;
    while (diff > pi)
        diff = static_cast<float>(diff - 2 * pi);
    while (diff < -pi)
        diff = static_cast<float>(diff + 2 * pi);
    s.spin = diff > 0 ? world.tuning.shipRotationSpeed : -world.tuning.shipRotationSpeed;
    if (std::fabs(diff) < pi / 2) {
        const SinCosOf<float> heading = simSinCos(world.levelMath, s.angle);
        s.fx += heading.cos * world.tuning.shipMaxThrust;
        s.fy += heading.sin * world.tuning.shipMaxThrust;
        light(world, *s.flame);
    }
}

void steerByRotation(
    World& world, Object& s, const Keys& keys, unsigned actions, const ShipTraits& traits)
{
    const double reverseThrust = traits.reverseThrust, strafeThrust = traits.strafeThrust;
    const float fixedTurnRate = traits.fixedTurnRate;
    const float t = world.tuning.shipMaxThrust;
    const SinCosOf<float> a = simSinCos(world.levelMath, s.angle);
    if (keys.up) {
        s.fx += a.cos * t;
        s.fy += a.sin * t;
        light(world, *s.flame);
    } else if (keys.down) {
        s.fx -= a.cos * (reverseThrust * t);
        s.fy -= a.sin * (reverseThrust * t);
    }
    if (actions & actionStrafeRight) {
        s.fx -= a.sin * (strafeThrust * t);
        s.fy += a.cos * (strafeThrust * t);
    } else if (actions & actionStrafeLeft) {
        s.fx += a.sin * (strafeThrust * t);
        s.fy -= a.cos * (strafeThrust * t);
    }
    if (keys.left)
        s.spin = -fixedTurnRate;
    else if (keys.right)
        s.spin = fixedTurnRate;
    else
        s.spin = 0;
}

} // namespace

void steerShip(World& world, unsigned actions)
{
    if (!world.ship || !world.ship->flame)
        return;
    const Keys held = readKeys(actions);
    const ShipTraits& traits = shipTraits(world.chosenShip);
    switch (traits.steering) {
    case Steering::byVelocity: steerByVelocity(world, *world.ship, held); break;
    case Steering::byHeading: steerByHeading(world, *world.ship, held); break;
    case Steering::byRotation: steerByRotation(world, *world.ship, held, actions, traits); break;
    }
}

} // namespace tether
