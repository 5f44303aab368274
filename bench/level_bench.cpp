// Cost of the frames of real levels, drawn as the game draws them: a level
// played by the bot pilot (crowded_sky, the busiest map of the campaign),
// and two crowds at the object limit made for the purpose: 999 awake
// enemies on rings round the spawn, and 999 armed enemies packed 25 units
// apart beside it. Each run plays and draws every frame once (simulation
// and drawing, as a frame of the game), and reports the median and the
// worst frame, and for crowded_sky the median frame of its busiest second,
// also with a ghost racing it (another run of the bot's, in a world of its
// own: screens/ghost.h).
// Run from build/ or build/game, where the game's data and images are.
#include "ai/pilot.h"
#include "ai/view.h"
#include "content/assets.h"
#include "content/images.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/replay.h"
#include "render/kept.h"
#include "render/presentation.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"
#include "render/softcopies.h"
#include "screens/frame.h"
#include "screens/ghost.h"
#include "screens/level.h"
#include "screens/recorder.h"
#include "screens/session.h"
#include "world/hash.h"
#include "world/stats.h"
#include "world/world.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <string>
#include <vector>

using namespace tether;

namespace {

constexpr int stepsPerFrame = 16; // a frame at 60 per second

bool gameReady()
{
    static int ready = -1;
    if (ready >= 0)
        return ready == 1;
    ready = 0;
    for (const char* place : {"game", ".", "build/game"})
        if (access((std::string(place) + "/data").c_str(), R_OK) == 0 && chdir(place) == 0)
            break;
    if (access("data", R_OK) != 0)
        return false;
    if (!SDL_GetVideoSurface()) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
        SDL_SetVideoMode(800, 600, 32, SDL_FULLSCREEN);
    }
    screen = SDL_GetVideoSurface();
    loadImages();
    readDataFile("data");
    rememberDataFile();
    ready = 1;
    return true;
}

struct FrameCosts {
    std::vector<double> frameMs; // simulation and drawing
    std::vector<double> drawMs;
    std::vector<double> ghostMs; // the ghost's world stepped, when one races
    std::vector<size_t> drawn; // drawables in the world at each frame
    double residentMB = 0; // the process's resident set at the level's end
    double keptMB = 0; // drawing's kept copies at the level's end
    double ourCopiesMB = 0; // of which our canvas's turned and scaled copies
};

double residentMB()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE))
        / (1024 * 1024);
}

// The thread's CPU time in ms: what a frame costs, whatever else the
// machine runs.
double cpuMs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

constexpr uint64_t ghostSeed = 7;

// The bot's run of crowded_sky with another seed than the one raced, as a
// replay file to race (a temporary file, for the caller to remove); empty
// when it cannot be written.
std::string crowdedSkyGhost()
{
    const std::string map = "maps/crowded_sky";
    Replay run = replayOfLevelStart(
        "crowded_sky", dataFileHash(), fileHash(map).value_or(0), 2, ghostSeed);
    if (!startLevel(map, 1, ghostSeed))
        return "";
    Pilot pilot = newPilot(ghostSeed);
    LevelState state = LevelState::ongoing;
    while (state == LevelState::ongoing && world().levelStats.gameTime < 60000) {
        const FrameInput input = flyPilot(world(), pilot, seePilotView(world()));
        state = simulateFrame(world(), input, stepsPerFrame);
        addReplayFrame(run, stepsPerFrame, input);
    }
    run.endHash = worldHash(world());
    stopLevel();
    const std::string file = "/tmp/tether-bench-ghost-" + std::to_string(getpid()) + ".replay";
    return saveReplay(file, run).empty() ? file : "";
}

// Plays the map for up to limitMs of game time, the bot at the controls
// (or nobody), drawing every frame; with ghost, racing the run in that
// replay file.
FrameCosts playAndDraw(const std::string& map, int64_t limitMs, bool bot, bool ours = false,
    const std::string& ghost = "")
{
    FrameCosts costs;
    SdlCanvas desktop(screen);
    std::vector<uint32_t> memory(static_cast<size_t>(screen->w) * screen->h);
    SoftCanvas software(
        memory.data(), screen->w, screen->h, screen->w, desktop.glyph(0), readPicture);
    Canvas& canvas = ours ? static_cast<Canvas&>(software) : desktop;
    ghostToRace = ghost;
    if (!ghost.empty())
        startRace(mapName(map), false);
    if (!startLevel(map, 1, 2024))
        return costs;
    Pilot pilot = newPilot(2024);
    drawnStep = -1;
    LevelState state = LevelState::ongoing;
    while (state == LevelState::ongoing && world().levelStats.gameTime < limitMs) {
        const double start = cpuMs();
        const FrameInput input
            = bot ? flyPilot(world(), pilot, seePilotView(world())) : FrameInput {};
        state = simulateFrame(world(), input, stepsPerFrame);
        const double ghostStart = cpuMs();
        raceAlong();
        if (!ghost.empty())
            costs.ghostMs.push_back(cpuMs() - ghostStart);
        const double drawStart = cpuMs();
        placeCamera();
        drawFrame(canvas);
        drawnStep = world().levelStats.gameTime;
        costs.drawMs.push_back(cpuMs() - drawStart);
        costs.frameMs.push_back(cpuMs() - start);
        costs.drawn.push_back(world().drawables.size());
        benchmark::ClobberMemory();
    }
    costs.residentMB = residentMB();
    costs.ourCopiesMB = static_cast<double>(softCopyBytes()) / (1024 * 1024);
    costs.keptMB = static_cast<double>(keptImageBytes() + softPictureBytes() + softCopyBytes())
        / (1024 * 1024);
    stopRace();
    stopLevel();
    forgetSoftPictures();
    return costs;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void report(benchmark::State& state, const FrameCosts& costs)
{
    state.counters["frames"] = static_cast<double>(costs.frameMs.size());
    state.counters["medianFrameMs"] = median(costs.frameMs);
    state.counters["meanFrameMs"] = costs.frameMs.empty()
        ? 0
        : std::accumulate(costs.frameMs.begin(), costs.frameMs.end(), 0.0) / costs.frameMs.size();
    state.counters["worstFrameMs"]
        = costs.frameMs.empty() ? 0 : *std::max_element(costs.frameMs.begin(), costs.frameMs.end());
    state.counters["medianDrawMs"] = median(costs.drawMs);
    if (!costs.ghostMs.empty()) {
        state.counters["medianGhostStepMs"] = median(costs.ghostMs);
        state.counters["worstGhostStepMs"]
            = *std::max_element(costs.ghostMs.begin(), costs.ghostMs.end());
    }
    state.counters["residentMB"] = costs.residentMB;
    state.counters["keptMB"] = costs.keptMB;
    state.counters["ourCopiesMB"] = costs.ourCopiesMB;
}

void BM_CrowdedSkyPlayed(benchmark::State& state)
{
    if (!gameReady()) {
        state.SkipWithError("no game data here");
        return;
    }
    const std::string ghost = state.range(0) == 2 ? crowdedSkyGhost() : "";
    if (state.range(0) == 2 && ghost.empty()) {
        state.SkipWithError("the ghost's replay cannot be written");
        return;
    }
    FrameCosts costs;
    for (auto _ : state)
        costs = playAndDraw("maps/crowded_sky", 60000, true, state.range(0) == 1, ghost);
    const char* const labels[] = {"desktop", "software", "desktop, racing a ghost"};
    state.SetLabel(labels[state.range(0)]);
    if (!ghost.empty())
        std::remove(ghost.c_str());
    report(state, costs);
    // The busiest second: the 60 frames with the most drawables.
    const size_t window = 60;
    size_t best = 0, bestSum = 0, sum = 0;
    for (size_t i = 0; i < costs.drawn.size(); ++i) {
        sum += costs.drawn[i];
        if (i >= window)
            sum -= costs.drawn[i - window];
        if (i + 1 >= window && sum > bestSum)
            bestSum = sum, best = i + 1 - window;
    }
    if (costs.drawMs.size() >= window) {
        state.counters["busiestSecondDrawMs"] = median(
            std::vector<double>(costs.drawMs.begin() + best, costs.drawMs.begin() + best + window));
        state.counters["busiestSecondDrawables"] = static_cast<double>(bestSum / window);
    }
}
// Argument 0: drawn by the desktop canvas; 1: by ours, into memory; 2: by
// the desktop canvas, racing a ghost.
BENCHMARK(BM_CrowdedSkyPlayed)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A map of 999 enemies, written to a temporary folder; placeOf(i) gives the
// i-th enemy's line after its class.
template <typename Place> std::string crowdMap(const char* name, Place placeOf)
{
    char folder[] = "/tmp/tether-crowd-XXXXXX";
    if (!mkdtemp(folder))
        return "";
    const std::string path = std::string(folder) + "/" + name;
    FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return "";
    std::fprintf(out, "world 20000 20000\nspawn 10000 10000 0 0\n");
    for (int i = 0; i < 999; ++i)
        std::fprintf(out, "%s\n", placeOf(i).c_str());
    std::fclose(out);
    return path;
}

void removeMap(const std::string& path)
{
    std::remove(path.c_str());
    rmdir(path.substr(0, path.rfind('/')).c_str());
}

void playCrowd(benchmark::State& state, const std::string& path)
{
    if (path.empty()) {
        state.SkipWithError("cannot write the map");
        return;
    }
    FrameCosts costs;
    for (auto _ : state)
        costs = playAndDraw(path, 3000, false);
    removeMap(path);
    report(state, costs);
}

// Rings 400 to 2800 units round the spawn, every class, all within reach.
void BM_CrowdOnRings(benchmark::State& state)
{
    if (!gameReady()) {
        state.SkipWithError("no game data here");
        return;
    }
    playCrowd(state, crowdMap("crowd_rings", [](int i) {
        const int ring = i / 111;
        const double r = 400 + 300 * ring, a = (i % 111) * 2 * M_PI / 111 + ring * 0.1;
        char line[96];
        std::snprintf(line, sizeof line, "enemy%d %.0f %.0f 0 0 0", i % 12 + 1,
            10000 + r * std::cos(a), 10000 + r * std::sin(a));
        return std::string(line);
    }));
}
BENCHMARK(BM_CrowdOnRings)->Unit(benchmark::kMillisecond)->Iterations(1);

// Armed classes (1 to 3) on a 37 by 27 grid 25 units apart, its near edge
// 400 units from the spawn.
void BM_CrowdPacked(benchmark::State& state)
{
    if (!gameReady()) {
        state.SkipWithError("no game data here");
        return;
    }
    playCrowd(state, crowdMap("crowd_packed", [](int i) {
        char line[96];
        std::snprintf(line, sizeof line, "enemy%d %d %d 0 0 3.14", i % 3 + 1, 10400 + 25 * (i % 37),
            10000 - 13 * 25 + 25 * (i / 37));
        return std::string(line);
    }));
}
BENCHMARK(BM_CrowdPacked)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
