// Loaded SDL images as pictures for the canvases: the handle a canvas
// blits, and the image's pixels read into our own layout (what the software
// canvas draws from). Built on the desktop and in the browser alike.
#pragma once

#include "render/canvas.h"

#include <SDL.h>

namespace tether {

// A loaded image as a canvas takes it; null gives the empty picture.
Picture pictureOf(const SDL_Surface* image);
// Copies a picture made by pictureOf into pixels of ours, as an SDL blit
// would lay them; false when its pixels cannot be read.
bool readPicture(const Picture& picture, PixelImage& out);

} // namespace tether
