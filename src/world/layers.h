// Draw layers: which kind of Object lies over which. The world keeps its
// drawables registry sorted by layer, once per frame after the removal of
// the dead, so that the order drawing and the radar read is the world's own
// and comes out the same whether or not frames are drawn.
#pragma once

namespace tether {

struct World;

class Object;

// Layer of a kind code, from the kinds table (world/kinds.h).
int getDrawOrder(int type);

// Orders Objects by ascending draw layer.
struct cmpObjectDraw {
    bool operator()(const Object* a, const Object* b) const;
};

// Sorts drawables by layer. std::list::sort is stable, so Objects of one
// layer keep last frame's order and never flicker.
void sortDrawables(World& world);

} // namespace tether
