// The shared state of a level: the seven registries, the four handles and
// the flags that the hooks, collision, motion and the level cycle share.
// Everything here is plain global data, written and read on the game thread.
#pragma once

#include <list>
#include <string>

namespace tether {

class Object;
class Spring;
class Connector;

// --- Registries (constructed empty, in this order, before main) ---
// Sources of gravity: planets, suns, black holes. Entered by map loading.
extern std::list<Object*> attractingMasses;
// Everything moved by forces: ship, hooks, rope nodes, enemies, mines, shots.
extern std::list<Object*> dynamicMasses;
// Everything drawn, flame and gun turrets included; sorted by layer after
// each frame's removal of the dead (world/layers.h).
extern std::list<Object*> drawables;
// Elastic ropes; owns them.
extern std::list<Spring*> springs;
// AI-driven objects: enemies and mines.
extern std::list<Object*> enemies;
// Everything that collides; owns its Objects. Re-sorted by collision each step.
extern std::list<Object*> objects;
// Every attachment; owned by the parents' children lists.
extern std::list<Connector*> connectors;

// --- Handles, set by the ship assembly at every level start ---
extern Object* ship;
extern Object* turret; // the hook mount riding on the ship; in no registry
extern Object* leftGrapHook;
extern Object* rightGrapHook;
// The hooks' attachments to the mount; the hooks code drives their distance
// and aim.
extern Connector* leftHookConnector;
extern Connector* rightHookConnector;

// --- Hook flags: written by the hooks, collision (a catch) and removal ---
extern bool leftHookExtended; // out on a shot
extern bool rightHookExtended;
extern bool leftHookGrappling; // a rope of this hook holds something
extern bool rightHookGrappling;
extern bool leftHookRetracting; // a flying hook is on its way back
extern bool rightHookRetracting;

// --- Level state ---
extern int numEnemies; // enemies alive; the level is won at 0 or below
extern bool gameOver; // the ship is lost
extern bool bossLevel; // the level played, or next, is the boss level
extern std::string bossMapPath;
extern int bossMusic; // boss track number 1..13
// The ship chosen on the title screen: 0, 1 or 2. Chooses the controls, the
// hook mount's place and whether enemies are hurt by shots and mines.
extern int chosenShip;

// --- The torus ---
extern float worldW; // world size in units; a map's "world" record sets it
extern float worldH;
// Whole world sizes the ship has crossed, so the background stays continuous.
extern float backx;
extern float backy;

// Empties every registry and frees the level: every Object of objects (the
// ship takes its mount, flame and hooks with it), every Spring and every
// Connector still listed. The handles are cleared.
void clearWorld();

} // namespace tether
