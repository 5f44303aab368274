// Loaded SDL images as pictures for the canvases: the picture of a surface,
// and its pixels read once into pixels of ours, for our canvas. Plain SDL,
// no SDL_gfx: the browser's build reads its images this way too.
#include "render/sdlpicture.h"

namespace tether {

namespace {

SDL_Surface* surfaceOf(const Picture& picture)
{
    return static_cast<SDL_Surface*>(const_cast<void*>(picture.source));
}

// SDL 1.2 keeps a surface's alpha and colour key in its format; the
// browser's SDL keeps neither (its images blend by their own pixels).
uint32_t wholeSurfaceAlpha(const SDL_PixelFormat* f)
{
#ifdef __EMSCRIPTEN__
    (void)f;
    return 255;
#else
    return f->alpha;
#endif
}

Uint32 colourKey(const SDL_PixelFormat* f)
{
#ifdef __EMSCRIPTEN__
    (void)f;
    return 0;
#else
    return f->colorkey;
#endif
}

// Where a channel's mask starts: SDL 1.2 keeps it as the format's shift,
// which the browser's SDL leaves at 0 for every channel.
int shiftOf(Uint32 mask)
{
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

Picture pictureOf(const SDL_Surface* image)
{
    if (!image)
        return {};
    return {image, image->w, image->h};
}

// An SDL 1.2 blit blends by each pixel's alpha when the image has an alpha
// channel and asks for blending; by the image's alpha when it asks without
// one; and copies otherwise, leaving out its colour key. An image kept
// run-length encoded has its pixels back only while locked.
bool readPicture(const Picture& picture, PixelImage& out)
{
    if (picture.pixels) {
        out = *picture.pixels;
        return true;
    }
    SDL_Surface* image = surfaceOf(picture);
    if (!image || image->format->BytesPerPixel != 4 || SDL_LockSurface(image) != 0)
        return false;
    const SDL_PixelFormat* f = image->format;
#ifdef __EMSCRIPTEN__
    const bool blends = true; // the browser's images are canvases: always by their alpha
#else
    const bool blends = (image->flags & SDL_SRCALPHA) != 0;
#endif
    const bool pixelAlpha = blends && f->Amask != 0;
    const uint32_t wholeAlpha = blends && f->Amask == 0 ? wholeSurfaceAlpha(f) : 255;
    const bool keyed = (image->flags & SDL_SRCCOLORKEY) != 0 && !pixelAlpha;
    const int rShift = shiftOf(f->Rmask), gShift = shiftOf(f->Gmask), bShift = shiftOf(f->Bmask),
              aShift = shiftOf(f->Amask);
    out.w = image->w;
    out.h = image->h;
    out.argb.resize(static_cast<size_t>(image->w) * static_cast<size_t>(image->h));
    for (int y = 0; y < image->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            const Uint32 p = row[x];
            const uint32_t r = (p & f->Rmask) >> rShift;
            const uint32_t g = (p & f->Gmask) >> gShift;
            const uint32_t b = (p & f->Bmask) >> bShift;
            uint32_t a = pixelAlpha ? (p & f->Amask) >> aShift : wholeAlpha;
            if (keyed && (p & ~f->Amask) == (colourKey(f) & ~f->Amask))
                a = 0;
            out.argb[static_cast<size_t>(y) * image->w + x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    SDL_UnlockSurface(image);
    return true;
}

} // namespace tether
