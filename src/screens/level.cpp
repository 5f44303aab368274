#include "screens/level.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "content/images.h"
#include "content/maps.h"
#include "platform/audio.h"
#include "platform/eventqueue.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/overlay.h"
#include "render/presentation.h"
#include "render/screencanvas.h"
#include "render/sdlcanvas.h"
#include "screens/ghost.h"
#include "screens/helptext.h"
#include "screens/lostsummary.h"
#include "screens/recorder.h"
#include "screens/results.h"
#include "screens/session.h"
#include "world/object.h"
#include "world/stats.h"
#include "world/world.h"

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

} // namespace

// The mixer calls this on its own thread and forbids its functions in it:
// it only raises the flag that the next frame's checkMusic acts on.
void musicDone()
{
    musicFinished.store(true);
}

Mix_Music* trackToPlay()
{
    World& world = tether::world();
    // A boss track number outside 1..13 names no track: such a boss level
    // plays the normal levels' music instead of reading past the table.
    if (world.bossLevel && world.bossMusic >= 1 && world.bossMusic <= musicTrackCount)
        return musicTracks[world.bossMusic - 1];
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

void openEndScreen(EndScreen& endScreen, SDL_Surface* image, const std::vector<std::string>& note)
{
    Canvas& canvas = screenCanvas();
    canvas.blit(pictureOf(image), 0, 0);
    drawCornerNote(canvas, note);
    presentScreen();
    endScreen.start = SDL_GetTicks();
}

void openRefusal(EndScreen& refusal, const std::string& why)
{
    // Broken after its commas or spaces into lines that fit the window.
    constexpr size_t widest = 90;
    std::vector<std::string> lines;
    std::string rest = why;
    while (rest.size() > widest) {
        size_t cut = rest.rfind(' ', widest);
        if (cut == std::string::npos || cut == 0)
            cut = widest;
        lines.push_back(rest.substr(0, cut));
        rest = rest.substr(cut + (rest[cut] == ' ' ? 1 : 0));
    }
    lines.push_back(rest);
    Canvas& canvas = screenCanvas();
    canvas.fill(0x000000ffu);
    constexpr int lineHeight = 16;
    const int top = 280 - static_cast<int>(lines.size()) * lineHeight / 2;
    drawHint(canvas, "This map cannot be played", top - 2 * lineHeight, 255);
    for (size_t i = 0; i < lines.size(); ++i)
        drawHint(canvas, lines[i], top + static_cast<int>(i) * lineHeight, 255);
    presentScreen();
    refusal.start = SDL_GetTicks();
}

EndScreenOutcome refusalFrame(const EndScreen& refusal)
{
    SDL_PumpEvents();
    if (takeQuitEvent())
        return EndScreenOutcome::quit;
    dropPresses();
    return SDL_GetTicks() - refusal.start >= refusal.holdMs ? EndScreenOutcome::done
                                                             : EndScreenOutcome::holding;
}

EndScreenOutcome endScreenFrame(const EndScreen& endScreen)
{
    // The picture stands still. A quit ends the game at once, as in a
    // level; presses are dropped; every other event (the pointer's moves,
    // the window's) waits for the next screen.
    SDL_PumpEvents();
    if (takeQuitEvent()) {
        printFrameStatistics();
        return EndScreenOutcome::quit;
    }
    // Presses made while an end screen stands were meant for the level
    // that just ended, not for the screen that follows: a click as the ship
    // blew up would change the title's map, a P would pause the boss map
    // before its first frame.
    dropPresses();
    if (SDL_GetTicks() - endScreen.start >= endScreen.holdMs)
        return EndScreenOutcome::done;
    return EndScreenOutcome::holding;
}

namespace {

// The level's world goes, and its engine sound stops until the next thrust.
// What drawing kept for the sizes of this level's things goes with it:
// between levels the game holds no more than before the first.
void tearDownLevel()
{
    Mix_Pause(thrustChannel);
    stopRace();
    stopLevel();
    forgetLensTables();
    forgetImageCopies();
}

} // namespace

void endLevel()
{
    World& world = tether::world();
    const bool normalLevelWon = !world.bossLevel && !world.gameOver && world.numEnemies <= 0;
    if (normalLevelWon) {
        world.bossLevel = true;
        Mix_FadeOutMusic(musicFadeMs);
    } else {
        world.bossLevel = false;
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
    std::vector<std::string> lines = summaryLines(world().levelStats, -1);
    lines.front() = "Won in its first frame: no best time";
    return lines;
}

// Less game time than this is no race, whatever the content: a data file
// that breaks every number can have every enemy dead in the frames before
// the player could act, and such a time would stand against every real one.
constexpr int64_t shortestRaceMs = 1000;

std::vector<std::string> tooQuickVictory(const std::string& map)
{
    std::printf("Victory on %s in %s: over before a race could start, so no best time is kept\n",
        map.c_str(), clockText(world().levelStats.gameTime).c_str());
    std::fflush(stdout);
    std::vector<std::string> lines = summaryLines(world().levelStats, -1);
    lines.front() = "Won in under a second: no best time";
    return lines;
}

} // namespace

std::string mapName(const std::string& path)
{
    const std::string folder = "maps/";
    return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

SDL_Surface* endPicture(FrameEnd how, bool playedNow, std::vector<std::string>& note)
{
    World& world = tether::world();
    note.clear();
    if (how == FrameEnd::gameOver && playedNow)
        note = recordLostLevel(mapName(mapPath), world.levelStats,
            world.ship ? world.ship->lastDamageCause : causeOther);
    else if (how == FrameEnd::victory && playedNow && frameCount == 0)
        note = firstFrameVictory(mapName(mapPath));
    else if (how == FrameEnd::victory && playedNow && world.levelStats.gameTime < shortestRaceMs)
        note = tooQuickVictory(mapName(mapPath));
    else if (how == FrameEnd::victory && playedNow)
        note = recordWonMap(mapName(mapPath), world.levelStats);
    if (how == FrameEnd::gameOver)
        return gameOverImage;
    if (how == FrameEnd::victory)
        return victoryImage;
    return nullptr;
}

void restartLevel()
{
    tearDownLevel(); // the same map next, boss or not
}

std::string enterLevel(uint64_t seed, std::string* why)
{
    world().gameOver = false;
    forgetImageCopies(); // the ship's turned copies go with its sprite
    SDL_FreeSurface(shipSprite);
    shipSprite = loadImage(shipSpritePath);
    if (std::string noMap = loadLevelMap(mapPath, why); !noMap.empty())
        return noMap;
    assembleShip();
    resetLevel(world(), seed);
    return "";
}

uint64_t clockSeed()
{
    return (static_cast<uint64_t>(std::time(nullptr)) << 32) ^ SDL_GetTicks();
}

} // namespace tether
