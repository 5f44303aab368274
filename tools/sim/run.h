// One level played headless: a run of a pilot on a map with a ship and a
// seed, or a replay reproduced. Runs start from the game's start-up values
// for what a map may keep from the level before, so that every run of a
// map, ship and seed is the same whatever ran before it in the process.
#pragma once

#include "platform/replay.h"
#include "screens/summary.h"

#include <cstdint>
#include <string>

namespace sim {

constexpr int frameSteps = 16; // a frame of about 60 a second

struct Run {
    std::string map; // a map name, read as maps/<map>
    int ship = 1; // 1..3
    uint64_t seed = 0;
};

// Takes the values that later runs start from: call once, before any map is
// read.
void rememberStartValues();

// Plays run with the pilot called pilot for at most limitMs of game time
// into summary. With record, the run is recorded into it as a replay of the
// data file whose hash is dataHash. Empty on success, otherwise why not (the
// map cannot be opened, no such pilot).
std::string playRun(const Run& run, const std::string& pilot, int64_t limitMs,
    tether::LevelSummary& summary, tether::Replay* record = nullptr, uint64_t dataHash = 0);

// Plays the replay's frames on its map, ship and seed (it has been checked
// to fit) into summary.
void playReplay(const tether::Replay& replay, tether::LevelSummary& summary);

} // namespace sim
