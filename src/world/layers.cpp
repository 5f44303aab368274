// The layer table and the sort of drawables.
#include "world/layers.h"

#include "world/object.h"
#include "world/world.h"

namespace tether {

const int sortOrder[15] = {0, 2, 3, 3, 3, 3, 2, 1, 1, 4, 4, 4, 4, 4, 4};

int getDrawOrder(int type)
{
    if (type >= 0 && type < 15)
        return sortOrder[type];
    if (type == typeExploding)
        return explodingLayer;
    if (type == typeFlame)
        return flameLayer;
    return lastLayer;
}

bool cmpObjectDraw::operator()(const Object* a, const Object* b) const
{
    return getDrawOrder(a->type) < getDrawOrder(b->type);
}

void sortDrawables()
{
    drawables.sort(cmpObjectDraw());
}

} // namespace tether
