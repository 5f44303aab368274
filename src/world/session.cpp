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

uint64_t levelSeed = 0;

void resetLevel(uint64_t seed)
{
    levelSeed = seed;
    ruleRandom.reseed(seed);
    levelStats = LevelStats {};
    clearEvents();
    resetHooks();
    forgetAllContacts();
}

void physicsStep(const FrameInput& input)
{
    ++levelStats.gameTime;
    steerShip(input.actions);
    aimHooks(input.pointerX, input.pointerY);

    // Enemies and mines act on the ship before gravity and collision; their
    // new shots go to the other registries, never to enemies.
    if (ship)
        for (Object* enemy : enemies)
            AIUpdate(enemy, ship);

    applyGravity();
    collisionDetect(&objects);
    for (Spring* rope : springs)
        rope->update(1);
    for (Object* body : dynamicMasses)
        body->update(1);

    flyHooks();

    fixTorusCoords();
    for (Connector* link : connectors)
        link->update();
}

void removeTheDead()
{
    cleanupSprings();
    cleanup(&dynamicMasses);
    cleanup(&drawables);
    cleanup(&enemies);
    cleanup(&objects);
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
    if (gameOver)
        return LevelState::gameOver;
    if (numEnemies <= 0)
        return LevelState::victory;
    return LevelState::ongoing;
}

} // namespace tether
