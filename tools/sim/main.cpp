// tether-sim: plays the game's maps without a window, as fast as the machine
// allows, with a pilot at the controls or from a replay, and prints what
// each run came to. See --help.
#include "options.h"
#include "parallel.h"
#include "pilots.h"
#include "run.h"
#include "table.h"

#include "content/maps.h"
#include "content/tuning.h"
#include "main/gamefolder.h"
#include "main/replay.h"
#include "main/summary.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace tether;

int fail(int status, const std::string& what)
{
    std::fprintf(stderr, "tether-sim: %s\n", what.c_str());
    return status;
}

// Paths named on the command line are the caller's; the simulator then
// moves into the game's folder.
std::string absolute(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

// The maps to play: each name, with "maplist" standing for every map of the
// list followed by its boss map. Empty, with status and message, when a map
// or the list cannot be opened.
std::vector<std::string> mapsToPlay(const std::vector<std::string>& names, int& status)
{
    std::vector<std::string> maps;
    for (const std::string& name : names) {
        if (name != "maplist") {
            maps.push_back(name);
            continue;
        }
        std::vector<MapListEntry> entries;
        if (readMapList("maps/maplist", entries) != MapListResult::ok) {
            status = fail(1, "the map list maps/maplist cannot be opened or offers no maps");
            return {};
        }
        for (const MapListEntry& entry : entries) {
            maps.push_back(entry.mapName);
            maps.push_back(entry.bossMapName);
        }
    }
    for (const std::string& map : maps) {
        std::string why;
        if (!fileHash("maps/" + map, &why)) {
            status = fail(1, "cannot open the map maps/" + map + ": it " + why);
            return {};
        }
    }
    return maps;
}

int reproduce(const std::string& path, uint64_t dataHash)
{
    Replay replay;
    std::string wrong = loadReplay(path, replay);
    if (wrong.empty())
        wrong = checkReplayFits(replay, dataHash);
    if (!wrong.empty())
        return fail(1, "cannot play the replay " + path + ": " + wrong);
    LevelSummary summary;
    sim::playReplay(replay, summary);
    std::printf("%s\n", summaryJson(summary).c_str());
    if (summary.hash != replay.endHash) {
        char message[160];
        std::snprintf(message, sizeof message,
            "the replay played to world hash %016" PRIx64 ", not to %016" PRIx64 " as recorded",
            summary.hash, replay.endHash);
        return fail(1, message);
    }
    return 0;
}

// A run's result as a worker sends it: "OUTCOME TIME HEALTH JSON", or
// "! why" when it could not be played.
std::string resultLine(const LevelSummary& s)
{
    char head[96];
    std::snprintf(head, sizeof head, "%d %" PRId64 " %.9g ", static_cast<int>(s.outcome),
        s.stats.gameTime, static_cast<double>(s.health));
    return head + summaryJson(s);
}

bool readResultLine(const std::string& line, LevelSummary& s, std::string& json)
{
    int outcome = 0;
    long long time = 0;
    double health = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "%d %lld %lf %n", &outcome, &time, &health, &used) != 3)
        return false;
    s.outcome = static_cast<Outcome>(outcome);
    s.stats.gameTime = time;
    s.health = static_cast<float>(health);
    json = line.substr(static_cast<size_t>(used));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    sim::Options options;
    switch (sim::readOptions({argv + 1, argv + argc}, options)) {
    case sim::Parsed::answered: return 0;
    case sim::Parsed::badUsage: return 2;
    case sim::Parsed::run: break;
    }
    if (!options.replay.empty())
        options.replay = absolute(options.replay);
    if (!options.record.empty())
        options.record = absolute(options.record);
    if (options.data != "data")
        options.data = absolute(options.data);
    if (!sim::makePilot(options.pilot, 0))
        return fail(2, "unknown pilot '" + options.pilot + "' (pilots: " + sim::pilotNames() + ")");

    enterGameFolder();
    sim::rememberStartValues();
    std::string why;
    const std::optional<uint64_t> dataHash = fileHash(options.data, &why);
    if (!dataHash || !readDataFile(options.data))
        return fail(2, "cannot read the data file " + options.data + ": it " + why);
    if (!options.replay.empty())
        return reproduce(options.replay, *dataHash);

    int status = 0;
    const std::vector<std::string> maps = mapsToPlay(options.maps, status);
    if (maps.empty())
        return status;
    std::vector<sim::Run> runs;
    const int perShip = std::max(options.runs, 1);
    for (const std::string& map : maps)
        for (int ship : options.ships)
            for (int k = 0; k < perShip; ++k)
                runs.push_back({map, ship, options.seed + static_cast<uint64_t>(k)});
    if (!options.record.empty() && runs.size() > 1)
        return fail(
            2, "--record writes the replay of one run, not of " + std::to_string(runs.size()));
    const int64_t limitMs = std::llround(options.minutes * 60000.0);

    if (options.runs == 0) {
        // One run each, here, one line as each ends.
        for (const sim::Run& run : runs) {
            LevelSummary summary;
            Replay record;
            Replay* recording = options.record.empty() ? nullptr : &record;
            const std::string wrong
                = sim::playRun(run, options.pilot, limitMs, summary, recording, *dataHash);
            if (!wrong.empty())
                return fail(1, wrong);
            std::printf("%s\n", summaryJson(summary).c_str());
            std::fflush(stdout);
            if (recording) {
                const std::string unsaved = saveReplay(options.record, record);
                if (!unsaved.empty())
                    return fail(1, "replay not saved: " + unsaved);
            }
        }
        return 0;
    }

    std::vector<std::string> lines;
    std::string failure;
    const bool done = sim::runInParallel(
        static_cast<int>(runs.size()),
        [&](int i) {
            LevelSummary summary;
            const std::string wrong
                = sim::playRun(runs[static_cast<size_t>(i)], options.pilot, limitMs, summary);
            return wrong.empty() ? resultLine(summary) : "! " + wrong;
        },
        lines, failure);
    if (!done)
        return fail(1, failure);
    std::vector<LevelSummary> summaries;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("! ", 0) == 0)
            return fail(1, lines[i].substr(2));
        LevelSummary s;
        std::string json;
        if (!readResultLine(lines[i], s, json))
            return fail(1, "a run gave a broken result");
        s.map = runs[i].map;
        s.ship = runs[i].ship;
        summaries.push_back(s);
        std::printf("%s\n", json.c_str());
    }
    std::printf("\n%s", sim::resultsTable(summaries).c_str());
    return 0;
}
