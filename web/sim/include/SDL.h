// SDL as the WebAssembly simulator sees it: an image is its size and
// nothing more, since the simulator never draws (web/sim/standins.cpp).
#pragma once

#include <cstdint>

typedef uint8_t Uint8;
typedef uint16_t Uint16;
typedef uint32_t Uint32;
typedef int16_t Sint16;
typedef int32_t Sint32;

struct SDL_Surface {
    int w;
    int h;
};
struct SDL_RWops;

#define SDL_SRCALPHA 0x00010000
#define SDL_RLEACCEL 0x00004000

extern "C" {
SDL_Surface* SDL_GetVideoSurface(void);
void SDL_FreeSurface(SDL_Surface* surface);
int SDL_SetAlpha(SDL_Surface* surface, Uint32 flags, Uint8 alpha);
SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface);
SDL_Surface* SDL_DisplayFormatAlpha(SDL_Surface* surface);
SDL_RWops* SDL_RWFromConstMem(const void* memory, int size);
}
