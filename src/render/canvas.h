// What every picture of the game is drawn on: a canvas offers the few
// things drawing is made of (images blended by their alpha, lines, rings,
// discs, triangles, boxes, the 8-pixel text, and the pixels themselves for
// the black hole's lens), so that drawing says what to draw and the canvas
// how. The desktop draws with SDL and SDL_gfx (render/sdlcanvas.h).
//
// Colours are 0xRRGGBBAA, alpha 255 opaque; coordinates are screen pixels,
// already narrowed to the 16 bits that SDL 1.2 keeps by the callers.
#pragma once

#include <cstdint>
#include <vector>

namespace tether {

// An image as drawing hands it to a canvas: its size and the loaded image
// behind it, which each canvas reads in its own way.
struct Picture {
    const void* source = nullptr; // the loaded image; null draws nothing
    int w = 0, h = 0;
    explicit operator bool() const { return source != nullptr; }
};

// The canvas's own pixels, lent for reading and writing in place: rows of
// 32-bit pixels, stride pixels apart, of which the clip rectangle may be
// touched. rows is null when the canvas cannot lend them.
struct Pixels {
    uint32_t* rows = nullptr;
    int stride = 0;
    int clipX = 0, clipY = 0, clipW = 0, clipH = 0;
};

// A picture's pixels as a canvas of ours keeps them: rows of 0xAARRGGBB,
// the alpha saying how much of each pixel a blit lays over what lies below
// (the image's colour key and its own alpha folded in).
struct PixelImage {
    int w = 0, h = 0;
    std::vector<uint32_t> argb;
    // Found by the canvas that keeps the image: whether every alpha is 255
    // (rows are copied as they are), and the runs of pixels that show
    // (alpha above 0) as first and past-last columns; row r's runs are
    // runs[rowRuns[r] .. rowRuns[r + 1]).
    bool opaque = false;
    std::vector<uint16_t> runs;
    std::vector<uint32_t> rowRuns;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Every pixel of the clip rectangle in colour, alpha left out.
    virtual void fill(uint32_t colour) = 0;
    // picture with its top-left corner at (x, y), blended by its alpha.
    virtual void blit(const Picture& picture, int x, int y) = 0;
    virtual void pixel(int x, int y, uint32_t colour) = 0;
    virtual void line(int x1, int y1, int x2, int y2, uint32_t colour) = 0;
    // A one-pixel ring, smoothed at its edge.
    virtual void ring(int x, int y, int r, uint32_t colour) = 0;
    virtual void disc(int x, int y, int r, uint32_t colour) = 0;
    // A filled box and a box's one-pixel outline, corners included.
    virtual void box(int x1, int y1, int x2, int y2, uint32_t colour) = 0;
    virtual void outline(int x1, int y1, int x2, int y2, uint32_t colour) = 0;
    virtual void triangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour) = 0;
    virtual void filledTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour)
        = 0;
    // text in the 8-pixel font, its first cell's top-left at (x, y).
    virtual void text(int x, int y, const char* text, uint32_t colour) = 0;
    // The 8 rows of c's glyph in the font, the leftmost pixel the top bit.
    virtual const unsigned char* glyph(unsigned char c) const = 0;

    // Lends the pixels until releasePixels; then pixelValue(colour) is an
    // opaque colour as the pixels hold it.
    virtual Pixels lendPixels() = 0;
    virtual void releasePixels() = 0;
    virtual uint32_t pixelValue(uint32_t colour) const = 0;
};

} // namespace tether
