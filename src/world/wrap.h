// The torus and the removal of the dead.
#pragma once

#include <list>

namespace tether {

struct World;

class Object;

// Keeps the ship inside the world rectangle and moves every other object of
// objects to its image nearest the ship, so the world around the player is
// seamless and everything else can use plain coordinate differences.
void fixTorusCoords(World& world);

// Frees every rope with a dead end, letting go of the hook whose rope it was.
void cleanupSprings(World& world);

// Takes the dead (but never the ship) out of list; only when list is
// objects, which owns them, are they freed as well.
void cleanup(World& world, std::list<Object*>* list);

} // namespace tether
