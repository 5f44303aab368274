// A recorded run played again beside another: its replay steps a world of
// its own, whole recorded frames at a time, as far as a game time it is
// given. The race draws its ship as a ghost beside the player's (screens/
// ghost.h); tether-sim --at tells where its ship is at a moment. Nothing of
// its world touches any other: it pulls nothing, hits nothing, plays nothing.
#pragma once

#include "platform/replay.h"
#include "world/session.h"
#include "world/world.h"

#include <cstdint>
#include <memory>

namespace tether {

// A run's world is emptied as it goes, whenever that is: a race left
// standing as the program ends leaves nothing behind.
struct ClearedWorld {
    void operator()(World* world) const;
};

struct GhostRun {
    Replay replay;
    std::unique_ptr<World, ClearedWorld> world; // its own, never the one in use
    size_t nextFrame = 0; // the recorded frames played so far
    LevelState state = LevelState::ongoing;
};

// Starts replay's level in a world of its own, playing by tuning; the
// replay must fit the game (checkReplayFits) and its rules be settled
// (screens/replayrules.h). The world in use is left as it was. False when
// the map cannot be opened.
bool startGhostRun(GhostRun& run, const Replay& replay, const Tuning& tuning);

// A replay may hold frames of no steps (a game drawing faster than a frame
// a millisecond records them), so a millisecond may hold many frames; a
// broken one could hold millions. One catch-up plays at most this many, so
// that no run can stall the frame that plays it.
constexpr int maxGhostFramesPerCatchUp = 1024;

// Plays the recorded frames that end at or before gameTime (ms of game
// time), each whole as it was recorded, at most maxGhostFramesPerCatchUp of
// them: the run is then (unless held back by that bound) at most one frame
// behind gameTime, exactly where it was at the end of that frame. Returns
// the number of frames played.
int catchUpGhostRun(GhostRun& run, int64_t gameTime);

// Whether the run has played its last frame or its level has ended.
bool ghostRunOver(const GhostRun& run);

// The run's game time now (ms); 0 without a level.
int64_t ghostRunTime(const GhostRun& run);

// Empties the run's world; a run never started is left alone.
void stopGhostRun(GhostRun& run);

} // namespace tether
