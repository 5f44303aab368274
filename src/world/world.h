// A level's simulation state as one value: the seven registries, the
// handles, the hooks' flags, the level's flags, the torus, and what the rules
// keep between steps (the events raised, their generator, the counters, the
// contacts), and the tuning it plays by, read-only. Every rule is given the
// world it acts on; a program plays one world, a test or a worker thread may
// keep several and step each in turn.
#pragma once

#include "world/contacts.h"
#include "world/events.h"
#include "world/mathflavour.h"
#include "world/random.h"
#include "world/rules.h"
#include "world/stats.h"
#include "world/tuning.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace tether {

class Object;
class Spring;
class Connector;

// Scratch that the sweep and gravity refill every step: kept in the world
// to save their allocations, never read from one step to the next.
struct SweepEdge {
    float left;
    Object* object;
};
struct GravitySource {
    float x, y, mass, radius;
};
// What the sweep reads of one object, in sweep order and side by side in
// memory (world/collision.cpp keeps it equal to the object's own fields).
struct SweepBody {
    float left, right, x, y, radius;
    bool touches; // takes part in contacts at all
    bool plain; // an enemy or a planet: a touch with another plain one can only bounce
    Object* object;
};

struct World {
    // A world plays by the tuning it is made with; the data file's reader
    // fills that before any level starts (content/tuning.h gameTuning).
    explicit World(const Tuning& tuning)
        : tuning(tuning)
    {
    }
    // Its registries own what they point to: a world is not copied.
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // --- Registries ---
    // Sources of gravity: planets, suns, black holes. Entered by map loading.
    std::list<Object*> attractingMasses;
    // Everything moved by forces: ship, hooks, rope nodes, enemies, mines, shots.
    std::list<Object*> dynamicMasses;
    // Everything drawn, flame and gun turrets included; sorted by layer after
    // each frame's removal of the dead (world/layers.h).
    std::list<Object*> drawables;
    // Elastic ropes; owns them.
    std::list<Spring*> springs;
    // AI-driven objects: enemies and mines.
    std::list<Object*> enemies;
    // Everything that collides; owns its Objects. Re-sorted by collision each step.
    std::list<Object*> objects;
    // Every attachment; owned by the parents' children lists.
    std::list<Connector*> connectors;

    // --- Handles, set by the ship assembly at every level start ---
    Object* ship = nullptr;
    Object* turret = nullptr; // the hook mount riding on the ship; in no registry
    Object* leftGrapHook = nullptr;
    Object* rightGrapHook = nullptr;
    // The hooks' attachments to the mount; the hooks code drives their distance
    // and aim.
    Connector* leftHookConnector = nullptr;
    Connector* rightHookConnector = nullptr;

    // --- Hook flags: written by the hooks, collision (a catch) and removal ---
    bool leftHookExtended = false; // out on a shot
    bool rightHookExtended = false;
    bool leftHookGrappling = false; // a rope of this hook holds something
    bool rightHookGrappling = false;
    bool leftHookRetracting = false; // a flying hook is on its way back
    bool rightHookRetracting = false;

    // --- Level state ---
    int numEnemies = 0; // enemies alive; the level is won at 0 or below
    bool gameOver = false; // the ship is lost
    bool bossLevel = false; // the level played, or next, is the boss level
    std::string bossMapPath;
    int bossMusic = 0; // boss track number 1..13
    // The ship chosen on the title screen: 0, 1 or 2. Chooses the controls, the
    // hook mount's place and whether enemies are hurt by shots and mines.
    int chosenShip = 0;

    // --- The torus ---
    float worldW = 2000.0f; // world size in units; a map's "world" record sets it
    float worldH = 2000.0f;
    // Whole world sizes the ship has crossed, so the background stays continuous.
    float backx = 0.0f;
    float backy = 0.0f;

    // The ship's start position and velocity. Kept from map to map unless a
    // map gives a "spawn" record (as the world's size is kept unless it gives
    // a "world" record); the default world's centre at first.
    float spawnX = 1000.0f, spawnY = 1000.0f, spawnVX = 0.0f, spawnVY = 0.0f;

    // --- What the rules keep between steps ---
    EventQueue worldEvents; // raised by this frame's clicks and steps
    Random ruleRandom; // the rules' generator, seeded at the level's start
    uint64_t levelSeed = 0; // the seed the level started with
    // The rules the level plays by (world/rules.h), and the math they name
    // (world/simmath.h); set together by playByRules.
    RulesVersion rules = currentRules;
    MathFlavour levelMath = mathOf(currentRules);
    LevelStats levelStats; // game time and the level's counters
    ContactMemory contacts; // the pairs that bounced lately

    // --- What it plays by ---
    const Tuning& tuning; // the numbers of every kind of thing; never written here

    // --- Scratch, refilled every step (see SweepEdge) ---
    std::vector<SweepEdge> sweepEdges; // left edges, in sweep order
    std::vector<SweepBody> sweepBodies; // the sorted list, walked by the sweep
    std::vector<GravitySource> gravitySources; // this step's pulls
};

// Empties the world's registries and frees the level: every Object of objects (the
// ship takes its mount, flame and hooks with it), every Spring and every
// Connector still listed. The handles are cleared.
void clearWorld(World& world);

// Sets the rules the world's next level plays by, and their math.
inline void playByRules(World& world, RulesVersion rules)
{
    world.rules = rules;
    world.levelMath = mathOf(rules);
}

} // namespace tether
