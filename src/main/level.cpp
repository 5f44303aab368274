#include "main/level.h"

#include "content/assets.h"
#include "content/maps.h"
#include "content/title.h"
#include "main/hooks.h"
#include "world/sound.h"
#include "world/world.h"

#include <SDL_image.h>

#include <cstdlib>

namespace tether {

std::string mapPath;
char shipSpritePath[32] = "sprites/ship1.png";
Mix_Music* music = nullptr;

namespace {

constexpr int firstNormalTrack = 2; // normal levels play tracks 2 to 6
constexpr int normalTrackCount = 5;
constexpr int musicFadeMs = 1000; // after a won map, before its boss

Mix_Music* normalTrack()
{
    return musicTracks[firstNormalTrack - 1 + std::rand() % normalTrackCount];
}

void loadShipImage()
{
    SDL_FreeSurface(shipSprite);
    shipSprite = IMG_Load(shipSpritePath);
}

} // namespace

void musicDone()
{
    Mix_HaltMusic();
    music = nullptr;
}

Mix_Music* trackToPlay()
{
    // A boss track number outside 1..9 names no track: such a boss level
    // plays the normal levels' music instead of reading past the table.
    if (bossLevel && bossMusic >= 1 && bossMusic <= musicTrackCount)
        return musicTracks[bossMusic - 1];
    return normalTrack();
}

void checkMusic()
{
    if (Mix_PlayingMusic())
        return;
    music = trackToPlay();
    Mix_PlayMusic(music, 0);
    Mix_HookMusicFinished(musicDone);
}

void showEndScreen(SDL_Surface* image, Uint32 holdMs)
{
    SDL_BlitSurface(image, nullptr, screen, nullptr);
    SDL_Flip(screen);
    const Uint32 start = SDL_GetTicks();
    while (SDL_GetTicks() - start < holdMs) {
        // The picture stands still: sleep. Only a quit is taken from the
        // queue, and it ends the game at once, as in a level; every other
        // event waits for the next screen.
        SDL_PumpEvents();
        SDL_Event quit;
        if (SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUITMASK) > 0) {
            printFrameStatistics();
            std::exit(0);
        }
        SDL_Delay(10);
    }
}

void endLevel()
{
    Mix_Pause(thrustChannel);
    const bool normalLevelWon = !bossLevel && !gameOver && numEnemies <= 0;
    if (normalLevelWon) {
        bossLevel = true;
        Mix_FadeOutMusic(musicFadeMs);
    } else {
        bossLevel = false;
    }
    clearWorld();
    closeLevelMap();
}

void finishLevel(FrameEnd how)
{
    if (how == FrameEnd::gameOver)
        showEndScreen(gameOverImage);
    else if (how == FrameEnd::victory)
        showEndScreen(victoryImage);
    endLevel();
}

void runLevelCycle()
{
    for (;;) {
        gameOver = false;
        if (bossLevel)
            mapPath = bossMapPath;
        else
            titleScreen(screen, shipSpritePath, &difficulty, &mapPath);
        loadShipImage();
        loadLevelMap(mapPath);
        assembleShip();
        finishLevel(playLevel());
    }
}

} // namespace tether
