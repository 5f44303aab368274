#include "main/startup.h"

#include "content/assets.h"
#include "content/tuning.h"
#include "main/audio.h"
#include "main/display.h"
#include "world/world.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

namespace tether {

void startUp()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("Unable to init SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::atexit(SDL_Quit);
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::cout << "Unable to open audio!" << std::endl;
        std::exit(1);
    }
    setUpChannels();
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, displayModeFlags());
    if (!screen) {
        std::printf("Unable to set %dx%d video: %s\n", screenWidth, screenHeight, SDL_GetError());
        std::exit(1);
    }
    loadMusic();
    loadSounds();
    loadImages();
    SDL_ShowCursor(SDL_DISABLE); // the game draws its own pointer
    loadGameData();
    startEngineSound();
    bossLevel = false;
}

} // namespace tether
