// The desktop canvas: each primitive is the SDL or SDL_gfx call the game
// has always drawn with, so the picture is theirs to the pixel.
#include "render/sdlcanvas.h"

#ifndef TETHER_NO_SDL_GFX
#include <SDL_gfxPrimitives.h>
#include <SDL_gfxPrimitives_font.h>
#endif

namespace tether {

namespace {

#ifndef TETHER_NO_SDL_GFX
Sint16 at(int v)
{
    return static_cast<Sint16>(v);
}
#endif

SDL_Surface* surfaceOf(const Picture& picture)
{
    return static_cast<SDL_Surface*>(const_cast<void*>(picture.source));
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
    SDL_Surface* image = surfaceOf(picture);
    if (!image || image->format->BytesPerPixel != 4 || SDL_LockSurface(image) != 0)
        return false;
    const SDL_PixelFormat* f = image->format;
    const bool blends = (image->flags & SDL_SRCALPHA) != 0;
    const bool pixelAlpha = blends && f->Amask != 0;
    const uint32_t wholeAlpha = blends && f->Amask == 0 ? f->alpha : 255;
    const bool keyed = (image->flags & SDL_SRCCOLORKEY) != 0 && !pixelAlpha;
    out.w = image->w;
    out.h = image->h;
    out.argb.resize(static_cast<size_t>(image->w) * static_cast<size_t>(image->h));
    for (int y = 0; y < image->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            const Uint32 p = row[x];
            const uint32_t r = (p & f->Rmask) >> f->Rshift;
            const uint32_t g = (p & f->Gmask) >> f->Gshift;
            const uint32_t b = (p & f->Bmask) >> f->Bshift;
            uint32_t a = pixelAlpha ? (p & f->Amask) >> f->Ashift : wholeAlpha;
            if (keyed && (p & ~f->Amask) == (f->colorkey & ~f->Amask))
                a = 0;
            out.argb[static_cast<size_t>(y) * image->w + x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    SDL_UnlockSurface(image);
    return true;
}

#ifndef TETHER_NO_SDL_GFX

int SdlCanvas::width() const
{
    return surface_ ? surface_->w : 0;
}

int SdlCanvas::height() const
{
    return surface_ ? surface_->h : 0;
}

void SdlCanvas::fill(uint32_t colour)
{
    if (surface_)
        SDL_FillRect(surface_, nullptr, pixelValue(colour));
}

void SdlCanvas::blit(const Picture& picture, int x, int y)
{
    if (!picture || !surface_)
        return;
    SDL_Rect where;
    where.x = at(x);
    where.y = at(y);
    SDL_BlitSurface(surfaceOf(picture), nullptr, surface_, &where);
}

void SdlCanvas::pixel(int x, int y, uint32_t colour)
{
    pixelColor(surface_, at(x), at(y), colour);
}

void SdlCanvas::line(int x1, int y1, int x2, int y2, uint32_t colour)
{
    lineColor(surface_, at(x1), at(y1), at(x2), at(y2), colour);
}

void SdlCanvas::ring(int x, int y, int r, uint32_t colour)
{
    aacircleColor(surface_, at(x), at(y), at(r), colour);
}

void SdlCanvas::disc(int x, int y, int r, uint32_t colour)
{
    filledCircleColor(surface_, at(x), at(y), at(r), colour);
}

void SdlCanvas::box(int x1, int y1, int x2, int y2, uint32_t colour)
{
    boxColor(surface_, at(x1), at(y1), at(x2), at(y2), colour);
}

void SdlCanvas::outline(int x1, int y1, int x2, int y2, uint32_t colour)
{
    rectangleColor(surface_, at(x1), at(y1), at(x2), at(y2), colour);
}

void SdlCanvas::triangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour)
{
    trigonColor(surface_, at(x1), at(y1), at(x2), at(y2), at(x3), at(y3), colour);
}

void SdlCanvas::filledTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour)
{
    filledTrigonColor(surface_, at(x1), at(y1), at(x2), at(y2), at(x3), at(y3), colour);
}

void SdlCanvas::text(int x, int y, const char* text, uint32_t colour)
{
    stringColor(surface_, at(x), at(y), text, colour);
}

const unsigned char* SdlCanvas::glyph(unsigned char c) const
{
    return &gfxPrimitivesFontdata[c * 8];
}

Pixels SdlCanvas::lendPixels()
{
    if (!surface_ || surface_->format->BytesPerPixel != 4)
        return {};
    if (SDL_MUSTLOCK(surface_)) {
        if (SDL_LockSurface(surface_) != 0)
            return {};
        locked_ = true;
    }
    const SDL_Rect& clip = surface_->clip_rect;
    return {static_cast<uint32_t*>(surface_->pixels), surface_->pitch / 4, clip.x, clip.y, clip.w,
        clip.h};
}

void SdlCanvas::releasePixels()
{
    if (locked_)
        SDL_UnlockSurface(surface_);
    locked_ = false;
}

uint32_t SdlCanvas::pixelValue(uint32_t colour) const
{
    return SDL_MapRGB(surface_->format, static_cast<Uint8>(colour >> 24),
        static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8));
}

#endif // TETHER_NO_SDL_GFX

} // namespace tether
