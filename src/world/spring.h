// An elastic, damped rope between two Objects: hook ropes and ties.
#pragma once

namespace tether {

struct World;

class Object;

class Spring {
public:
    // Rest length and last length start as the ends' present distance.
    Spring(World& world, Object* endA, Object* endB, float stiffness, float damping);

    // The ends' difference A - B the short way round the world, and its
    // length: how the rope measures itself.
    void separation(const World& world, float& dx, float& dy) const;
    float length(const World& world) const;

    // Adds this step's rope force to both ends.
    void update(World& world, int dt);

    float stiffness; // force per unit of stretch
    float restLength;
    float lastLength; // length at the previous update, for damping
    float damping; // force per unit of length change per ms
    Object* endA;
    Object* endB;
};

} // namespace tether
