// Contacts between objects: hook catches, hits by shots and mines, suns that
// burn, black holes that swallow, and bounces with impact damage.
#pragma once

#include <list>

namespace tether {

struct World;

class Object;

// Orders objects by their left edge, x - radius.
bool cmpObjectX(const Object* a, const Object* b);

// Finds every overlapping pair in list (re-sorting it by left edge) and
// applies each contact at once, in the order found.
void collisionDetect(World& world, std::list<Object*>* list);

} // namespace tether
