// SDL_mixer as the WebAssembly simulator sees it: no music is ever loaded.
#pragma once

#include "SDL.h"

struct Mix_Music;

extern "C" {
Mix_Music* Mix_LoadMUS(const char* path);
}
