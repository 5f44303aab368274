// The torus and the removal of the dead.
#pragma once

#include <list>

namespace tether {

class Object;

// Keeps the ship inside the world rectangle and moves every other object of
// objects to its image nearest the ship, so the world around the player is
// seamless and everything else can use plain coordinate differences.
void fixTorusCoords();

// Frees every rope with a dead end, letting go of the hook whose rope it was.
void cleanupSprings();

// Takes the dead (but never the ship) out of list; only when list is
// objects, which owns them, are they freed as well.
void cleanup(std::list<Object*>* list);

} // namespace tether
