#include "run.h"

#include "pilots.h"

#include "content/worldinuse.h"
#include "screens/session.h"
#include "world/stats.h"
#include "world/world.h"

#include <algorithm>

namespace sim {

using namespace tether;

namespace {

Replay startValues;

} // namespace

void rememberStartValues()
{
    startValues = replayOfLevelStart("", 0, 0, 1, 0);
}

std::string playRun(const Run& run, const std::string& pilotName, int64_t limitMs,
    LevelSummary& summary, Replay* record, uint64_t dataHash)
{
    Pilot pilot = makePilot(pilotName, run.seed);
    if (!pilot)
        return "unknown pilot '" + pilotName + "' (pilots: " + pilotNames() + ")";
    const std::string path = "maps/" + run.map;
    restoreReplayStart(startValues);
    if (record)
        *record
            = replayOfLevelStart(run.map, dataHash, fileHash(path).value_or(0), run.ship, run.seed);
    if (!startLevel(path, run.ship - 1, run.seed))
        return "cannot open the map " + path;

    ShipWatch watch = watchShip();
    LevelState state = LevelState::ongoing;
    while (state == LevelState::ongoing && world().levelStats.gameTime < limitMs) {
        const int steps = static_cast<int>(
            std::min<int64_t>(frameSteps, limitMs - world().levelStats.gameTime));
        const FrameInput input = pilot(steps);
        state = simulateFrame(world(), input, steps);
        watchFrame(watch);
        if (record && !addReplayFrame(*record, steps, input)) {
            stopLevel();
            return "the run is longer than a replay holds (" + std::to_string(maxReplayFrames)
                + " frames): --record needs a shorter run (--minutes)";
        }
    }
    summary = summariseLevel(
        run.map, run.ship, run.seed, pilotName, outcomeOf(state, Outcome::timeLimit), watch);
    if (record)
        record->endHash = summary.hash;
    stopLevel();
    return "";
}

void playReplay(const Replay& replay, LevelSummary& summary)
{
    restoreReplayStart(replay);
    startLevel("maps/" + replay.mapName, replay.ship - 1, replay.seed);
    ShipWatch watch = watchShip();
    LevelState state = LevelState::ongoing;
    for (size_t i = 0; i < replay.frames.size() && state == LevelState::ongoing; ++i) {
        state = simulateFrame(world(), replayFrameInput(replay, i), replay.frames[i].steps);
        watchFrame(watch);
    }
    summary = summariseLevel(
        replay.mapName, replay.ship, replay.seed, "replay", outcomeOf(state, Outcome::quit), watch);
    stopLevel();
}

} // namespace sim
