// Motion: gravity, then one object's step. Forces gathered during the step
// (controls, AI, gravity, ropes) are turned here into velocity and position
// by semi-implicit Euler: velocity first, then position from the new
// velocity. Here too the clocks run: weapon reload, shot lifetimes, the
// explosion, and death when health runs out.
#include "world/motion.h"

#include "world/connector.h"
#include "world/events.h"
#include "world/finite.h"
#include "world/object.h"
#include "world/simmath.h"
#include "world/stats.h"
#include "world/tuning.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tether {

// Newton's pull of source A on body D, along the plain difference d = A - D
// (units; the wrap keeps everything within half a world of the ship):
//   F = mD * mA * G / |d|^2     (mass * units / ms^2)
//   D.f += F * d / |d|
// The mass product is formed in single precision and the division in double.
// Only exploding wrecks, which no longer collide, ever get inside a source.
// Inside it the pull stays at its strength at the surface: a wreck falling
// through a sun's centre must not be flung out at an unbounded speed (or
// turned into NaN) by 1/|d|^2. A body exactly at the centre has no direction
// to fall in: that pair gives no force for the step.
//
// Each body takes the pull of the sources in their list order, so walking
// the bodies once with the few sources at hand adds exactly the same forces
// in the same order as walking the bodies once per source.
using Source = GravitySource;

void applyGravity(World& world)
{
    std::vector<Source>& sources = world.gravitySources;
    sources.clear();
    for (const Object* source : world.attractingMasses)
        sources.push_back({source->x, source->y, source->mass, source->radius});
    if (sources.empty())
        return;
    for (Object* body : world.dynamicMasses) {
        float fx = body->fx;
        float fy = body->fy;
        for (const Source& source : sources) {
            const float dx = source.x - body->x;
            const float dy = source.y - body->y;
            // hypot without its overflow care, which floats never need.
            const double r2 = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
            if (r2 == 0.0)
                continue;
            const double r = std::sqrt(r2);
            const double surface2 = static_cast<double>(source.radius) * source.radius;
            const float force = static_cast<float>(
                body->mass * source.mass * gravityConstant / std::max(r2, surface2));
            // Added in double and rounded once, like the float += double it is.
            fx = static_cast<float>(fx + dx * force * (1.0 / r));
            fy = static_cast<float>(fy + dy * force * (1.0 / r));
        }
        body->fx = fx;
        body->fy = fy;
    }
}

constexpr double twoPi = 6.283185307179586;
constexpr float explosionRate = 0.02f; // explosion clock units per ms
constexpr float explosionEnd = 10.0f; // 500 ms of explosion
constexpr float explosionStart = 0.000001f;

// One step of dt ms:
//   v += f / mass * dt    (units/ms)
//   p += v * dt           (units)
//   angle += spin * dt    (radians), kept within (-2 pi, 2 pi)
void Object::update(World& world, int dt)
{
    // Gravity sources and the dead never move.
    if (type == typeDead || type == typePlanet || type == typeBlackHole || type == typeSun)
        return;

    // A child attached with passForces (the hook mount) hands its rope's
    // pull on to this object.
    if (children) {
        for (Connector* link : *children) {
            if (!link->passForces)
                continue;
            fx += link->child->fx;
            fy += link->child->fy;
            link->child->fx = link->child->fy = 0;
        }
    }

    const float inv = 1.0f / mass;
    vx += fx * inv * dt;
    vy += fy * inv * dt;
    holdSpeed(vx, vy);

    // Only the player's ship has a top speed; the cap keeps its heading.
    if (type == typeShip) {
        const float speed = static_cast<float>(simHypot(world.levelMath, vx, vy));
        if (speed > world.tuning.shipMaxSpeed) {
            vx *= world.tuning.shipMaxSpeed / speed;
            vy *= world.tuning.shipMaxSpeed / speed;
        }
    }

    x += dt * vx;
    y += dt * vy;
    angle += dt * spin;
    // fmod gives back an angle already within a turn exactly as it was:
    // only one that went round is worth the call.
    if (!(std::fabs(angle) < twoPi))
        angle = static_cast<float>(std::fmod(static_cast<double>(angle), twoPi));

    fx = fy = spin = 0;

    if (loaded) {
        reloadTimer = 0;
    } else {
        reloadTimer += dt;
        if (reloadTimer >= reloadTime) {
            reloadTimer = 0;
            loaded = true;
        }
    }

    // A shot's health is its remaining lifetime; mines live until hit.
    if (traitsOf(type).shot)
        health -= dt;

    if (type == typeExploding) {
        health += explosionRate * dt;
        if (health >= explosionEnd) {
            // The ship's wreck stays on screen; its finished explosion ends
            // the game.
            if (this == world.ship)
                world.gameOver = true;
            else
                type = typeDead;
        }
    }

    if (health > 0)
        return;

    // Death.
    switch (type) {
    case typeLeftHook:
    case typeRightHook: return; // hooks are indestructible
    case typeEnemy:
        --world.numEnemies;
        countEnemyDestroyed(world, *this);
        break;
    default: break;
    }
    // Shots and mines die silently; everything else explodes aloud. With
    // no ship there is nobody to hear it.
    if (traitsOf(type).diesAloud && world.ship) {
        const float dx = x - world.ship->x;
        const float dy = y - world.ship->y;
        raiseSound(
            world, Sound::explosion, dx, dy, static_cast<float>(simHypot(world.levelMath, dx, dy)));
    }
    if (type == typeBfg)
        expiredBall = true;
    type = type == typeLightning ? typeDead : typeExploding;
    health = explosionStart;
}

} // namespace tether
