// The screens' state machine: each frame of each screen, and the moves from
// one screen to the next (the level cycle: title, level, end screen, boss
// level, title again).
#include "main/program.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "main/startup.h"
#include "platform/frametimes.h"
#include "platform/window.h"
#include "render/presentation.h"
#include "screens/commands.h"
#include "screens/frame.h"
#include "screens/ghost.h"
#include "screens/hints.h"
#include "screens/pacing.h"
#include "screens/recorder.h"
#include "screens/results.h"
#include "world/world.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tether {

namespace {

constexpr Uint32 endScreenPollMs = 10; // how often an end screen looks for a quit

FrameWait forInput()
{
    return FrameWait {FrameWait::Kind::input, 0};
}

FrameWait forTime(Uint32 ms)
{
    return FrameWait {FrameWait::Kind::time, ms};
}

void showTitle(Program& program)
{
    TitleState title;
    if (auto end = openTitle(title)) {
        program.end = end;
        return;
    }
    program.screen = std::move(title);
    program.wait = {};
}

// A new level on mapPath with the chosen ship, recorded (screens/recorder.h).
void beginLevel(Program& program)
{
    world().gameOver = false;
    const uint64_t seed = clockSeed();
    startRecording(mapPath, world().chosenShip, seed);
    startRace(mapName(mapPath), true);
    std::string why;
    if (std::string noMap = enterLevel(seed, &why); !noMap.empty()) {
        // Said in the window for a while, before the game ends as a map
        // that cannot be played ends it. On the desktop the line goes to
        // standard output at once; the page shows it when the game ends.
        MapRefused refused;
#ifdef __EMSCRIPTEN__
        refused.end = ProgramEnd {1, noMap};
#else
        std::fputs(noMap.c_str(), stdout);
        std::fflush(stdout);
        refused.end = ProgramEnd {1, ""};
#endif
        openRefusal(refused.screen, why);
        program.screen = refused;
        program.wait = {};
        return;
    }
    prepareHints(mapName(mapPath), mapWonBefore(mapName(mapPath)));
    enterFrameLoop(SDL_GetTicks());
    program.screen = LevelInPlay {};
    program.wait = {};
}

// After a level's end: a won map leads into its boss map, anything else
// back to the title.
void afterLevel(Program& program)
{
    World& world = tether::world();
    world.gameOver = false;
    if (world.bossLevel) {
        mapPath = world.bossMapPath;
        beginLevel(program);
    } else {
        showTitle(program);
    }
}

// The quit and the lost window end a level and the game alike.
bool endsTheGame(Program& program, FrameEnd how)
{
    if (how == FrameEnd::quit) {
        printFrameStatistics();
        program.end = ProgramEnd {};
        return true;
    }
    if (how == FrameEnd::windowLost) {
        program.end = ProgramEnd {1, noVideoMode()};
        return true;
    }
    return false;
}

void showEndScreen(Program& program, SDL_Surface* image, const std::vector<std::string>& note,
    bool afterPlayback, int playbackStatus)
{
    LevelEndScreen ending;
    ending.afterPlayback = afterPlayback;
    ending.playbackStatus = playbackStatus;
    openEndScreen(ending.endScreen, image, note);
    program.screen = ending;
    program.wait = {};
}

void levelEnded(Program& program, FrameEnd how)
{
    saveRecording(); // before the end screen, which a quit may cut short
    if (endsTheGame(program, how))
        return;
    if (how == FrameEnd::restart) {
        // The same map with the same ship again, as a new level with a
        // replay of its own.
        restartLevel();
        beginLevel(program);
        return;
    }
    std::vector<std::string> note;
    SDL_Surface* image = endPicture(how, true, note);
    if (how == FrameEnd::victory)
        addRaceResult(note);
    if (image) {
        showEndScreen(program, image, note, false, 0);
        return;
    }
    endLevel();
    afterLevel(program);
}

void runLevel(Program& program)
{
    const FrameEnd end = runFrame(SDL_GetTicks());
    if (end != FrameEnd::next) {
        levelEnded(program, end);
        return;
    }
    if (levelRequests.pause || levelRequests.help) {
        PauseScreen pause;
        openPause(pause);
        program.screen = std::move(pause);
        program.wait = forInput();
        return;
    }
    if (levelRequests.restart) {
        levelEnded(program, FrameEnd::restart);
        return;
    }
    program.wait = forTime(frameDelay());
}

void runPause(Program& program, PauseScreen& pause)
{
    if (!pauseFrame(pause)) {
        program.wait = forInput();
        return;
    }
    holdFrameClock(closePause(pause));
    if (levelRequests.quit)
        levelEnded(program, FrameEnd::quit);
    else if (levelRequests.windowLost)
        levelEnded(program, FrameEnd::windowLost);
    else if (levelRequests.restart)
        levelEnded(program, FrameEnd::restart);
    else {
        program.screen = LevelInPlay {};
        program.wait = forTime(frameDelay());
    }
}

void runEndScreen(Program& program, const LevelEndScreen& ending)
{
    switch (endScreenFrame(ending.endScreen)) {
    case EndScreenOutcome::holding: program.wait = forTime(endScreenPollMs); return;
    case EndScreenOutcome::quit: program.end = ProgramEnd {}; return;
    case EndScreenOutcome::done: break;
    }
    endLevel();
    if (ending.afterPlayback)
        program.end = ProgramEnd {ending.playbackStatus, ""};
    else
        afterLevel(program);
}

void runRefusal(Program& program, const MapRefused& refused)
{
    if (refusalFrame(refused.screen) == EndScreenOutcome::holding) {
        program.wait = forTime(endScreenPollMs);
        return;
    }
    program.end = refused.end;
}

void runTitle(Program& program, TitleState& title)
{
    TitleChoice choice;
    ProgramEnd end;
    switch (titleFrame(title, choice, end)) {
    case TitleOutcome::waiting: program.wait = forInput(); return;
    case TitleOutcome::ended: program.end = end; return;
    case TitleOutcome::started: break;
    }
    std::snprintf(shipSpritePath, sizeof shipSpritePath, "%s", choice.shipSpritePath);
    world().chosenShip = choice.chosenShip;
    mapPath = choice.mapPath;
    beginLevel(program);
}

void runPlayback(Program& program, Playback& playback)
{
    const FrameEnd end = playbackFrame(playback);
    if (end == FrameEnd::next && playback.nextFrame < playback.replay.frames.size()) {
        program.wait = forTime(playbackDelay(playback));
        return;
    }
    // A quit ends the playback at once, as it ends a level.
    if (endsTheGame(program, end))
        return;
    const int status = finishPlayback(playback);
    // A victory played back is not a new one.
    std::vector<std::string> note;
    if (SDL_Surface* image = endPicture(end, false, note)) {
        showEndScreen(program, image, note, true, status);
        return;
    }
    endLevel();
    program.end = ProgramEnd {status, ""};
}

} // namespace

Program gameProgram()
{
    Program program;
    if (std::string notUp = startUp(); !notUp.empty()) {
        program.end = ProgramEnd {1, notUp};
        return program;
    }
    if (std::string notRaced = checkGhostToRace(); !notRaced.empty()) {
        program.end = ProgramEnd {1, notRaced};
        return program;
    }
    presentationRandom.reseed(clockSeed());
    showTitle(program);
    return program;
}

Program playbackProgram()
{
    Program program;
    Playback playback;
    std::optional<ProgramEnd> end = readPlayback(playback);
    if (!end) {
        if (std::string notUp = startUp(); !notUp.empty())
            end = ProgramEnd {1, notUp};
    }
    if (!end) {
        if (std::string notRaced = checkGhostToRace(); !notRaced.empty())
            end = ProgramEnd {1, notRaced};
    }
    if (!end)
        end = openPlayback(playback);
    if (end) {
        program.end = end;
        return program;
    }
    program.wait = forTime(playbackDelay(playback));
    program.screen = std::move(playback);
    return program;
}

bool programFrame(Program& program)
{
    if (program.end)
        return false;
    if (!waitAsAsked(program.wait))
        return true;
    program.wait = {};
    // A level's and a playback's frames are timed, from after the wait.
    const bool playing = std::holds_alternative<LevelInPlay>(program.screen)
        || std::holds_alternative<Playback>(program.screen);
    const double started = playing ? frameClockMs() : 0.0;
    if (auto* title = std::get_if<TitleState>(&program.screen))
        runTitle(program, *title);
    else if (std::holds_alternative<LevelInPlay>(program.screen))
        runLevel(program);
    else if (auto* pause = std::get_if<PauseScreen>(&program.screen))
        runPause(program, *pause);
    else if (auto* ending = std::get_if<LevelEndScreen>(&program.screen))
        runEndScreen(program, *ending);
    else if (auto* playback = std::get_if<Playback>(&program.screen))
        runPlayback(program, *playback);
    else if (auto* refused = std::get_if<MapRefused>(&program.screen))
        runRefusal(program, *refused);
    if (playing)
        keepFrameTime(frameClockMs() - started);
    return !program.end;
}

} // namespace tether
