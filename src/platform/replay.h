// A replay: one level as it was played, small enough to keep and exact
// enough to play again. A level unfolds from the map, the data file, the
// ship, the seed and each frame's steps and input (screens/session.h); a
// replay names the map and fingerprints it and the data file, and holds the
// rest. The file format is in replay.cpp's opening comment; the window
// records (screens/recorder.h) and plays back (screens/playback.h) with it, and
// the headless simulator (tether-sim --replay) reproduces it.
#pragma once

#include "content/worldinuse.h"
#include "world/input.h"
#include "world/rules.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tether {

// The version written: 2, a level played by today's rules (the game's own
// math: world/rules.h). Version 1, the same layout, is still read and played
// by the rules it was recorded with (replay.cpp's opening comment tells
// which).
constexpr int replayVersion = 2;
constexpr int oldestReplayVersion = 1;

// The rules a replay of this version may have been recorded with, most
// likely first: version 1 was written both by the released 1.0.0 and by the
// development builds after it, whose enemies went round bodies.
std::vector<RulesVersion> rulesOfReplayVersion(int version);

// Bounds on what a replay may ask for, so that no file can exhaust memory
// or time: at most this many frames (70 minutes of game time at one frame
// a millisecond; about 16 bytes of memory each), 0 to 100 steps a frame
// (as the window runs them), and a few clicks a frame (the window takes
// no more: screens/frame.h).
constexpr uint32_t maxReplayFrames = 1u << 22;
constexpr int maxReplayStepsPerFrame = 100;
constexpr int maxClicksPerFrame = 32;

// One frame, compactly: its step count, actions held, the pointer in the
// world, and where its clicks lie in Replay::clicks.
struct ReplayFrame {
    float pointerX = 0, pointerY = 0;
    uint32_t firstClick = 0;
    uint8_t steps = 0;
    uint8_t actions = 0;
    uint8_t clickCount = 0;
};

struct Replay {
    int version = replayVersion; // the file's version
    // The rules it plays by: the first its version admits, until shown
    // otherwise (screens/replayrules.h).
    RulesVersion rules = currentRules;
    std::string mapName; // as the map list names it: the file maps/<mapName>
    uint64_t dataHash = 0; // fileHash of the data file played with
    uint64_t mapHash = 0; // fileHash of the map file
    int ship = 1; // 1, 2 or 3
    uint64_t seed = 0;
    // The spawn and world values in force before the map was read: a map
    // without a "spawn" or "world" record keeps them.
    float spawnX = 0, spawnY = 0, spawnVX = 0, spawnVY = 0;
    float worldW = 0, worldH = 0;
    std::vector<ReplayFrame> frames;
    std::vector<Click> clicks; // every frame's clicks, in order
    uint64_t endHash = 0; // worldHash(world()) after the last frame
};

// FNV-1a over the bytes of the file at path; nothing when it cannot be read
// (missing, not a regular file, or beyond the bound of content files:
// content/regularfile.h), and then why in *why when asked ("is not a
// regular file").
std::optional<uint64_t> fileHash(const std::string& path, std::string* why = nullptr);

// A replay of the level that starts now: the ship, seed and file hashes
// given, and the spawn and world values in force now.
Replay replayOfLevelStart(
    const std::string& mapName, uint64_t dataHash, uint64_t mapHash, int ship, uint64_t seed);
// Appends a frame; false (and nothing added) when the replay is full or the
// frame breaks a bound above.
bool addReplayFrame(Replay& replay, int steps, const FrameInput& input);
// The input of frame i.
FrameInput replayFrameInput(const Replay& replay, size_t i);

void writeReplay(std::ostream& out, const Replay& replay);
// Writes the replay to path safely (platform/userfiles.h: flushed to the disk,
// renamed into place, through a link, never over a device). Empty on
// success, otherwise why it failed.
std::string saveReplay(const std::string& path, const Replay& replay);

// Reads a replay; empty on success, otherwise what is wrong with it (not a
// replay, another version, a broken or truncated line, a bound broken).
std::string readReplay(std::istream& in, Replay& replay);
// The same from the file at path, a regular file within the bound of
// replays ("it is not a regular file" otherwise).
std::string loadReplay(const std::string& path, Replay& replay);
// Whether the replay fits the game here: its map exists under maps/ (the
// working directory is the game folder) with the contents it was played
// on, and dataHash is that of the data file it was played with. Empty when
// it fits, otherwise why not.
std::string checkReplayFits(const Replay& replay, uint64_t dataHash);

// Puts the spawn and world values back as they were when the replay's level
// started, and the rules it was played by: call before the map is read.
void restoreReplayStart(const Replay& replay);

} // namespace tether
