// A canvas of our own: draws into a plain buffer of 32-bit pixels
// (0x00RRGGBB) with no SDL call, for a display that shows a frame's pixels
// once (the browser, where every touch of a surface costs a copy of the
// screen). Images come in as pictures; the canvas keeps its own copy of
// each, read once by the reader it is given, and makes its turned and
// scaled copies from those (render/softcopies.h).
#pragma once

#include "render/canvas.h"

#include <cstddef>
#include <cstdint>

namespace tether {

// Fills out with a picture's pixels; false when they cannot be read.
using PictureReader = bool (*)(const Picture& picture, PixelImage& out);

class SoftCanvas final : public Canvas {
public:
    // pixels: height rows of stride words, owned by the caller; font: 256
    // glyphs of 8 rows each.
    SoftCanvas(uint32_t* pixels, int width, int height, int stride, const unsigned char* font,
        PictureReader reader);

    int width() const override { return width_; }
    int height() const override { return height_; }
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
    Picture scaled(const Picture& frame, double zoom) override;
    Picture flash(const Picture& field, float diameter, float radius, uint32_t colour) override;
    Picture chainLink(const Picture& link, float stretch, float slope) override;
    // Our copies blit as fast as the images they are made from.
    Picture display(const Picture& image) override { return image; }
    Pixels lendPixels() override;
    void releasePixels() override { }
    uint32_t pixelValue(uint32_t colour) const override { return colour >> 8; }

private:
    void span(int x1, int x2, int y, uint32_t colour);
    void blend(int x, int y, uint32_t colour, uint32_t alpha);

    uint32_t* pixels_;
    int width_, height_, stride_;
    const unsigned char* font_;
    PictureReader reader_;
};

// Finds whether every alpha of image is 255 and the runs of pixels that
// show, which the blit needs (and a copy made of it must find again).
void findShowingRuns(PixelImage& image);

// Rows of 0xAARRGGBB pixels as a blit reads them: h rows of w pixels,
// stride words apart, with their runs.
struct BlitSource {
    const uint32_t* argb;
    int w, h, stride;
    const ShowingRuns& showing;
};
// Lays source with its top-left at (x, y) on width by height pixels of
// 0x00RRGGBB, stride words apart: what shows, blended by its alpha
// (render/blendrow.h).
void blitShowing(
    uint32_t* pixels, int width, int height, int stride, const BlitSource& source, int x, int y);

// The runs of an image whose pixels lie plain in memory elsewhere (the
// desktop's images), found on its first blit and kept by its address with
// where its pixels lie and their size, which must still match.
const ShowingRuns* showingRunsOf(const void* image, const uint32_t* argb, int w, int h, int stride);

// The software canvases' copies of pictures are kept by the picture's
// source, and the copies made from them too, as are the runs found for an
// image (showingRunsOf); a source freed (or replaced) must be forgotten
// before its memory can hold another image.
void forgetSoftPicture(const void* source);
void forgetSoftPictures();
size_t softPictureBytes();

} // namespace tether
