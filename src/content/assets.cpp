// Start-up loading of images and music. Images blitted unchanged every frame
// are converted to the display's format once; images that drawing rotates or
// scales stay as loaded (or pre-shrunk), without conversion.
#include "content/assets.h"

#include "content/images.h"
#include "content/regularfile.h"

#include <string>

namespace tether {

SDL_Surface* screen = nullptr;
Mix_Music* musicTracks[musicTrackCount];
SDL_Surface* digits[11];
SDL_Surface* nullSprite;
SDL_Surface* flames[3];
SDL_Surface* bfgflames[10];
SDL_Surface* explosions[10];
SDL_Surface* shredder;
SDL_Surface* bfgshot;
SDL_Surface* mineSprite;
SDL_Surface* shieldSprite;
SDL_Surface* hudImage;
SDL_Surface* radarImage;
SDL_Surface* gameOverImage;
SDL_Surface* victoryImage;
SDL_Surface* cursorImage;
SDL_Surface* chainImage;
SDL_Surface* backgroundLayers[backgroundLayerCount];
float layerDivisors[backgroundLayerCount];
SDL_Surface* shipSprite;

namespace {

std::string numbered(const char* prefix, int n)
{
    return prefix + std::to_string(n) + ".png";
}

} // namespace

namespace {

// The tracks' files, read whole at start-up: the mixer decodes a track as it
// plays, from these bytes, for the whole run.
std::string trackBytes[musicTrackCount];
// The mixer streams each track from its reader and never frees it: kept
// here beside the bytes, for the whole run.
SDL_RWops* trackReaders[musicTrackCount];

} // namespace

void loadMusic()
{
    for (int n = 1; n <= musicTrackCount; ++n) {
        const std::string path = "music/track" + std::to_string(n) + ".ogg";
#ifdef __EMSCRIPTEN__
        // The page's files are its own, loaded before the game starts.
        musicTracks[n - 1] = Mix_LoadMUS(path.c_str());
#else
        // Read as every file of the game is: only a regular file, within the
        // bound (opening a pipe by name would block start-up for ever).
        // Loaded again (as tests do), a track lets go of its old reader and
        // bytes first.
        if (musicTracks[n - 1])
            Mix_FreeMusic(musicTracks[n - 1]);
        musicTracks[n - 1] = nullptr;
        if (trackReaders[n - 1])
            SDL_FreeRW(trackReaders[n - 1]);
        trackReaders[n - 1] = nullptr;
        std::string& bytes = trackBytes[n - 1];
        if (readRegularFile(path, bytes, maxContentFileBytes) != FileRead::ok)
            continue;
        trackReaders[n - 1] = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        musicTracks[n - 1] = Mix_LoadMUS_RW(trackReaders[n - 1]);
#endif
    }
}

void loadImages()
{
    for (int d = 0; d < 10; ++d)
        digits[d] = loadConverted(numbered("main/", d));
    digits[10] = loadConverted("main/pc.png");
    hudImage = loadConverted("main/HUD.png");
    nullSprite = loadConverted("sprites/null.png");
    // Flame frames are numbered from 1 on disk.
    for (int i = 0; i < 3; ++i)
        flames[i] = loadZoomed(numbered("effects/flame", i + 1), 0.1, 0.16);
    for (int i = 0; i < 10; ++i)
        bfgflames[i] = loadImage(numbered("effects/bfgflame", i));
    for (int i = 0; i < 10; ++i)
        explosions[i] = loadImage(numbered("effects/explosion", i));
    shredder = loadZoomed("effects/shredder.png", 0.1, 0.1);
    bfgshot = loadImage("effects/bfg.png");
    mineSprite = loadImage("effects/mine.png");
    shieldSprite = loadConverted("effects/forcefield.png");
    gameOverImage = loadConverted("main/gameover.png");
    victoryImage = loadConverted("main/victory.png");
    for (int i = 0; i < 3; ++i)
        backgroundLayers[i] = loadConverted(numbered("worldsprites/space", i + 1));
    backgroundLayers[3] = loadOpaque("worldsprites/space4.png");
    cursorImage = loadImage("main/cursor.png");
    chainImage = loadImage("effects/gChain.png");
    radarImage = loadConverted("main/radar.png");

    const float divisors[backgroundLayerCount] = {1.5f, 3.0f, 5.0f, 8.0f};
    for (int i = 0; i < backgroundLayerCount; ++i)
        layerDivisors[i] = divisors[i];
}

} // namespace tether
