// Playing a replay back in the window (tether --replay FILE): the recorded
// level again, frame by frame with the recorded steps and input, at the
// speed it was played, the pointer where it was, with the usual end
// screens. Afterwards the game prints the level's summary (main/summary.h)
// and ends. A quit ends the playback at once.
#pragma once

#include "main/programend.h"

#include <string>

namespace tether {

extern std::string replayToPlay; // --replay FILE (absolute); empty: play the game

// From the game folder, before start-up: reads the replay and checks that it
// fits the map and data file here (the game ends with a message and status
// 1 when not), brings the game up, plays the replay back and tells how the
// game ends: status 0, or 1 when the level ended elsewhere than the
// recording did.
ProgramEnd playReplayInWindow();

} // namespace tether
