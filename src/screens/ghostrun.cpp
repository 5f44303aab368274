// A replay played in a world of its own, up to a game time.
#include "screens/ghostrun.h"

#include "content/maps.h"
#include "content/worldinuse.h"
#include "world/stats.h"

namespace tether {

void ClearedWorld::operator()(World* world) const
{
    clearWorld(*world);
    delete world;
}

bool startGhostRun(GhostRun& run, const Replay& replay, const Tuning& tuning)
{
    stopGhostRun(run);
    run.replay = replay;
    run.world.reset(new World(tuning));
    run.nextFrame = 0;
    run.state = LevelState::ongoing;
    // The map is read into the run's world, not the one in use. A level's
    // start (screens/session.h) first lets go of the level in use, its
    // images among it: the run's start must not, as the player's level
    // lives on beside it.
    WorldInUse inUse(*run.world);
    restoreReplayStart(run.replay);
    run.world->gameOver = false;
    run.world->chosenShip = run.replay.ship - 1;
    if (!loadMap("maps/" + run.replay.mapName)) {
        stopGhostRun(run);
        return false;
    }
    assembleShip();
    resetLevel(*run.world, run.replay.seed);
    return true;
}

int catchUpGhostRun(GhostRun& run, int64_t gameTime)
{
    if (!run.world)
        return 0;
    World& world = *run.world;
    const std::vector<ReplayFrame>& frames = run.replay.frames;
    int played = 0;
    while (played < maxGhostFramesPerCatchUp && run.state == LevelState::ongoing
        && run.nextFrame < frames.size()
        && world.levelStats.gameTime + frames[run.nextFrame].steps <= gameTime) {
        const size_t i = run.nextFrame++;
        run.state = simulateFrame(world, replayFrameInput(run.replay, i), frames[i].steps);
        ++played;
    }
    return played;
}

bool ghostRunOver(const GhostRun& run)
{
    return !run.world || run.state != LevelState::ongoing
        || run.nextFrame >= run.replay.frames.size();
}

int64_t ghostRunTime(const GhostRun& run)
{
    return run.world ? run.world->levelStats.gameTime : 0;
}

void stopGhostRun(GhostRun& run)
{
    run.world.reset();
}

} // namespace tether
