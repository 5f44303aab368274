// The desktop canvas: each primitive is the SDL or SDL_gfx call the game
// has always drawn with, and each copy one of render/kept.h's, so the
// picture is theirs to the pixel. Images in the display's layout are blitted
// as our canvas blits them, with SDL's arithmetic: SDL 1.2 blends them one
// pixel at a time (three quarters of a busy frame), and after its copy of a
// whole image every blend that followed waited on the screen's memory (the
// background pass took three times as long).
#include "render/sdlcanvas.h"

#include "render/kept.h"
#include "render/softcanvas.h"

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

#ifndef TETHER_NO_SDL_GFX
bool hasMasks(const SDL_PixelFormat* f, Uint32 a, Uint32 r, Uint32 g, Uint32 b)
{
    return f->BytesPerPixel == 4 && f->Amask == a && f->Rmask == r && f->Gmask == g
        && f->Bmask == b;
}

enum class OwnBlit { none, blend, copy };

// Which images this canvas lays on a screen of 0x00RRGGBB itself: those in
// the display's layout whose pixels lie plain in memory (not run-length
// coded by an SDL blit before), either with their alpha channel
// (0xAARRGGBB, blended by it), or without one and drawn whole (copied).
OwnBlit ownBlitOf(const SDL_Surface* image, const SDL_Surface* screen)
{
    if (!blitsOwnRows || image == screen || (image->flags & SDL_RLEACCEL) || SDL_MUSTLOCK(image)
        || SDL_MUSTLOCK(screen) || !hasMasks(screen->format, 0, 0xff0000, 0xff00, 0xff))
        return OwnBlit::none;
    if ((image->flags & SDL_SRCALPHA)
        && hasMasks(image->format, 0xff000000, 0xff0000, 0xff00, 0xff))
        return OwnBlit::blend;
    const bool whole = !(image->flags & SDL_SRCCOLORKEY)
        && (!(image->flags & SDL_SRCALPHA) || image->format->alpha == SDL_ALPHA_OPAQUE);
    if (whole && hasMasks(image->format, 0, 0xff0000, 0xff00, 0xff))
        return OwnBlit::copy;
    return OwnBlit::none;
}

// Within the screen's clip rectangle, as SDL_BlitSurface: what shows of the
// image blended (its runs found on its first blit), or all of it copied.
void blitImage(const SDL_Surface* image, SDL_Surface* screen, int x, int y, OwnBlit how)
{
    static const ShowingRuns whole {true, {}, {}};
    const auto* argb = static_cast<const uint32_t*>(image->pixels);
    const int stride = image->pitch / 4;
    const ShowingRuns* showing
        = how == OwnBlit::copy ? &whole : showingRunsOf(image, argb, image->w, image->h, stride);
    if (!showing)
        return;
    const SDL_Rect& clip = screen->clip_rect;
    const int screenStride = screen->pitch / 4;
    uint32_t* corner = static_cast<uint32_t*>(screen->pixels) + clip.y * screenStride + clip.x;
    blitShowing(corner, clip.w, clip.h, screenStride, {argb, image->w, image->h, stride, *showing},
        x - clip.x, y - clip.y);
}
#endif

} // namespace

#ifndef TETHER_NO_SDL_GFX

bool blitsOwnRows = true;

namespace {
uint64_t ownBlits = 0;
}

uint64_t ownBlitsDone()
{
    return ownBlits;
}

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
    if (const OwnBlit how = ownBlitOf(image, surface_); how != OwnBlit::none) {
        blitImage(image, surface_, x, y, how);
        ++ownBlits;
        return;
    }
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
