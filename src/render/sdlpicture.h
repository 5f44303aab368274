// Loaded SDL images as the canvases take them (plain SDL, no SDL_gfx).
#pragma once

#include "render/canvas.h"

#include <SDL.h>

namespace tether {

// A loaded image as a canvas takes it; null gives the empty picture.
Picture pictureOf(const SDL_Surface* image);
// Copies a picture made by pictureOf into pixels of ours, as an SDL blit
// would lay them (pixels of ours as they are); false when its pixels
// cannot be read.
bool readPicture(const Picture& picture, PixelImage& out);

} // namespace tether
