#include "content/images.h"

#include <SDL_image.h>
#include <SDL_rotozoom.h>

#include <cmath>

namespace tether {

SDL_Surface* loadImage(const std::string& path)
{
    return IMG_Load(path.c_str());
}

SDL_Surface* convertWithAlpha(SDL_Surface* image)
{
    if (!image)
        return nullptr;
    // Without a display (the map checker reads maps with the game's readers)
    // there is no format to convert to: the image stays as it is.
    if (!SDL_GetVideoSurface())
        return image;
#ifdef __EMSCRIPTEN__
    // The browser's pictures are drawn by our own canvas, which reads any
    // 32-bit layout: nothing to convert to.
    return image;
#endif
    SDL_SetAlpha(image, SDL_SRCALPHA | SDL_RLEACCEL, 255);
    SDL_Surface* converted = SDL_DisplayFormatAlpha(image);
    SDL_FreeSurface(image);
    return converted;
}

SDL_Surface* loadConverted(const std::string& path)
{
    return convertWithAlpha(loadImage(path));
}

SDL_Surface* loadOpaque(const std::string& path)
{
    SDL_Surface* image = loadImage(path);
    if (!image)
        return nullptr;
#ifdef __EMSCRIPTEN__
    return image; // as convertWithAlpha: drawn by our canvas as it is
#endif
    SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormat(image) : nullptr;
    SDL_FreeSurface(image);
    return converted;
}

SDL_Surface* loadZoomed(const std::string& path, double zx, double zy)
{
    SDL_Surface* image = loadImage(path);
    if (!image)
        return nullptr;
    SDL_Surface* zoomed = zoomSurface(image, zx, zy, SMOOTHING_ON);
    SDL_FreeSurface(image);
    return zoomed;
}

// No body's image grows beyond this many pixels a side: a map that gives a
// planet an absurd radius gets an invisible planet, not an allocation that
// takes the machine's memory down.
constexpr double maxScaledSide = 4096.0;

SDL_Surface* scaledCopy(SDL_Surface* image, double factor)
{
    if (!image || !std::isfinite(factor) || factor <= 0.0)
        return nullptr;
    if (image->w * factor > maxScaledSide || image->h * factor > maxScaledSide)
        return nullptr;
    return convertWithAlpha(zoomSurface(image, factor, factor, SMOOTHING_ON));
}

} // namespace tether
