#include "main/level.h"

#include "content/assets.h"
#include "content/maps.h"
#include "main/audio.h"
#include "main/lostsummary.h"
#include "main/recorder.h"
#include "main/results.h"
#include "main/session.h"
#include "main/titlescreen.h"
#include "main/window.h"
#include "render/draw.h"
#include "render/kept.h"
#include "render/overlay.h"
#include "render/presentation.h"
#include "world/object.h"
#include "world/stats.h"
#include "world/world.h"

#include <SDL_image.h>

#include <cstdio>
#include <ctime>

namespace tether {

std::string mapPath;
char shipSpritePath[32] = "sprites/ship1.png";
Mix_Music* music = nullptr;
std::atomic<bool> musicFinished {false};

namespace {

constexpr int firstNormalTrack = 2; // normal levels play tracks 2 to 6
constexpr int normalTrackCount = 5;
constexpr int musicFadeMs = 1000; // after a won map, before its boss

Mix_Music* normalTrack()
{
    return musicTracks[firstNormalTrack - 1 + presentationRandom.next15() % normalTrackCount];
}

// In the window every level gets a new seed from the clock.
uint64_t clockSeed()
{
    return (static_cast<uint64_t>(std::time(nullptr)) << 32) ^ SDL_GetTicks();
}

} // namespace

// The mixer calls this on its own thread and forbids its functions in it:
// it only raises the flag that the next frame's checkMusic acts on.
void musicDone()
{
    musicFinished.store(true);
}

Mix_Music* trackToPlay()
{
    // A boss track number outside 1..13 names no track: such a boss level
    // plays the normal levels' music instead of reading past the table.
    if (bossLevel && bossMusic >= 1 && bossMusic <= musicTrackCount)
        return musicTracks[bossMusic - 1];
    return normalTrack();
}

void checkMusic()
{
    if (musicFinished.exchange(false))
        music = nullptr;
    if (Mix_PlayingMusic())
        return;
    music = trackToPlay();
    Mix_PlayMusic(music, 0);
    Mix_HookMusicFinished(musicDone);
}

namespace {

// Presses of keys, mouse buttons and pad controls. Made while an end screen
// stands, they were meant for the level that just ended, not for the screen
// that follows: a click as the ship blew up would change the title's map,
// a P would pause the boss map before its first frame. The key state still
// follows them, so a key held through the end screen is held after it.
constexpr Uint32 pressMask = SDL_EVENTMASK(SDL_KEYDOWN) | SDL_EVENTMASK(SDL_KEYUP)
    | SDL_EVENTMASK(SDL_MOUSEBUTTONDOWN) | SDL_EVENTMASK(SDL_MOUSEBUTTONUP)
    | SDL_EVENTMASK(SDL_JOYAXISMOTION) | SDL_EVENTMASK(SDL_JOYBALLMOTION)
    | SDL_EVENTMASK(SDL_JOYHATMOTION) | SDL_EVENTMASK(SDL_JOYBUTTONDOWN)
    | SDL_EVENTMASK(SDL_JOYBUTTONUP);

void dropPresses()
{
    SDL_Event presses[32];
    while (SDL_PeepEvents(presses, 32, SDL_GETEVENT, pressMask) > 0) { }
}

} // namespace

bool showEndScreen(SDL_Surface* image, Uint32 holdMs, const std::vector<std::string>& note)
{
    SDL_BlitSurface(image, nullptr, screen, nullptr);
    drawCornerNote(screen, note);
    presentScreen();
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        // The picture stands still: sleep. A quit ends the game at once, as
        // in a level; presses are dropped; every other event (the pointer's
        // moves, the window's) waits for the next screen.
        SDL_PumpEvents();
        SDL_Event quit;
        if (SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUITMASK) > 0) {
            printFrameStatistics();
            return false;
        }
        dropPresses();
        if (SDL_GetTicks() - start >= holdMs)
            return true;
        SDL_Delay(10);
    }
}

namespace {

// The level's world goes, and its engine sound stops until the next thrust.
// What drawing kept for the sizes of this level's things goes with it:
// between levels the game holds no more than before the first.
void tearDownLevel()
{
    Mix_Pause(thrustChannel);
    stopLevel();
    forgetLensTables();
    forgetScaledExplosions();
}

} // namespace

void endLevel()
{
    const bool normalLevelWon = !bossLevel && !gameOver && numEnemies <= 0;
    if (normalLevelWon) {
        bossLevel = true;
        Mix_FadeOutMusic(musicFadeMs);
    } else {
        bossLevel = false;
    }
    tearDownLevel();
}

namespace {

// A map won before its first frame was shown (nothing to fight, or enemies
// that die at once) was no race: its time is not kept as a best, or every
// other time of it would stand against 0 ms. How it went is still shown.
std::vector<std::string> firstFrameVictory(const std::string& map)
{
    std::printf("Victory on %s in its first frame: nothing to fight, so no best time is kept\n",
        map.c_str());
    std::fflush(stdout);
    std::vector<std::string> lines = summaryLines(levelStats, -1);
    lines.front() = "Won in its first frame: no best time";
    return lines;
}

} // namespace

std::string mapName(const std::string& path)
{
    const std::string folder = "maps/";
    return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

std::optional<ProgramEnd> finishLevel(FrameEnd how, bool playedNow)
{
    if (how == FrameEnd::restart) {
        tearDownLevel(); // the same map next, boss or not
        return std::nullopt;
    }
    // A quit ends the game with the level as it stands: the exit tears it
    // down (main/startup.h).
    if (how == FrameEnd::quit) {
        printFrameStatistics();
        return ProgramEnd {};
    }
    if (how == FrameEnd::windowLost)
        return ProgramEnd {1, noVideoMode()};
    bool shown = true;
    if (how == FrameEnd::gameOver && playedNow)
        shown = showEndScreen(gameOverImage, endScreenMs,
            recordLostLevel(
                mapName(mapPath), levelStats, ship ? ship->lastDamageCause : causeOther));
    else if (how == FrameEnd::gameOver)
        shown = showEndScreen(gameOverImage);
    else if (how == FrameEnd::victory && playedNow && frameCount == 0)
        shown = showEndScreen(victoryImage, endScreenMs, firstFrameVictory(mapName(mapPath)));
    else if (how == FrameEnd::victory && playedNow)
        shown
            = showEndScreen(victoryImage, endScreenMs, recordWonMap(mapName(mapPath), levelStats));
    else if (how == FrameEnd::victory)
        shown = showEndScreen(victoryImage);
    if (!shown)
        return ProgramEnd {};
    endLevel();
    return std::nullopt;
}

std::string enterLevel(uint64_t seed)
{
    gameOver = false;
    forgetKeptImages(); // the ship's turned copies go with its sprite
    SDL_FreeSurface(shipSprite);
    shipSprite = IMG_Load(shipSpritePath);
    if (std::string noMap = loadLevelMap(mapPath); !noMap.empty())
        return noMap;
    assembleShip();
    resetLevel(seed);
    return "";
}

ProgramEnd runLevelCycle()
{
    presentationRandom.reseed(clockSeed());
    FrameEnd last = FrameEnd::escape;
    for (;;) {
        gameOver = false;
        // A restart plays the same map with the same ship again, as a new
        // level with a replay of its own.
        if (last != FrameEnd::restart) {
            if (bossLevel)
                mapPath = bossMapPath;
            else if (auto end = titleScreen(screen, shipSpritePath, &difficulty, &mapPath))
                return *end;
        }
        const uint64_t seed = clockSeed();
        startRecording(mapPath, difficulty, seed);
        if (std::string noMap = enterLevel(seed); !noMap.empty())
            return ProgramEnd {1, noMap};
        last = playLevel();
        saveRecording(); // before the end screen, which a quit may cut short
        if (auto end = finishLevel(last))
            return *end;
    }
}

} // namespace tether
