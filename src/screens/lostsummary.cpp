// The lost level's summary is a won map's with its first line (the time and
// the best time) told the loser's way, so both read alike.
#include "screens/lostsummary.h"

#include "screens/helptext.h"
#include "screens/results.h"

#include <cstdio>

namespace tether {

namespace {

// What ended the ship, as the summary says it.
const char* lostTo(int cause)
{
    switch (cause) {
    case causeCrash: return "a crash";
    case causeShot: return "shots";
    case causeMine: return "a mine";
    case causeSun: return "a sun";
    case causeBlackHole: return "a black hole";
    default: return "something unknown";
    }
}

std::string howItEnded(const LevelStats& stats, int endedBy)
{
    return clockText(stats.gameTime) + ", lost to " + lostTo(endedBy);
}

} // namespace

std::vector<std::string> lostSummaryLines(const LevelStats& stats, int endedBy)
{
    std::vector<std::string> lines = summaryLines(stats, -1);
    lines.front() = "Survived " + howItEnded(stats, endedBy);
    return lines;
}

std::string lostSummaryLine(const std::string& map, const LevelStats& stats, int endedBy)
{
    // A won map's line tells the counts after its time and best time.
    const std::string won = summaryLine(map, stats, -1);
    const std::string afterTime = "): ";
    const size_t counts = won.find(afterTime);
    return "Game over on " + map + " after " + howItEnded(stats, endedBy)
        + (counts == std::string::npos ? "" : ": " + won.substr(counts + afterTime.size()));
}

std::vector<std::string> recordLostLevel(
    const std::string& map, const LevelStats& stats, int endedBy)
{
    std::printf("%s\n", lostSummaryLine(map, stats, endedBy).c_str());
    std::fflush(stdout);
    return lostSummaryLines(stats, endedBy);
}

} // namespace tether
