// Telling a version-1 replay's rules apart by playing it to its end.
#include "screens/replayrules.h"

#include "content/worldinuse.h"
#include "screens/session.h"
#include "world/hash.h"

namespace tether {

namespace {

uint64_t endHashBy(Replay replay, RulesVersion rules)
{
    World trial(world().tuning);
    WorldInUse inUse(trial);
    replay.rules = rules;
    restoreReplayStart(replay);
    if (!startLevel("maps/" + replay.mapName, replay.ship - 1, replay.seed))
        return ~replay.endHash;
    for (size_t i = 0; i < replay.frames.size(); ++i)
        if (simulateFrame(trial, replayFrameInput(replay, i), replay.frames[i].steps)
            != LevelState::ongoing)
            break;
    const uint64_t hash = worldHash(trial);
    stopLevel();
    return hash;
}

} // namespace

void settleReplayRules(Replay& replay)
{
    const std::vector<RulesVersion> candidates = rulesOfReplayVersion(replay.version);
    replay.rules = candidates.front();
    if (candidates.size() == 1)
        return;
    for (RulesVersion rules : candidates)
        if (endHashBy(replay, rules) == replay.endHash) {
            replay.rules = rules;
            return;
        }
}

} // namespace tether
