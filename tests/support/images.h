// Small image files for tests that load content.
#pragma once

#include <SDL.h>

#include <string>

// Writes a w by h image file (BMP, which the image loader reads too).
inline void writeTestImage(const std::string& path, int w, int h)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, 0x336699);
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}
