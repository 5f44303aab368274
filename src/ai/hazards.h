// Where the ship's course leads among the suns and black holes: the one
// foresight the game shows the player (the marker at the screen's edge, the
// warning ring and tone) and the simulator measures against (how long
// before a death by a sun or a black hole the warning stood). It only
// reads the world: drawing, sound and the simulator all ask it, and none
// of them changes a rule.
#pragma once

#include <vector>

namespace tether {

struct World;
class Object;

// How far ahead the course is followed, and when it warns. A few seconds
// of coasting under the bodies' pull show what is in reach; a touch
// foreseen within the warning's horizon is near enough to turn away from
// (the ship turns round and brakes in about a second).
constexpr int hazardLookaheadMs = 4000;
constexpr int hazardWarningMs = 2500;
// A body this close to the ship's rim is in reach whatever the course.
constexpr float hazardReach = 1500.0f;

// A sun or black hole within reach of the ship.
struct HazardSight {
    const Object* body;
    float dx, dy; // from the ship's centre to the body's
    float rimGap; // from the ship's rim to the body's
    int contactMs; // when the course touches it; -1: not within the lookahead
};

// The ship's course, a lookahead long: its velocity and the pull of every
// body that pulls (the ship's speed capped as in flight; its own thrust,
// ropes and crashes left out), followed in steps of 10 ms until it touches
// a sun or a black hole.
struct HazardView {
    std::vector<HazardSight> inReach; // within hazardReach, or on the course
    int contactMs = -1; // first touch on the course; -1: none foreseen
    const Object* contactBody = nullptr;
    bool warn() const { return contactMs >= 0 && contactMs <= hazardWarningMs; }
};

// Nothing in view without a ship in flight.
HazardView foreseeHazards(const World& world);

} // namespace tether
