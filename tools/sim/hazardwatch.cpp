// tether-hazardwatch: how long before each death by a sun or a black hole
// the hazard warning stood (ai/hazards.h, as the game draws and sounds it).
// Plays a pilot headless like tether-sim and watches every frame:
//
//   tether-hazardwatch PILOT SHIP RUNS MINUTES MAP...   (from the game folder)
//
// One line per death by a sun or black hole, then per map: runs, deaths by
// each, and how many had a warning of at least 1.5 s. Only reads the
// world: the runs play exactly as tether-sim's.
#include "parallel.h"
#include "pilots.h"
#include "run.h" // frameSteps

#include "ai/hazards.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/gamefolder.h"
#include "platform/replay.h"
#include "screens/session.h"
#include "screens/summary.h"
#include "world/events.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace tether;

namespace {

// What a map may keep from the level before, as the game starts with it:
// every run starts from these, as tether-sim's do.
Replay startValues;

struct Death {
    int how = -1; // causeSun, causeBlackHole, or another cause / -1
    int64_t atMs = 0;
    int64_t warnedMs = 0; // how long the warning had stood when the ship died
    int64_t framesFlown = 0, framesWarned = 0; // how much of the flight was warned
    int64_t framesAlarmed = 0; // of which the ring flashed and the tone sounded
};

Death watchRun(const sim::Run& run, const std::string& pilotName, int64_t limitMs)
{
    Death death;
    sim::Pilot pilot = sim::makePilot(pilotName, run.seed);
    restoreReplayStart(startValues);
    if (!startLevel("maps/" + run.map, run.ship - 1, run.seed))
        return death;
    ShipWatch watch = watchShip();
    LevelState state = LevelState::ongoing;
    int64_t warnedSince = -1; // game time the standing warning began
    int64_t lastAlive = 0;
    bool alive = true;
    while (state == LevelState::ongoing && world().levelStats.gameTime < limitMs) {
        const FrameInput input = pilot(sim::frameSteps);
        state = simulateFrame(world(), input, sim::frameSteps);
        watchFrame(watch);
        const bool shipFlies = world().ship && world().ship->type == typeShip;
        if (!alive)
            continue;
        if (!shipFlies || state == LevelState::gameOver) {
            alive = false;
            death.atMs = world().levelStats.gameTime;
            death.warnedMs = warnedSince >= 0 ? death.atMs - warnedSince : 0;
            continue;
        }
        lastAlive = world().levelStats.gameTime;
        ++death.framesFlown;
        const HazardView view = foreseeHazards(world());
        death.framesAlarmed += view.onCourseSoon();
        if (view.warn()) {
            ++death.framesWarned;
            if (warnedSince < 0)
                warnedSince = lastAlive;
        } else {
            warnedSince = -1;
        }
    }
    death.how = alive ? -1 : watch.endedBy;
    stopLevel();
    return death;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: tether-hazardwatch PILOT SHIP RUNS MINUTES MAP...\n");
        return 2;
    }
    World world(gameTuning());
    WorldInUse inUse(world);
    const std::string pilot = argv[1];
    const int ship = std::atoi(argv[2]), runsPerMap = std::atoi(argv[3]);
    const int64_t limitMs = std::llround(std::atof(argv[4]) * 60000.0);
    if (!sim::makePilot(pilot, 0) || ship < 1 || ship > 3 || runsPerMap < 1) {
        std::fprintf(stderr, "tether-hazardwatch: bad pilot, ship or runs\n");
        return 2;
    }
    enterGameFolder();
    startValues = replayOfLevelStart("", 0, 0, 1, 0);
    if (!readDataFile("data")) {
        std::fprintf(stderr, "tether-hazardwatch: cannot read the data file\n");
        return 2;
    }
    std::vector<sim::Run> runs;
    for (int m = 5; m < argc; ++m)
        for (int k = 0; k < runsPerMap; ++k)
            runs.push_back({argv[m], ship, static_cast<uint64_t>(1 + k)});
    std::vector<Death> deaths(runs.size());
    std::vector<std::string> lines;
    std::string failure;
    if (!sim::runInParallel(
            static_cast<int>(runs.size()),
            [&](int i) {
                deaths[static_cast<size_t>(i)]
                    = watchRun(runs[static_cast<size_t>(i)], pilot, limitMs);
                return std::string();
            },
            lines, failure)) {
        std::fprintf(stderr, "tether-hazardwatch: %s\n", failure.c_str());
        return 1;
    }
    struct Tally {
        int runs = 0, sun = 0, blackHole = 0, other = 0, warnedEnough = 0;
        int64_t shortest = -1;
        int64_t flown = 0, warned = 0, alarmed = 0;
    };
    std::map<std::string, Tally> tallies;
    std::vector<std::string> order;
    for (size_t i = 0; i < runs.size(); ++i) {
        const Death& d = deaths[i];
        if (!tallies.count(runs[i].map))
            order.push_back(runs[i].map);
        Tally& t = tallies[runs[i].map];
        ++t.runs;
        t.flown += d.framesFlown;
        t.warned += d.framesWarned;
        t.alarmed += d.framesAlarmed;
        const bool body = d.how == causeSun || d.how == causeBlackHole;
        if (!body) {
            t.other += d.how >= 0;
            continue;
        }
        (d.how == causeSun ? t.sun : t.blackHole)++;
        t.warnedEnough += d.warnedMs >= 1500;
        t.shortest = t.shortest < 0 ? d.warnedMs : std::min(t.shortest, d.warnedMs);
        std::printf("%s ship %d seed %llu: %s at %.1f s, warned %.2f s before\n",
            runs[i].map.c_str(), ship, static_cast<unsigned long long>(runs[i].seed),
            causeName(d.how), d.atMs / 1000.0, d.warnedMs / 1000.0);
    }
    std::printf("\n| map | pilot | ship | runs | sun deaths | black-hole deaths | other deaths | "
                "warned >= 1.5 s | shortest warning | flight warned | of it flashing "
                "|\n|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const std::string& map : order) {
        const Tally& t = tallies[map];
        char shortest[32] = "-";
        if (t.shortest >= 0)
            std::snprintf(shortest, sizeof shortest, "%.2f s", t.shortest / 1000.0);
        std::printf("| %s | %s | %d | %d | %d | %d | %d | %d of %d | %s | %.1f %% | %.1f %% |\n",
            map.c_str(), pilot.c_str(), ship, t.runs, t.sun, t.blackHole, t.other, t.warnedEnough,
            t.sun + t.blackHole, shortest, t.flown ? 100.0 * t.warned / t.flown : 0.0,
            t.flown ? 100.0 * t.alarmed / t.flown : 0.0);
    }
    return 0;
}
