// The simulation's frame and step. The step order is the game's: controls,
// hook aiming, the enemies, gravity, contacts, ropes, motion, hook flight,
// the wrap, then the attachments.
#include "world/session.h"

#include "ai/ai.h"
#include "world/collision.h"
#include "world/connector.h"
#include "world/contacts.h"
#include "world/controls.h"
#include "world/events.h"
#include "world/hooks.h"
#include "world/layers.h"
#include "world/motion.h"
#include "world/object.h"
#include "world/random.h"
#include "world/spring.h"
#include "world/stats.h"
#include "world/validate.h"
#include "world/world.h"
#include "world/wrap.h"

namespace tether {

void resetLevel(World& world, uint64_t seed)
{
    world.levelSeed = seed;
    world.ruleRandom.reseed(seed);
    world.levelStats = LevelStats {};
    clearEvents(world);
    resetHooks(world);
    forgetAllContacts(world);
}

void physicsStep(World& world, const FrameInput& input)
{
    ++world.levelStats.gameTime;
    steerShip(world, input.actions);
    aimHooks(world, input.pointerX, input.pointerY);

    // Enemies and mines act on the ship before gravity and collision; their
    // new shots go to the other registries, never to enemies.
    if (world.ship)
        for (Object* enemy : world.enemies)
            AIUpdate(world, enemy, world.ship);

    applyGravity(world);
    collisionDetect(world, &world.objects);
    for (Spring* rope : world.springs)
        rope->update(world, 1);
    for (Object* body : world.dynamicMasses)
        body->update(world, 1);

    flyHooks(world);

    fixTorusCoords(world);
    for (Connector* link : world.connectors)
        link->update(world);
}

void removeTheDead(World& world)
{
    cleanupSprings(world);
    cleanup(world, &world.dynamicMasses);
    cleanup(world, &world.drawables);
    cleanup(world, &world.enemies);
    cleanup(world, &world.objects);
    sortDrawables(world);
}

LevelState simulateFrame(World& world, const FrameInput& input, int steps)
{
    clearEvents(world);
    for (Click click : input.clicks) {
        if (click == Click::fireHook)
            fireHook(world);
        else
            tieOff(world);
    }
    for (int step = 0; step < steps; ++step) {
        if (input.held(actionEscape))
            return LevelState::escape;
        physicsStep(world, input);
    }
    removeTheDead(world);
    TETHER_CHECK_WORLD(world, "after a frame");
    if (world.gameOver)
        return LevelState::gameOver;
    if (world.numEnemies <= 0)
        return LevelState::victory;
    return LevelState::ongoing;
}

} // namespace tether
