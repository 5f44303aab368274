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
// A course that grazes a body's rim closer than this counts as touching
// it: so near a sun or a black hole, a rope's tug or a turn closes the gap
// before the player can answer.
constexpr float hazardGraze = 150.0f;
// A ship this near a sun's or black hole's rim is warned whatever its
// course: there the pull turns any course inward within a second or two.
constexpr float hazardClose = 300.0f;

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
// (or grazes) a sun or a black hole.
struct HazardView {
    std::vector<HazardSight> inReach; // within hazardReach, or on the course
    int contactMs = -1; // first touch on the course; -1: none foreseen
    const Object* contactBody = nullptr;
    float closestGap = 1e30f; // the nearest sun's or black hole's rim, from the ship's
    const Object* closestBody = nullptr;
    // The course touches within the warning's horizon: the ring flashes and
    // the tone sounds.
    bool onCourseSoon() const { return contactMs >= 0 && contactMs <= hazardWarningMs; }
    // The ring shows: on such a course, or close (then steady and silent,
    // since a player slinging enemies into a sun works that close).
    bool warn() const { return onCourseSoon() || closestGap < hazardClose; }
    // The body the warning is about: the one on the course, or the nearest.
    const Object* warnedBy() const { return onCourseSoon() ? contactBody : closestBody; }
};

// Nothing in view without a ship in flight.
HazardView foreseeHazards(const World& world);

} // namespace tether
