// The race against a recorded run, beside the level in play.
#include "screens/ghost.h"

#include "content/worldinuse.h"
#include "platform/replay.h"
#include "platform/settings.h"
#include "render/ghost.h"
#include "screens/ghostrun.h"
#include "screens/helptext.h"
#include "screens/notices.h"
#include "screens/recorder.h"
#include "screens/replayrules.h"
#include "screens/results.h"
#include "world/object.h"
#include "world/stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tether {

std::string ghostToRace;

namespace {

GhostRun race;
bool racing = false; // a run is raced in this level
bool shown = true; // its ghost is drawn
int64_t runLength = 0; // the raced run's game time in all (ms)

std::string readRun(const std::string& path, Replay& replay)
{
    std::string wrong = loadReplay(path, replay);
    if (wrong.empty())
        wrong = checkReplayFits(replay, dataFileHash());
    return wrong;
}

// "1.25 s", a time difference as the victory screen tells it: to the
// hundredth, as a close race is won by less than a tenth.
std::string seconds(int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld s", static_cast<long long>(ms / 1000),
        static_cast<long long>(ms % 1000 / 10));
    return text;
}

std::string standing()
{
    const World& ghost = *race.world;
    if (ghostRunOver(race) && race.state == LevelState::victory)
        return "Ghost won in " + clockText(ghostRunTime(race));
    if (ghostRunOver(race))
        return "Ghost's run ended at " + clockText(ghostRunTime(race));
    // A level may count below 0 as its last enemies die together.
    const int ghostLeft = std::max(ghost.numEnemies, 0);
    const int lead = ghostLeft - std::max(world().numEnemies, 0);
    const std::string left = "Ghost: " + std::to_string(ghostLeft) + " left, ";
    if (lead > 0)
        return left + "you " + std::to_string(lead) + " ahead";
    if (lead < 0)
        return left + "you " + std::to_string(-lead) + " behind";
    return left + "level";
}

} // namespace

std::string checkGhostToRace()
{
    if (ghostToRace.empty())
        return "";
    Replay replay;
    const std::string wrong = readRun(ghostToRace, replay);
    return wrong.empty() ? "" : "Cannot race the replay " + ghostToRace + ": " + wrong + "\n";
}

void startRace(const std::string& mapName, bool bestRuns)
{
    stopRace();
    const bool named = !ghostToRace.empty();
    if (!named && !(bestRuns && settings.ghost))
        return;
    const std::string path = named ? ghostToRace : bestReplayPath(mapName);
    Replay replay;
    if (path.empty() || readRun(path, replay) != "") {
        if (named)
            std::printf("No ghost: the replay %s cannot be raced\n", path.c_str());
        return;
    }
    if (replay.mapName != mapName) {
        std::printf("No ghost on %s: the replay %s was played on %s\n", mapName.c_str(),
            path.c_str(), replay.mapName.c_str());
        std::fflush(stdout);
        return;
    }
    settleReplayRules(replay);
    if (!startGhostRun(race, replay, world().tuning))
        return;
    runLength = 0;
    for (const ReplayFrame& frame : replay.frames)
        runLength += frame.steps;
    racing = true;
    shown = true;
}

void raceAlong()
{
    if (racing)
        catchUpGhostRun(race, world().levelStats.gameTime);
}

void drawRace(Canvas& canvas, int cameraX, int cameraY)
{
    if (!racing || !shown || !world().ship)
        return;
    drawGhost(
        canvas, *race.world, race.replay.ship, world().ship->x, world().ship->y, cameraX, cameraY);
    drawRaceLine(canvas, standing());
}

void toggleGhost()
{
    settings.ghost = racing ? !shown : !settings.ghost;
    shown = settings.ghost;
    keepSetting("ghost");
    showNotice(settings.ghost ? "Ghost on" : "Ghost off");
}

void addRaceResult(std::vector<std::string>& note)
{
    if (!racing)
        return;
    const int64_t mine = world().levelStats.gameTime;
    if (mine < runLength)
        note.push_back("Ahead of the ghost by " + seconds(runLength - mine));
    else if (mine > runLength)
        note.push_back("Behind the ghost by " + seconds(mine - runLength));
    else
        note.push_back("Level with the ghost");
}

void stopRace()
{
    stopGhostRun(race);
    racing = false;
}

} // namespace tether
