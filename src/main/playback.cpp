#include "main/playback.h"

#include "main/commands.h"
#include "main/frame.h"
#include "main/level.h"
#include "main/notices.h"
#include "main/recorder.h"
#include "main/replay.h"
#include "main/startup.h"
#include "main/summary.h"
#include "render/presentation.h"
#include "world/world.h"

#include <cinttypes>
#include <cstdio>

namespace tether {

std::string replayToPlay;

namespace {

// The recorded frames, each when its steps' worth of time has passed since
// the level started; tells how the level ended (next: the frames ran out).
FrameEnd playRecordedFrames(const Replay& replay, ShipWatch& watch, LevelState& state)
{
    enterFrameLoop(SDL_GetTicks());
    Uint32 due = levelStartTicks;
    for (size_t i = 0; i < replay.frames.size(); ++i) {
        const int steps = replay.frames[i].steps;
        due += static_cast<Uint32>(steps);
        const Uint32 now = SDL_GetTicks();
        if (static_cast<Sint32>(due - now) > 0)
            SDL_Delay(due - now);
        advanceFrameClock(SDL_GetTicks());
        checkMusic();
        gatherInput(); // for a quit: the input is the replay's
        if (levelRequests.quit)
            return FrameEnd::quit;
        if (levelRequests.windowLost)
            return FrameEnd::windowLost;
        const FrameInput input = replayFrameInput(replay, i);
        // The pointer where the player had it: the world position less the
        // camera it was taken with (the frame before's).
        mouseX = static_cast<int>(input.pointerX) - cameraX;
        mouseY = static_cast<int>(input.pointerY) - cameraY;
        state = simulateFrame(input, steps);
        watchFrame(watch);
        const FrameEnd end = presentFrame(state);
        if (end != FrameEnd::next)
            return end;
    }
    return FrameEnd::next;
}

} // namespace

ProgramEnd playReplayInWindow()
{
    Replay replay;
    std::string wrong = loadReplay(replayToPlay, replay);
    if (wrong.empty())
        wrong = checkReplayFits(replay, dataFileHash());
    if (!wrong.empty())
        return ProgramEnd {1, "Cannot play the replay " + replayToPlay + ": " + wrong + "\n"};

    if (std::string notUp = startUp(); !notUp.empty())
        return ProgramEnd {1, notUp};
    presentationRandom.reseed(replay.seed);
    mapPath = "maps/" + replay.mapName;
    difficulty = replay.ship - 1;
    std::snprintf(shipSpritePath, sizeof shipSpritePath, "sprites/ship%d.png", replay.ship);
    restoreReplayStart(replay);
    if (std::string noMap = enterLevel(replay.seed); !noMap.empty())
        return ProgramEnd {1, noMap};
    markReplay(replay.mapName, replay.ship);

    ShipWatch watch = watchShip();
    LevelState state = LevelState::ongoing;
    const FrameEnd end = playRecordedFrames(replay, watch, state);
    // A quit ends the playback at once, as it ends a level.
    if (end == FrameEnd::quit || end == FrameEnd::windowLost)
        return *finishLevel(end, false);
    const LevelSummary summary = summariseLevel(
        replay.mapName, replay.ship, replay.seed, "replay", outcomeOf(state, Outcome::quit), watch);
    std::printf("%s\n", summaryJson(summary).c_str());
    int status = 0;
    if (summary.hash != replay.endHash) {
        std::printf("The replay played back to world hash %016" PRIx64 ", not to %016" PRIx64
                    " as recorded\n",
            summary.hash, replay.endHash);
        status = 1;
    }
    std::fflush(stdout);
    // A victory played back is not a new one. A quit on its end screen ends
    // the game as a quit does, with status 0.
    if (auto quit = finishLevel(end, false))
        return *quit;
    return ProgramEnd {status, ""};
}

} // namespace tether
