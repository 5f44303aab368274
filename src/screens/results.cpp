#include "screens/results.h"

#include "platform/userfiles.h"
#include "render/overlay.h"
#include "screens/helptext.h"
#include "screens/recorder.h"
#include "screens/summary.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
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

// The content a best time was won with, as the file keeps it.
std::string contentText(uint64_t content)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(content));
    return text;
}

bool isContentHash(const std::string& word)
{
    return word.size() == 16
        && word.find_first_not_of("0123456789abcdef") == std::string::npos;
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

// What became of a won map's time.
struct BestTimeKept {
    int64_t bestBefore = -1; // -1: none, or not known
    bool known = true; // the file could be read
    bool newBest = false;
    bool saved = false; // the new best time is on the disk
    std::vector<std::string> trouble; // lines for standard output
};

// Puts the prepared best replay in place, then the best times; when the
// times cannot follow, the old best replay goes back, so that the two
// never disagree. Empty when both are in place.
std::string putPairInPlace(PreparedFile& replay, PreparedFile& times)
{
    const std::string backup = replay.path + ".old" + std::to_string(getpid());
    std::remove(backup.c_str());
    const bool hadOld = link(replay.path.c_str(), backup.c_str()) == 0;
    std::string wrong = putInPlace(replay);
    if (!wrong.empty()) {
        discardPrepared(times);
    } else if (!(wrong = putInPlace(times)).empty()) {
        if (!hadOld || std::rename(backup.c_str(), replay.path.c_str()) != 0)
            std::remove(replay.path.c_str());
    }
    std::remove(backup.c_str());
    return wrong;
}

// Keeps time as map's best when it beats the file's, with the level's
// replay (at replayPath, just saved; empty when none was) as the best
// replay: both or neither. The file is read and written under its lock,
// so that a best time another copy of the game wrote meanwhile stays.
BestTimeKept keepBestTime(const std::string& path, const std::string& map, int64_t time,
    const std::string& content, const std::string& replayPath)
{
    BestTimeKept kept;
    PlayerFileLock lock(path);
    if (lock.busy) {
        kept.known = false;
        kept.trouble.push_back(std::string("Best time not saved: ") + anotherCopySaving);
        return kept;
    }
    std::string text;
    const FileRead read = readPlayerFile(path, text);
    if (read != FileRead::ok && read != FileRead::missing) {
        kept.known = false;
        static bool said = false; // once a run
        if (!said)
            kept.trouble.push_back("Best times file " + path + " "
                + whyUnread(read, maxPlayerFileBytes)
                + ": it is left as it is, and no best time is saved to it");
        said = true;
        return kept;
    }
    BestTimes times = readBestTimes(text);
    const auto found = times.find(map);
    // A line from before content was kept beside the time is raced still.
    const bool sameContent = found != times.end()
        && (found->second.content.empty() || found->second.content == content);
    kept.bestBefore = sameContent ? found->second.ms : -1;
    if (found != times.end() && !sameContent)
        kept.trouble.push_back("The best time of " + map + " before, "
            + clockText(found->second.ms)
            + ", was won on another version of its map or data file: not raced");
    kept.newBest = kept.bestBefore < 0 || time < kept.bestBefore;
    if (!kept.newBest)
        return kept;
    times[map] = {time, content};
    const std::string bestReplay = bestReplayPath(map);
    if (replayPath.empty() || bestReplay.empty()) {
        // No replay of this time: an older best replay would claim it.
        const std::string wrong = writeFileSafely(path, bestTimesText(times));
        kept.saved = wrong.empty();
        if (!kept.saved)
            kept.trouble.push_back("Best time not saved: " + wrong);
        else if (!bestReplay.empty() && std::remove(bestReplay.c_str()) == 0)
            kept.trouble.push_back(
                "Best replay not kept: the level's replay was not saved; the older one is removed");
        return kept;
    }
    std::string replay;
    const FileRead replayRead = readRegularFile(replayPath, replay, maxReplayFileBytes);
    PreparedFile replayFile, timesFile;
    std::string wrong = replayRead == FileRead::ok
        ? prepareFile(bestReplay, replay, replayFile)
        : "the level's replay " + replayPath + " " + whyUnread(replayRead, maxReplayFileBytes);
    if (wrong.empty())
        wrong = prepareFile(path, bestTimesText(times), timesFile);
    if (wrong.empty())
        wrong = putPairInPlace(replayFile, timesFile);
    discardPrepared(replayFile);
    discardPrepared(timesFile);
    kept.saved = wrong.empty();
    if (!kept.saved)
        kept.trouble.push_back("Best time and its replay not saved: " + wrong);
    return kept;
}

std::string noteOf(const BestTimeKept& kept, int64_t time)
{
    if (!kept.known)
        return "best time not saved";
    if (kept.newBest && !kept.saved)
        return "new best time, not saved";
    return bestNote(time, kept.bestBefore);
}

std::vector<std::string> linesWithNote(const LevelStats& stats, const std::string& note)
{
    std::vector<std::string> lines;
    lines.push_back("Time " + clockText(stats.gameTime) + " (" + note + ")");
    wrapInto(lines, "Enemies destroyed " + byCause(stats.enemiesDestroyed), cornerNoteWidth);
    wrapInto(lines, "Damage taken " + byCause(stats.damageTaken), cornerNoteWidth);
    lines.push_back("Hooks fired " + std::to_string(stats.hooksFired) + ", catches "
        + std::to_string(stats.catches) + ", slings " + std::to_string(stats.slings));
    return lines;
}

std::string lineWithNote(const std::string& map, const LevelStats& stats, const std::string& note)
{
    auto inBrackets = [](std::string counts) {
        const size_t colon = counts.find(':');
        return colon == std::string::npos
            ? counts
            : counts.substr(0, colon) + " (" + counts.substr(colon + 2) + ")";
    };
    return "Victory on " + map + " in " + clockText(stats.gameTime) + " (" + note
        + "): enemies destroyed " + inBrackets(byCause(stats.enemiesDestroyed)) + ", damage taken "
        + inBrackets(byCause(stats.damageTaken)) + ", hooks fired "
        + std::to_string(stats.hooksFired) + ", catches " + std::to_string(stats.catches)
        + ", slings " + std::to_string(stats.slings);
}

} // namespace

// The best replay of map, beside its last replay; empty without a data
// folder.
std::string bestReplayPath(const std::string& map)
{
    std::string path = defaultReplayPath(map);
    const std::string suffix = ".replay";
    if (path.size() < suffix.size())
        return "";
    return path.insert(path.size() - suffix.size(), ".best");
}

BestTimes readBestTimes(const std::string& text)
{
    BestTimes times;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string map, content, extra;
        long long ms = 0;
        if (!(words >> map >> ms) || ms < 0 || ms >= longestTime)
            continue;
        if (words >> content && !isContentHash(content))
            continue;
        if (!(words >> extra))
            times[map] = {ms, content};
    }
    return times;
}

std::string bestTimesText(const BestTimes& times)
{
    std::string text;
    for (const auto& [map, best] : times)
        text += map + " " + std::to_string(best.ms) + (best.content.empty() ? "" : " ")
            + best.content + "\n";
    return text;
}

std::vector<std::string> summaryLines(const LevelStats& stats, int64_t bestBefore)
{
    return linesWithNote(stats, bestNote(stats.gameTime, bestBefore));
}

std::string summaryLine(const std::string& map, const LevelStats& stats, int64_t bestBefore)
{
    return lineWithNote(map, stats, bestNote(stats.gameTime, bestBefore));
}

std::string bestTimesPath()
{
    const std::string folder = dataFolder();
    return folder.empty() ? "" : folder + "/best_times";
}

bool mapWonBefore(const std::string& map)
{
    const std::string path = bestTimesPath();
    std::string text;
    if (path.empty() || readPlayerFile(path, text) != FileRead::ok)
        return false;
    return readBestTimes(text).count(map) > 0;
}

std::vector<std::string> recordWonMap(
    const std::string& map, const LevelStats& stats, uint64_t content)
{
    const std::string path = bestTimesPath();
    BestTimeKept kept;
    if (path.empty()) {
        kept.newBest = true;
        kept.trouble.push_back(
            "Best time not saved: no data folder (HOME and XDG_DATA_HOME are unset)");
    } else {
        kept = keepBestTime(path, map, stats.gameTime, contentText(content), savedReplayPath());
    }
    const std::string note = noteOf(kept, stats.gameTime);
    std::printf("%s\n", lineWithNote(map, stats, note).c_str());
    for (const std::string& line : kept.trouble)
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return linesWithNote(stats, note);
}

} // namespace tether
