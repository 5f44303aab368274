// A rigid attachment: places a child Object relative to its parent every
// physics step, without forces. The ship carries its hook mount and flame,
// the mount carries the two hooks, enemies carry their guns.
#pragma once

#include "world/simmath.h"

#include <limits>

namespace tether {

struct World;

class Object;

class Connector {
public:
    Connector(Object* parent, Object* child, float distance, float offsetAngle, float childAngle,
        bool rotateWithParent, bool passForces, bool absoluteAngle, bool localOffset);

    // Puts the child at its place beside the parent and sets its heading.
    void update(const World& world);

    Object* parent;
    Object* child;
    bool rotateWithParent; // offset direction measured from the parent's heading
    bool passForces; // the child's force is handed to the parent each step
    bool absoluteAngle; // the child's heading is childAngle itself
    bool localOffset; // distance/offsetAngle are (along, across) the heading
    float distance;
    float offsetAngle;
    float childAngle;

    // The sine and cosine of the angle it last turned the child by, in the
    // level's math: most steps turn it by the same angle as the step before
    // (a parent not turning, a hook aimed the same way), and the same angle
    // to the bit gives the same pair. Not part of the world's state.
    struct Turn {
        float angle;
        MathFlavour math;
        SinCosOf<float> sinCos;
    };
    Turn lastTurn {std::numeric_limits<float>::quiet_NaN(), MathFlavour::own, {0, 0}};
};

} // namespace tether
