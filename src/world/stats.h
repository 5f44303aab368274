// The level's record of what happened, counted by the rules as it happens so
// that a summary, the headless simulator or a damage display can read it
// instead of deriving it again: game time, enemies destroyed by cause, the
// ship's damage by cause, hooks fired, catches and slings. Reset when a
// level starts (session.h).
//
// A death is carried out in the update after health ran out, so each Object
// keeps the cause of its last damage until then (Object::lastDamageCause).
// A sling is an enemy destroyed while on our rope, or within slingWindow ms
// of game time after a tie-off let it go: the player's doing, whatever
// finished it.
#pragma once

#include "world/events.h"

#include <cstdint>

namespace tether {

struct World;

class Object;

struct LevelStats {
    // Milliseconds of game time: the 1-ms steps run in this level. During a
    // step, the number of that step (the first is 1).
    int64_t gameTime = 0;
    int enemiesDestroyed[causeCount] = {}; // by the cause of their last damage
    double damageTaken[causeCount] = {}; // the ship's, by cause
    int hooksFired = 0;
    int catches = 0; // hooks that caught something
    int slings = 0;
};

constexpr int64_t slingWindow = 3000; // ms after a tie-off

// victim lost amount of health to cause, struck by toucher (the shot, the
// body it touched) on behalf of source (the shooter, or the toucher itself).
// Records the cause on the victim; damage to the ship is also counted and
// told as a ship-hit event. Nothing is recorded for no damage.
void recordDamage(World& world, Object& victim, float amount, Cause cause, const Object& toucher,
    const Object& source);
// Counts an enemy destroyed now, by the cause of its last damage, and as a
// sling when it was on our rope or let go by a tie-off not long ago.
void countEnemyDestroyed(World& world, const Object& enemy);

} // namespace tether
