// Counting damage, deaths and slings.
#include "world/stats.h"

#include "world/object.h"
#include "world/simmath.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// The ship was struck: a mark on its rim toward what touched it, and the
// direction of whoever did it.
void tellShipHit(
    World& world, float amount, Cause cause, const Object& toucher, const Object& source)
{
    WorldEvent event {};
    event.kind = EventKind::shipHit;
    event.step = world.levelStats.gameTime;
    event.cause = cause;
    event.amount = amount;
    event.dx = source.x - world.ship->x;
    event.dy = source.y - world.ship->y;
    event.source = reinterpret_cast<uintptr_t>(&source);
    const float tx = toucher.x - world.ship->x, ty = toucher.y - world.ship->y;
    const float reach = static_cast<float>(simHypot(world.levelMath, tx, ty));
    if (reach > 0) {
        event.contactX = tx * (world.ship->radius / reach);
        event.contactY = ty * (world.ship->radius / reach);
    }
    raiseEvent(world, event);
}

} // namespace

void recordDamage(World& world, Object& victim, float amount, Cause cause, const Object& toucher,
    const Object& source)
{
    if (!(amount > 0))
        return;
    victim.lastDamageCause = cause;
    if (&victim != world.ship)
        return;
    world.levelStats.damageTaken[cause] += amount;
    tellShipHit(world, amount, cause, toucher, source);
}

void countEnemyDestroyed(World& world, const Object& enemy)
{
    const int cause = enemy.lastDamageCause >= 0 && enemy.lastDamageCause < causeCount
        ? enemy.lastDamageCause
        : causeOther;
    ++world.levelStats.enemiesDestroyed[cause];
    const bool letGoLately
        = enemy.releasedStep >= 0 && world.levelStats.gameTime - enemy.releasedStep <= slingWindow;
    if (enemy.hooked || letGoLately)
        ++world.levelStats.slings;
}

} // namespace tether
