// The desktop canvas: each primitive is the SDL or SDL_gfx call the game
// has always drawn with, and each copy one of render/kept.h's, so the
// picture is theirs to the pixel.
#include "render/sdlcanvas.h"

#include "render/kept.h"

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

// Pixels of ours are no surface: this canvas never makes them.
SDL_Surface* surfaceOf(const Picture& picture)
{
    if (picture.pixels)
        return nullptr;
    return static_cast<SDL_Surface*>(const_cast<void*>(picture.source));
}

} // namespace

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
    SDL_Surface* image = surfaceOf(picture);
    if (!image)
        return;
    SDL_Rect where;
    where.x = at(x);
    where.y = at(y);
    SDL_BlitSurface(image, nullptr, surface_, &where);
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

Picture SdlCanvas::turned(const Picture& sprite, float angle)
{
    return pictureOf(turnedImage(surfaceOf(sprite), angle));
}

Picture SdlCanvas::scaled(const Picture& image, double zoom)
{
    return pictureOf(scaledFrame(surfaceOf(image), zoom));
}

Picture SdlCanvas::flash(const Picture& field, float diameter, float radius, uint32_t colour)
{
    return pictureOf(flashImage(surfaceOf(field), diameter, radius, colour));
}

Picture SdlCanvas::chainLink(const Picture& link, float stretch, float slope)
{
    return pictureOf(chainLinkImage(surfaceOf(link), stretch, slope));
}

Picture SdlCanvas::display(const Picture& image)
{
    return pictureOf(displayImage(surfaceOf(image)));
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
