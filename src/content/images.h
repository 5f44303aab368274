// Loading and preparing images. Every function here accepts a missing image
// (null) and gives null back, so a missing file never brings the game down:
// drawing skips what has no image.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

// The image in the file at path, or null; then why (when given) tells what
// is wrong with the file: "not found", "is not a regular file", "is not an
// image", "is cut short or damaged".
SDL_Surface* loadImage(const std::string& path, std::string* why = nullptr);
// Converted to the display's format with per-pixel alpha (RLE accelerated);
// for images blitted unchanged every frame. Frees the loaded image.
SDL_Surface* loadConverted(const std::string& path);
// Converted to the display's format without alpha. Frees the loaded image.
SDL_Surface* loadOpaque(const std::string& path);
// Scaled by (zx, zy) with smoothing, kept without display conversion.
SDL_Surface* loadZoomed(const std::string& path, double zx, double zy);

// Takes ownership of image and returns its display-format copy with
// per-pixel alpha, or null.
SDL_Surface* convertWithAlpha(SDL_Surface* image);
// A display-format copy of image scaled by factor on both axes, for an
// object's own sprite (a mine, planet or sun). Null when image is null or
// the factor is not a positive finite number (a base radius of 0), or would
// make the copy larger than 4096 pixels a side.
SDL_Surface* scaledCopy(SDL_Surface* image, double factor);

} // namespace tether
