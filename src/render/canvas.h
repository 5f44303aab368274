// What every picture of the game is drawn on: a canvas offers the few
// things drawing is made of (images blended by their alpha, lines, rings,
// discs, triangles, boxes, the 8-pixel text, and the pixels themselves for
// the black hole's lens) and the turned and scaled copies of images that
// drawing blits, so that drawing says what to draw and the canvas how. The
// desktop draws with SDL and SDL_gfx (render/sdlcanvas.h); ours into plain
// memory, making its copies itself (render/softcanvas.h).
//
// Colours are 0xRRGGBBAA, alpha 255 opaque; coordinates are screen pixels,
// already narrowed to the 16 bits that SDL 1.2 keeps by the callers.
#pragma once

#include <cstdint>
#include <vector>

namespace tether {

struct PixelImage;

// An image as drawing hands it to a canvas: its size and the loaded image
// behind it, which each canvas reads in its own way, or pixels of ours that
// a canvas of ours made (its copies), blitted as they are.
struct Picture {
    const void* source = nullptr; // the loaded image or the pixels; null draws nothing
    int w = 0, h = 0;
    const PixelImage* pixels = nullptr; // set for pixels of ours
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

// What a blit needs to know of an image beside its pixels: whether every
// alpha is 255 (rows are copied as they are), and the runs of pixels that
// show (alpha above 0) as first and past-last columns; row r's runs are
// runs[rowRuns[r] .. rowRuns[r + 1]).
struct ShowingRuns {
    bool opaque = false;
    std::vector<uint16_t> runs;
    std::vector<uint32_t> rowRuns;
};

// A picture's pixels as a canvas of ours keeps them: rows of 0xAARRGGBB,
// the alpha saying how much of each pixel a blit lays over what lies below
// (the image's colour key and its own alpha folded in), and its runs, found
// by the canvas that keeps it.
struct PixelImage {
    int w = 0, h = 0;
    std::vector<uint32_t> argb;
    ShowingRuns showing;
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

    // Copies of pictures, made the first time they are asked for and kept
    // (bounded in memory, freed with the level); a copy is valid until the
    // next copy is asked for, and empty when it cannot be made.
    // sprite turned clockwise on screen by angle radians, smoothed, on a
    // canvas of even sides whose middle is the sprite's.
    virtual Picture turned(const Picture& sprite, float angle) = 0;
    // image scaled by zoom on both axes, smoothed (explosion frames).
    virtual Picture scaled(const Picture& image, double zoom) = 0;
    // The force field scaled to diameter pixels (unsmoothed), recoloured by
    // a disc of the given radius in colour at its middle.
    virtual Picture flash(const Picture& field, float diameter, float radius, uint32_t colour) = 0;
    // link stretched by stretch along its length (smoothed), then turned to
    // the slope (radians, counter-clockwise on screen, within a half turn).
    virtual Picture chainLink(const Picture& link, float stretch, float slope) = 0;
    // image as it is, in the layout that the canvas blits fastest.
    virtual Picture display(const Picture& image) = 0;

    // Lends the pixels until releasePixels; then pixelValue(colour) is an
    // opaque colour as the pixels hold it.
    virtual Pixels lendPixels() = 0;
    virtual void releasePixels() = 0;
    virtual uint32_t pixelValue(uint32_t colour) const = 0;
};

} // namespace tether
