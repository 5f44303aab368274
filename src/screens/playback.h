// Playing a replay back in the window (tether --replay FILE): the recorded
// level again, frame by frame with the recorded steps and input, at the
// speed it was played, the pointer where it was, with the usual end
// screens. Afterwards the game prints the level's summary (screens/summary.h)
// and ends. A quit ends the playback at once.
#pragma once

#include "platform/replay.h"
#include "screens/frame.h"
#include "screens/programend.h"
#include "screens/summary.h"

#include <SDL.h>

#include <cstddef>
#include <optional>
#include <string>

namespace tether {

extern std::string replayToPlay; // --replay FILE (absolute); empty: play the game

// The replay being played back and how far it has got.
struct Playback {
    Replay replay;
    ShipWatch watch;
    LevelState state = LevelState::ongoing;
    size_t nextFrame = 0; // the recorded frame to play next
    Uint32 due = 0; // when the frame played last was due
};

// From the game folder, before start-up: reads the replay and checks that it
// fits the map and data file here (the game ends with a message and status
// 1 when not).
std::optional<ProgramEnd> readPlayback(Playback& playback);
// Once the game is up: enters the recorded level.
std::optional<ProgramEnd> openPlayback(Playback& playback);
// The ms to wait before the next recorded frame is due (0: none left).
Uint32 playbackDelay(const Playback& playback);
// Plays the next recorded frame and tells how it ended (next, with no frame
// left: the frames ran out).
FrameEnd playbackFrame(Playback& playback);
// Prints the level's summary and tells the status the playback ends with:
// 0, or 1 when the level ended elsewhere than the recording did.
int finishPlayback(const Playback& playback);

} // namespace tether
