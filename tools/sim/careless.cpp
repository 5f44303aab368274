#include "careless.h"

#include "content/worldinuse.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/simmath.h"
#include "world/world.h"

#include <cmath>

namespace sim {

using namespace tether;

namespace {

constexpr float hookRange = 500.0f; // fires at an enemy this near
constexpr int64_t hookEveryMs = 800;

// The arrows toward (dx, dy): one of eight directions, as a player's keys.
unsigned arrowsToward(float dx, float dy)
{
    unsigned actions = 0;
    const float slope = 0.4142f; // tan 22.5°
    if (dy < -std::fabs(dx) * slope)
        actions |= actionUp;
    if (dy > std::fabs(dx) * slope)
        actions |= actionDown;
    if (dx > std::fabs(dy) * slope)
        actions |= actionRight;
    if (dx < -std::fabs(dy) * slope)
        actions |= actionLeft;
    return actions;
}

// Rotate and thrust: turn toward the bearing, thrust once roughly on it.
// The level's own math, so that a run plays alike on every machine.
unsigned rotateToward(const World& world, float heading, float dx, float dy)
{
    float diff = simAtan2(world.levelMath, dy, dx) - heading;
    diff = std::remainder(diff, 6.2831853f);
    unsigned actions = diff > 0.05f ? actionRight : (diff < -0.05f ? actionLeft : 0u);
    if (std::fabs(diff) < 0.5f)
        actions |= actionUp;
    return actions;
}

} // namespace

FrameInput flyCarelessly(int64_t& lastShotMs)
{
    const World& world = tether::world();
    FrameInput input;
    const Object* ship = world.ship;
    if (!ship || ship->type != typeShip)
        return input;
    const Object* target = nullptr;
    float best = 0;
    for (const Object* enemy : world.enemies) {
        if (enemy->type != typeEnemy)
            continue;
        const float d = simHypot(world.levelMath, enemy->x - ship->x, enemy->y - ship->y);
        if (!target || d < best) {
            target = enemy;
            best = d;
        }
    }
    if (!target)
        return input;
    const float dx = target->x - ship->x, dy = target->y - ship->y;
    input.actions = shipTraits(world.chosenShip).steering == Steering::byRotation
        ? rotateToward(world, ship->angle, dx, dy)
        : arrowsToward(dx, dy);
    input.pointerX = target->x;
    input.pointerY = target->y;
    const int64_t now = world.levelStats.gameTime;
    if (best < hookRange && now - lastShotMs >= hookEveryMs) {
        input.clicks.push_back(Click::fireHook);
        lastShotMs = now;
    }
    return input;
}

} // namespace sim
