// tether-sim: plays the game's maps without a window, as fast as the machine
// allows, with a pilot at the controls or from a replay, and prints what
// each run came to. See --help.
#include "options.h"
#include "parallel.h"
#include "pilots.h"
#include "run.h"
#include "table.h"

#include "content/limits.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/gamefolder.h"
#include "platform/replay.h"
#include "screens/ghostrun.h"
#include "screens/replayrules.h"
#include "screens/summary.h"
#include "world/object.h"
#include "world/world.h"

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
        // As the checker holds for the game's list: a map is a name inside
        // maps/, and the list itself is none.
        const bool theList
            = std::filesystem::path("maps/" + map).lexically_normal() == "maps/maplist";
        if (map.empty() || !staysInMapsFolder(map) || theList) {
            status = fail(1,
                "'" + map + "' is not a map: "
                    + (theList ? std::string("it names the map list")
                               : "a map is a file name inside maps/"));
            return {};
        }
        std::string why;
        if (!fileHash("maps/" + map, &why)) {
            status = fail(1, "cannot open the map maps/" + map + ": it " + why);
            return {};
        }
    }
    return maps;
}

// Reads the replay at path and settles the rules it plays by; what is
// wrong with it (a file that is no replay, or one of other content) when it
// cannot be played here.
std::string openReplay(const std::string& path, uint64_t dataHash, Replay& replay)
{
    std::string wrong = loadReplay(path, replay);
    if (wrong.empty())
        wrong = checkReplayFits(replay, dataHash);
    if (!wrong.empty())
        return "cannot play the replay " + path + ": " + wrong;
    settleReplayRules(replay);
    return "";
}

int reproduce(const std::string& path, uint64_t dataHash)
{
    Replay replay;
    if (std::string wrong = openReplay(path, dataHash, replay); !wrong.empty())
        return fail(1, wrong);
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

// Where the replay's ship is at atMs of game time, played as a ghost is
// beside a level at that time: one line of JSON.
int shipAt(const std::string& path, uint64_t dataHash, int64_t atMs)
{
    Replay replay;
    if (std::string wrong = openReplay(path, dataHash, replay); !wrong.empty())
        return fail(1, wrong);
    GhostRun run;
    if (!startGhostRun(run, replay, world().tuning))
        return fail(1, "cannot open the map maps/" + replay.mapName);
    while (catchUpGhostRun(run, atMs) > 0) { }
    const Object* ship = run.world->ship;
    std::printf("{\"at\": %" PRId64 ", \"frame\": %zu, \"time\": %" PRId64
                ", \"x\": %.3f, \"y\": %.3f, \"angle\": %.4f, \"over\": %s}\n",
        atMs, run.nextFrame, ghostRunTime(run), ship ? ship->x : 0.0f, ship ? ship->y : 0.0f,
        ship ? ship->angle : 0.0f, ghostRunOver(run) ? "true" : "false");
    stopGhostRun(run);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The world every run of this thread plays in, one after the other.
    tether::World world(tether::gameTuning());
    tether::WorldInUse inUse(world);
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
    if (!options.replay.empty() && options.atMs >= 0)
        return shipAt(options.replay, *dataHash, options.atMs);
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

    // Each run fills its own summary; a line is what went wrong, if anything.
    std::vector<LevelSummary> summaries(runs.size());
    std::vector<std::string> wrongs;
    std::string failure;
    const bool done = sim::runInParallel(
        static_cast<int>(runs.size()),
        [&](int i) {
            return sim::playRun(runs[static_cast<size_t>(i)], options.pilot, limitMs,
                summaries[static_cast<size_t>(i)]);
        },
        wrongs, failure);
    if (!done)
        return fail(1, failure);
    for (size_t i = 0; i < runs.size(); ++i) {
        if (!wrongs[i].empty())
            return fail(1, wrongs[i]);
        std::printf("%s\n", summaryJson(summaries[i]).c_str());
    }
    std::printf("\n%s", sim::resultsTable(summaries).c_str());
    return 0;
}
