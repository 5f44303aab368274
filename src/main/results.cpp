#include "main/results.h"

#include "main/helptext.h"
#include "main/recorder.h"
#include "main/summary.h"
#include "main/userfiles.h"
#include "render/overlay.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace tether {

namespace {

constexpr int64_t longestTime = int64_t(1) << 50; // ms; a larger number is not a time


// "5: crashes 2, sun 3", the causes with nothing left out.
template <typename T> std::string byCause(const T (&counts)[causeCount])
{
    T total = 0;
    std::string parts;
    for (int cause = 0; cause < causeCount; ++cause) {
        const long long n = std::llround(static_cast<double>(counts[cause]));
        total += counts[cause];
        if (n > 0)
            parts += (parts.empty() ? "" : ", ") + std::string(causeName(cause)) + " "
                + std::to_string(n);
    }
    const std::string all = std::to_string(std::llround(static_cast<double>(total)));
    return parts.empty() ? all : all + ": " + parts;
}

std::string bestNote(int64_t time, int64_t bestBefore)
{
    if (bestBefore < 0 || time < bestBefore)
        return "new best time";
    return "best " + clockText(bestBefore);
}

// Breaks a line after its commas so that no piece is wider than width;
// the pieces after the first are indented.
void wrapInto(std::vector<std::string>& lines, const std::string& line, size_t width)
{
    std::string rest = line;
    while (rest.size() > width) {
        size_t cut = rest.rfind(", ", width - 1);
        if (cut == std::string::npos || cut < 4)
            break;
        lines.push_back(rest.substr(0, cut + 1));
        rest = "  " + rest.substr(cut + 2);
    }
    lines.push_back(rest);
}

// The level's replay, just saved (main/recorder.h), is also the best one's.
void keepBestReplay(const std::string& map)
{
    const std::string from = savedReplayPath();
    std::string to = defaultReplayPath(map);
    const std::string suffix = ".replay";
    if (from.empty() || to.size() < suffix.size())
        return;
    to.insert(to.size() - suffix.size(), ".best");
    std::ifstream in(from, std::ios::binary);
    std::ostringstream replay;
    replay << in.rdbuf();
    const std::string wrong = in ? writeFileSafely(to, replay.str()) : "cannot read " + from;
    if (!wrong.empty())
        std::printf("Best replay not kept: %s\n", wrong.c_str());
}

} // namespace

BestTimes readBestTimes(const std::string& text)
{
    BestTimes times;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string map, extra;
        long long ms = 0;
        if (words >> map >> ms && !(words >> extra) && ms >= 0 && ms < longestTime)
            times[map] = ms;
    }
    return times;
}

std::string bestTimesText(const BestTimes& times)
{
    std::string text;
    for (const auto& [map, ms] : times)
        text += map + " " + std::to_string(ms) + "\n";
    return text;
}

std::vector<std::string> summaryLines(const LevelStats& stats, int64_t bestBefore)
{
    std::vector<std::string> lines;
    lines.push_back(
        "Time " + clockText(stats.gameTime) + " (" + bestNote(stats.gameTime, bestBefore) + ")");
    wrapInto(lines, "Enemies destroyed " + byCause(stats.enemiesDestroyed), cornerNoteWidth);
    wrapInto(lines, "Damage taken " + byCause(stats.damageTaken), cornerNoteWidth);
    lines.push_back("Hooks fired " + std::to_string(stats.hooksFired) + ", catches "
        + std::to_string(stats.catches) + ", slings " + std::to_string(stats.slings));
    return lines;
}

std::string summaryLine(const std::string& map, const LevelStats& stats, int64_t bestBefore)
{
    auto inBrackets = [](std::string counts) {
        const size_t colon = counts.find(':');
        return colon == std::string::npos
            ? counts
            : counts.substr(0, colon) + " (" + counts.substr(colon + 2) + ")";
    };
    return "Victory on " + map + " in " + clockText(stats.gameTime) + " ("
        + bestNote(stats.gameTime, bestBefore) + "): enemies destroyed "
        + inBrackets(byCause(stats.enemiesDestroyed)) + ", damage taken "
        + inBrackets(byCause(stats.damageTaken)) + ", hooks fired "
        + std::to_string(stats.hooksFired) + ", catches " + std::to_string(stats.catches)
        + ", slings " + std::to_string(stats.slings);
}

std::string bestTimesPath()
{
    const std::string folder = dataFolder();
    return folder.empty() ? "" : folder + "/best_times";
}

std::vector<std::string> recordWonMap(const std::string& map, const LevelStats& stats)
{
    const std::string path = bestTimesPath();
    std::string text;
    BestTimes times;
    if (!path.empty() && readSmallFile(path, text))
        times = readBestTimes(text);
    const auto found = times.find(map);
    const int64_t bestBefore = found == times.end() ? -1 : found->second;
    std::printf("%s\n", summaryLine(map, stats, bestBefore).c_str());
    if (bestBefore < 0 || stats.gameTime < bestBefore) {
        keepBestReplay(map);
        times[map] = stats.gameTime;
        const std::string wrong = path.empty() ? "no data folder (HOME and XDG_DATA_HOME are unset)"
                                               : writeFileSafely(path, bestTimesText(times));
        if (!wrong.empty())
            std::printf("Best time not saved: %s\n", wrong.c_str());
    }
    std::fflush(stdout);
    return summaryLines(stats, bestBefore);
}

} // namespace tether
