#include "main/controls.h"
#include "world/angles.h"

#include "content/tuning.h"
#include "world/object.h"
#include "world/sound.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

constexpr float diagonal = 0.70710677f;
constexpr double reverseThrust = 0.2; // of full thrust, scheme 2
constexpr double strafeThrust = 0.5; // of full thrust, scheme 2
constexpr float fixedTurnRate = 0.003f; // radians per ms, scheme 2

struct Keys {
    bool up, down, right, left;
};

Keys readKeys(const Uint8* keys)
{
    return {keys[SDLK_UP] || keys[SDLK_w], keys[SDLK_DOWN] || keys[SDLK_s],
        keys[SDLK_RIGHT] || keys[SDLK_d], keys[SDLK_LEFT] || keys[SDLK_a]};
}

// The held keys as one of nine directions, tried in this order: up wins
// over down and right over left. Each has a unit vector (scheme 0) and a
// heading (scheme 1); `none` has neither.
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
void steerByVelocity(Object& s, const Keys& keys)
{
    s.flame->hidden = false;
    const Direction d = directionOf(keys);
    if (d.none)
        s.flame->hidden = true;
    const float dvx = d.ux * shipMaxSpeed - s.vx;
    const float dvy = d.uy * shipMaxSpeed - s.vy;
    const float len = static_cast<float>(std::hypot(dvx, dvy));
    if (len == 0.0f)
        return;
    s.fx += dvx * shipMaxThrust * (1.0f / len);
    s.fy += dvy * shipMaxThrust * (1.0f / len);
}

// Turns at full rate toward the wanted heading (never easing off near it)
// and thrusts along the present heading while within a right angle of it.
void steerByHeading(Object& s, const Keys& keys)
{
    const Direction d = directionOf(keys);
    if (d.none) {
        s.flame->hidden = true;
        s.spin = 0;
        return;
    }
    float diff = d.heading - s.angle;
    while (diff > pi)
        diff = static_cast<float>(diff - 2 * pi);
    while (diff < -pi)
        diff = static_cast<float>(diff + 2 * pi);
    s.spin = diff > 0 ? shipRotationSpeed : -shipRotationSpeed;
    if (std::fabs(diff) < pi / 2) {
        s.fx += std::cos(s.angle) * shipMaxThrust;
        s.fy += std::sin(s.angle) * shipMaxThrust;
        s.flame->hidden = false;
    }
}

void steerByRotation(Object& s, const Keys& keys, const Uint8* raw)
{
    const float t = shipMaxThrust;
    const float a = s.angle;
    if (keys.up) {
        s.fx += std::cos(a) * t;
        s.fy += std::sin(a) * t;
        s.flame->hidden = false;
    } else if (keys.down) {
        s.fx -= std::cos(a) * (reverseThrust * t);
        s.fy -= std::sin(a) * (reverseThrust * t);
    }
    if (raw[SDLK_e]) {
        s.fx -= std::sin(a) * (strafeThrust * t);
        s.fy += std::cos(a) * (strafeThrust * t);
    } else if (raw[SDLK_q]) {
        s.fx += std::sin(a) * (strafeThrust * t);
        s.fy -= std::cos(a) * (strafeThrust * t);
    }
    if (keys.left)
        s.spin = -fixedTurnRate;
    else if (keys.right)
        s.spin = fixedTurnRate;
    else
        s.spin = 0;
}

} // namespace

void steerShip(const Uint8* keys)
{
    if (!ship || !ship->flame)
        return;
    const Keys held = readKeys(keys);
    switch (difficulty) {
    case 0: steerByVelocity(*ship, held); break;
    case 1: steerByHeading(*ship, held); break;
    default: steerByRotation(*ship, held, keys); break;
    }
}

void updateThrustSound()
{
    if (!ship || !ship->flame)
        return;
    if (!ship->flame->hidden) {
        Mix_Resume(thrustChannel);
        if (difficulty == 0)
            ship->flame->hidden = true;
    } else {
        Mix_Pause(thrustChannel);
    }
}

} // namespace tether
