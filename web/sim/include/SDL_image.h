// SDL_image as the WebAssembly simulator sees it: the size of a PNG.
#pragma once

#include "SDL.h"

extern "C" {
SDL_Surface* IMG_Load(const char* path);
SDL_Surface* IMG_LoadTyped_RW(SDL_RWops* source, int freeSource, char* type);
}
