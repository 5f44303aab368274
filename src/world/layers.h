// Draw layers: which kind of Object lies over which. The world keeps its
// drawables registry sorted by layer, once per frame after the removal of
// the dead, so that the order drawing and the radar read is the world's own
// and comes out the same whether or not frames are drawn.
#pragma once

namespace tether {

class Object;

// Draw layer of each type code 0..14: black holes at the bottom, then
// planets and suns, ships and enemies, hooks, mounts and nodes, weapons.
extern const int sortOrder[15];
constexpr int explodingLayer = 5; // explosions over everything alive
constexpr int flameLayer = 1; // under the ship it pushes
constexpr int lastLayer = 6; // the dead and unknown codes

// Layer of a type code: sortOrder for 0..14, then the layers above.
int getDrawOrder(int type);

// Orders Objects by ascending draw layer.
struct cmpObjectDraw {
    bool operator()(const Object* a, const Object* b) const;
};

// Sorts drawables by layer. std::list::sort is stable, so Objects of one
// layer keep last frame's order and never flicker.
void sortDrawables();

} // namespace tether
