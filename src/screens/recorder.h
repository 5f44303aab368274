// Recording the levels played in the window. Every level is recorded from
// its start (startRecording, before its map is read) through its frames
// (recordFrame, after each is simulated) and written when it ends
// (saveRecording: at its end, before any end screen, and on a quit in the
// middle of it). The file is the one --record names, otherwise the last
// replay of each map is kept as <map name>.replay in the player's data
// folder, $XDG_DATA_HOME/tether/replays (~/.local/share without it). A
// replay that cannot be written costs one line on standard output, never
// the game.
#pragma once

#include "screens/session.h"
#include "world/input.h"

#include <cstdint>
#include <string>

namespace tether {

extern std::string recordPath; // --record FILE (absolute); empty: the default place

// The data file as the game read it at start-up: call once then, from the
// game folder.
void rememberDataFile();
// The hash rememberDataFile took (0 when the file could not be read).
uint64_t dataFileHash();

// The data file and the map of the level last started, as one number: a
// best time belongs to the content it was won with.
uint64_t levelContentHash();

// Starts recording the level about to be played on the map at mapPath
// ("maps/<name>") with ship shipChoice (0..2) and seed. Call before the map
// is read, so the values it may keep from the level before are recorded.
void startRecording(const std::string& mapPath, int shipChoice, uint64_t seed);
// After each simulated frame of the recorded level.
void recordFrame(int steps, const FrameInput& input, LevelState state);
// Writes the recorded level, if one is being recorded, with the world's hash
// as it stands now, and stops recording.
void saveRecording();

// The file the last saveRecording wrote; empty when it wrote none.
std::string savedReplayPath();
// Where the replay of the map called mapName goes by default; empty when
// there is no data folder (no XDG_DATA_HOME and no HOME).
std::string defaultReplayPath(const std::string& mapName);

} // namespace tether
