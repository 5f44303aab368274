// Shows a frame the software canvas drew: the one step of presenting that
// depends on where the game runs. On the desktop the pixels are copied into
// the window's picture under one lock and flipped; a build for another
// display (the browser's) brings its own version of showpixels.cpp.
#pragma once

#include <cstdint>

namespace tether {

// pixels: height rows of width 0x00RRGGBB pixels.
void showPixels(const uint32_t* pixels, int width, int height);

} // namespace tether
