// A pilot that plays like a competent human: it decides from what the player
// sees (ai/view.h) as it was a reaction time ago, carried forward the way a
// player expects things to move, with its own ship as a player feels it (the
// last ship it saw, moved on by the keys it has pressed since). It aims with
// a small error of its own, moves the pointer before it clicks, and drives
// the ship with the chosen ship's own actions.
//
// How it plays: it circles the nearest sun (or black hole) at a safe
// distance, so that enemies chasing it cut the corner into the fire; when
// nothing chases it, it flies toward the nearest enemy until that one wakes
// up, then goes back. It hooks enemies in reach and tows them around the
// sun behind it, lets go (tie-off) once one is on its way into the sun or
// the hole, hooks mines that come near (a hook spends a mine), and lets go
// at once of anything else its hooks caught.
//
// Deterministic: the same seed and the same views give the same inputs; it
// draws only from its own generator, never from the rules'.
#pragma once

#include "ai/view.h"
#include "world/input.h"
#include "world/random.h"

#include <cstdint>
#include <deque>

namespace tether {

struct World;

// Milliseconds between seeing and acting.
constexpr int64_t reactionTime = 200;

struct Pilot {
    Random random; // its own, seeded from the run's seed
    // The views of the last reaction time and a frame, oldest first.
    std::deque<PilotView> seen;
    // The keys it pressed, frame by frame, since the oldest view it keeps:
    // how it feels its own ship move before it sees it.
    struct Pressed {
        int64_t from; // game time the frame started
        unsigned actions;
    };
    std::deque<Pressed> pressed;
    // The pointer on the screen, and what it is on.
    float mouseX = 400, mouseY = 300;
    uintptr_t aimedAt = 0;
    int framesOnAim = 0;
    float aimError = 0; // radians, drawn anew for each shot
    int64_t lastClick = -100000;
    // Which way it circles its sun: +1 clockwise on screen, -1 the other.
    int sense = 1;
    // The third ship's turn under way: +1 clockwise, -1 the other, 0 none.
    int turning = 0;
    // The enemy it tows, and since when.
    uintptr_t towing = 0;
    int64_t towStart = 0;
    int tieOffTries = 0; // right clicks since the tow began or the ropes went
};

// A pilot for a new level, its generator seeded from the run's seed.
Pilot newPilot(uint64_t seed);

// The frame's input from what the pilot sees now and saw before.
FrameInput flyPilot(World& world, Pilot& pilot, const PilotView& view);

} // namespace tether
