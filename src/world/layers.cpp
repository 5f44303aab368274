// The sort of drawables by the layer of their kind.
#include "world/layers.h"

#include "world/kinds.h"
#include "world/object.h"
#include "world/world.h"

namespace tether {

int getDrawOrder(int type)
{
    return traitsOf(type).drawLayer;
}

bool cmpObjectDraw::operator()(const Object* a, const Object* b) const
{
    return getDrawOrder(a->type) < getDrawOrder(b->type);
}

void sortDrawables(World& world)
{
    world.drawables.sort(cmpObjectDraw());
}

} // namespace tether
