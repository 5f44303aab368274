// A won map's results: how it went (the time, the enemies destroyed by
// cause, the damage taken by cause, the hooks fired: world/stats.h),
// printed on standard output and written small at the bottom of the
// victory screen, and the best time of each map, kept in the player's data
// folder as "best_times" (platform/userfiles.h), a line "map milliseconds
// content" per map won. A best-times file that is missing or broken in places loses
// nothing but the lines it could not read; one that cannot be read at all
// is left as it is. A new best time and its replay are written together,
// both or neither, and what was not kept is said on the screen and on
// standard output.
#pragma once

#include "screens/recorder.h"
#include "world/stats.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tether {

// A map's best time and the content it was won with (levelContentHash, as
// 16 hex digits; empty on a line written before the game kept it).
struct BestTime {
    int64_t ms = 0;
    std::string content;
};
using BestTimes = std::map<std::string, BestTime>; // map name → best time

// What the file holds; an unreadable line is left out.
BestTimes readBestTimes(const std::string& text);
std::string bestTimesText(const BestTimes& times);

// The summary's lines for the screen, and as one line for standard output:
//   Time 1:23.4 (best time)          or (best 1:20.0)
//   Enemies destroyed 5: crashes 2, sun 3
//   Damage taken 120: shots 100, crashes 20
//   Hooks fired 14, catches 6, slings 3
std::vector<std::string> summaryLines(const LevelStats& stats, int64_t bestBefore /* -1: none */);
std::string summaryLine(const std::string& map, const LevelStats& stats, int64_t bestBefore);

// At a map's victory: keeps the map's best time and, beside the map's last
// replay, the replay of it (<map>.best.replay), under the file's lock so
// that another copy of the game loses nothing; prints the summary line and
// what could not be kept, and gives the lines for the victory screen. map
// is the map's name as the map list gives it.
// A best time won with other content (content: levelContentHash) is not
// raced: the map or the data file changed since, and the new time replaces
// it.
std::vector<std::string> recordWonMap(
    const std::string& map, const LevelStats& stats, uint64_t content = levelContentHash());

// Whether the best-times file holds a time for map: the player has won it.
bool mapWonBefore(const std::string& map);

// The best-times file; empty when there is no folder for it.
std::string bestTimesPath();
// The best replay of map, beside its last replay; empty without a data
// folder.
std::string bestReplayPath(const std::string& map);

} // namespace tether
