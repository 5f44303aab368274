#include "screens/playback.h"
#include "content/worldinuse.h"

#include "platform/replay.h"
#include "render/presentation.h"
#include "screens/commands.h"
#include "screens/frame.h"
#include "screens/ghost.h"
#include "screens/hints.h"
#include "screens/level.h"
#include "screens/notices.h"
#include "screens/recorder.h"
#include "screens/replayrules.h"
#include "screens/summary.h"
#include "world/world.h"

#include <cinttypes>
#include <cstdio>

namespace tether {

std::string replayToPlay;

std::optional<ProgramEnd> readPlayback(Playback& playback)
{
    Replay& replay = playback.replay;
    std::string wrong = loadReplay(replayToPlay, replay);
    if (wrong.empty())
        wrong = checkReplayFits(replay, dataFileHash());
    if (!wrong.empty())
        return ProgramEnd {1, "Cannot play the replay " + replayToPlay + ": " + wrong + "\n"};
    return std::nullopt;
}

std::optional<ProgramEnd> openPlayback(Playback& playback)
{
    Replay& replay = playback.replay;
    settleReplayRules(replay);
    startRace(replay.mapName, false);
    presentationRandom.reseed(replay.seed);
    mapPath = "maps/" + replay.mapName;
    world().chosenShip = replay.ship - 1;
    std::snprintf(shipSpritePath, sizeof shipSpritePath, "sprites/ship%d.png", replay.ship);
    restoreReplayStart(replay);
    if (std::string noMap = enterLevel(replay.seed); !noMap.empty())
        return ProgramEnd {1, noMap};
    markReplay(replay.mapName, replay.ship);
    withholdHints();

    playback.watch = watchShip();
    playback.state = LevelState::ongoing;
    playback.nextFrame = 0;
    enterFrameLoop(SDL_GetTicks());
    playback.due = levelStartTicks;
    return std::nullopt;
}

// Each recorded frame is due when its steps' worth of time has passed since
// the frame before was.
Uint32 playbackDelay(const Playback& playback)
{
    if (playback.nextFrame >= playback.replay.frames.size())
        return 0;
    const Uint32 due
        = playback.due + static_cast<Uint32>(playback.replay.frames[playback.nextFrame].steps);
    const Uint32 now = SDL_GetTicks();
    return static_cast<Sint32>(due - now) > 0 ? due - now : 0;
}

FrameEnd playbackFrame(Playback& playback)
{
    if (playback.nextFrame >= playback.replay.frames.size())
        return FrameEnd::next;
    const size_t i = playback.nextFrame++;
    const int steps = playback.replay.frames[i].steps;
    playback.due += static_cast<Uint32>(steps);
    advanceFrameClock(SDL_GetTicks());
    checkMusic();
    gatherInput(); // for a quit: the input is the replay's
    if (levelRequests.quit)
        return FrameEnd::quit;
    if (levelRequests.windowLost)
        return FrameEnd::windowLost;
    const FrameInput input = replayFrameInput(playback.replay, i);
    // The pointer where the player had it: the world position less the
    // camera it was taken with (the frame before's).
    mouseX = static_cast<int>(input.pointerX) - cameraX;
    mouseY = static_cast<int>(input.pointerY) - cameraY;
    playback.state = simulateFrame(world(), input, steps);
    raceAlong();
    watchFrame(playback.watch);
    return presentFrame(playback.state);
}

int finishPlayback(const Playback& playback)
{
    const Replay& replay = playback.replay;
    const LevelSummary summary = summariseLevel(replay.mapName, replay.ship, replay.seed, "replay",
        outcomeOf(playback.state, Outcome::quit), playback.watch);
    std::printf("%s\n", summaryJson(summary).c_str());
    int status = 0;
    if (summary.hash != replay.endHash) {
        std::printf("The replay played back to world hash %016" PRIx64 ", not to %016" PRIx64
                    " as recorded\n",
            summary.hash, replay.endHash);
        status = 1;
    }
    std::fflush(stdout);
    return status;
}

} // namespace tether
