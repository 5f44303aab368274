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
#include "world/world.h"
#include "world/wrap.h"

namespace tether {

void resetLevel(uint64_t seed)
{
    World& world = tether::world();
    world.levelSeed = seed;
    world.ruleRandom.reseed(seed);
    world.levelStats = LevelStats {};
    clearEvents();
    resetHooks();
    forgetAllContacts();
}

void physicsStep(const FrameInput& input)
{
    World& world = tether::world();
    ++world.levelStats.gameTime;
    steerShip(input.actions);
    aimHooks(input.pointerX, input.pointerY);

    // Enemies and mines act on the ship before gravity and collision; their
    // new shots go to the other registries, never to enemies.
    if (world.ship)
        for (Object* enemy : world.enemies)
            AIUpdate(enemy, world.ship);

    applyGravity();
    collisionDetect(&world.objects);
    for (Spring* rope : world.springs)
        rope->update(1);
    for (Object* body : world.dynamicMasses)
        body->update(1);

    flyHooks();

    fixTorusCoords();
    for (Connector* link : world.connectors)
        link->update();
}

void removeTheDead()
{
    World& world = tether::world();
    cleanupSprings();
    cleanup(&world.dynamicMasses);
    cleanup(&world.drawables);
    cleanup(&world.enemies);
    cleanup(&world.objects);
    sortDrawables();
}

LevelState simulateFrame(const FrameInput& input, int steps)
{
    clearEvents();
    for (Click click : input.clicks) {
        if (click == Click::fireHook)
            fireHook();
        else
            tieOff();
    }
    for (int step = 0; step < steps; ++step) {
        if (input.held(actionEscape))
            return LevelState::escape;
        physicsStep(input);
    }
    removeTheDead();
    if (world().gameOver)
        return LevelState::gameOver;
    if (world().numEnemies <= 0)
        return LevelState::victory;
    return LevelState::ongoing;
}

LevelState simulateFrame(World& world, const FrameInput& input, int steps)
{
    WorldInUse inUse(world);
    return simulateFrame(input, steps);
}

} // namespace tether
