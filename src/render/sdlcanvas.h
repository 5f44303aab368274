// The canvas of the desktop: an SDL surface (the window's, or any image),
// drawn with SDL's blits and SDL_gfx's primitives and font. A build without
// SDL_gfx (TETHER_NO_SDL_GFX, the browser's) keeps only the pictures.
#pragma once

#include "render/canvas.h"
#include "render/sdlpicture.h"

#include <SDL.h>

namespace tether {

#ifndef TETHER_NO_SDL_GFX
// On, the desktop canvas blits the images in the display's layout onto a
// 32-bit screen itself, four pixels at a time with SDL 1.2's own arithmetic
// (the same pixels, to the bit); off, through SDL_BlitSurface, which blends
// one pixel at a time: the picture the blits are compared with and measured
// against.
extern bool blitsOwnRows;
// The blits the desktop canvases have done themselves since the start (to
// measure).
uint64_t ownBlitsDone();

class SdlCanvas final : public Canvas {
public:
    explicit SdlCanvas(SDL_Surface* surface)
        : surface_(surface)
    {
    }
    SDL_Surface* surface() const { return surface_; }

    int width() const override;
    int height() const override;
    void fill(uint32_t colour) override;
    void blit(const Picture& picture, int x, int y) override;
    void pixel(int x, int y, uint32_t colour) override;
    void line(int x1, int y1, int x2, int y2, uint32_t colour) override;
    void ring(int x, int y, int r, uint32_t colour) override;
    void disc(int x, int y, int r, uint32_t colour) override;
    void box(int x1, int y1, int x2, int y2, uint32_t colour) override;
    void outline(int x1, int y1, int x2, int y2, uint32_t colour) override;
    void triangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour) override;
    void filledTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour) override;
    void text(int x, int y, const char* text, uint32_t colour) override;
    const unsigned char* glyph(unsigned char c) const override;
    Picture turned(const Picture& sprite, float angle) override;
    Picture scaled(const Picture& image, double zoom) override;
    Picture flash(const Picture& field, float diameter, float radius, uint32_t colour) override;
    Picture chainLink(const Picture& link, float stretch, float slope) override;
    Picture display(const Picture& image) override;
    Pixels lendPixels() override;
    void releasePixels() override;
    uint32_t pixelValue(uint32_t colour) const override;

private:
    SDL_Surface* surface_;
    bool locked_ = false;
};
#endif

} // namespace tether
