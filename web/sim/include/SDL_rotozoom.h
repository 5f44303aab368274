// SDL_gfx's zoom as the WebAssembly simulator sees it: the scaled size.
#pragma once

#include "SDL.h"

#define SMOOTHING_OFF 0
#define SMOOTHING_ON 1

extern "C" {
SDL_Surface* zoomSurface(SDL_Surface* source, double zoomX, double zoomY, int smooth);
}
