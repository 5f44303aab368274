// How fast the simulation runs without a window, in game seconds per CPU
// second: the bot's campaign as tether-sim plays it ("--pilot bot --ship all
// --seed 11 --minutes 3 maplist": every map of the list and its boss map,
// each ship, three minutes at most each), and a pile of 500 enemies that
// forms in play (scattered on a grid, none touching, they fall together onto
// a heavy planet and press on it for a minute: the frame budget asks for 60 s
// of it in at most 30 s of CPU). Run from build/ or build/game.
#include "ai/pilot.h"
#include "ai/view.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/replay.h"
#include "screens/session.h"
#include "world/session.h"
#include "world/stats.h"
#include "world/world.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

using namespace tether;

namespace {

constexpr int stepsPerFrame = 16;

bool inGameFolder()
{
    for (const char* place : {"game", ".", "build/game"})
        if (access((std::string(place) + "/data").c_str(), R_OK) == 0 && chdir(place) == 0)
            break;
    return access("data", R_OK) == 0 && readDataFile("data");
}

double cpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Plays path for up to limitMs of game time, the bot at the controls or
// nobody; the game time played.
int64_t play(const std::string& path, int ship, uint64_t seed, int64_t limitMs, bool bot)
{
    if (!startLevel(path, ship, seed))
        return 0;
    Pilot pilot = newPilot(seed);
    LevelState state = LevelState::ongoing;
    while (state == LevelState::ongoing && world().levelStats.gameTime < limitMs) {
        const int steps = static_cast<int>(
            std::min<int64_t>(stepsPerFrame, limitMs - world().levelStats.gameTime));
        const FrameInput input
            = bot ? flyPilot(world(), pilot, seePilotView(world())) : FrameInput {};
        state = simulateFrame(world(), input, steps);
    }
    const int64_t played = world().levelStats.gameTime;
    stopLevel();
    return played;
}

void BM_BotCampaign(benchmark::State& state)
{
    if (!inGameFolder()) {
        state.SkipWithError("no game data here");
        return;
    }
    std::vector<MapListEntry> entries;
    if (readMapList("maps/maplist", entries) != MapListResult::ok) {
        state.SkipWithError("no map list here");
        return;
    }
    // Each run starts from the values a fresh program has, as the
    // simulator's do.
    const Replay fresh = replayOfLevelStart("", 0, 0, 1, 0);
    double gameSeconds = 0, cpu = 0;
    for (auto _ : state) {
        const double start = cpuSeconds();
        for (const MapListEntry& entry : entries)
            for (const std::string& map : {entry.mapName, entry.bossMapName})
                for (int ship = 0; ship < 3; ++ship) {
                    restoreReplayStart(fresh);
                    gameSeconds += static_cast<double>(play("maps/" + map, ship, 11, 180000, true))
                        / 1000.0;
                }
        cpu += cpuSeconds() - start;
    }
    state.counters["gameSeconds"] = gameSeconds / static_cast<double>(state.iterations());
    state.counters["gameSecondsPerCpuSecond"] = cpu > 0 ? gameSeconds / cpu : 0;
}
BENCHMARK(BM_BotCampaign)->Unit(benchmark::kSecond)->Iterations(1);

// 500 of the third class on a grid 66 units apart (their radius is 32),
// round a planet they fall onto; the ship far beyond their waking range.
std::string pileMap()
{
    char folder[] = "/tmp/tether-pile-XXXXXX";
    if (!mkdtemp(folder))
        return "";
    const std::string path = std::string(folder) + "/pile";
    FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return "";
    std::fprintf(out, "world 7000 7000\nspawn 200 200 0 0\nplanet 3500 3500 1e+12 120\n");
    int made = 0;
    for (int ring = 3; made < 500; ++ring)
        for (int gx = -ring; gx <= ring && made < 500; ++gx)
            for (int gy = -ring; gy <= ring && made < 500; ++gy)
                if (std::max(std::abs(gx), std::abs(gy)) == ring) {
                    std::fprintf(out, "enemy3 %d %d 0 0 0\n", 3500 + 66 * gx, 3500 + 66 * gy);
                    ++made;
                }
    std::fclose(out);
    return path;
}

void BM_PileFormedInPlay(benchmark::State& state)
{
    if (!inGameFolder()) {
        state.SkipWithError("no game data here");
        return;
    }
    const std::string path = pileMap();
    if (path.empty()) {
        state.SkipWithError("cannot write the map");
        return;
    }
    double gameSeconds = 0, cpu = 0;
    for (auto _ : state) {
        const double start = cpuSeconds();
        gameSeconds += static_cast<double>(play(path, 0, 1, 60000, false)) / 1000.0;
        cpu += cpuSeconds() - start;
    }
    std::remove(path.c_str());
    rmdir(path.substr(0, path.rfind('/')).c_str());
    state.counters["gameSeconds"] = gameSeconds / static_cast<double>(state.iterations());
    state.counters["cpuSecondsPerMinute"] = gameSeconds > 0 ? cpu / gameSeconds * 60 : 0;
}
BENCHMARK(BM_PileFormedInPlay)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
