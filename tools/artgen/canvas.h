// An RGBA picture in floating point, the surface every image is drawn on.
// Pixels are kept premultiplied so that layering and light can be summed
// without fringes; saving converts to straight 8-bit RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an alpha.
Rgba hex(uint32_t rgb, float a = 1);
Rgba mix(Rgba p, Rgba q, float t);
Rgba withAlpha(Rgba c, float a);
Rgba scaled(Rgba c, float k); // brightness, alpha kept

enum class Blend {
    over, // ordinary paint
    add, // light: adds colour and opacity, for glows and flames
    erase // cuts opacity away, for holes in a sprite
};

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return w_; }
    int height() const { return h_; }

    // Lays colour c over pixel (x, y) with the given coverage 0..1.
    void put(int x, int y, Rgba c, float coverage, Blend blend = Blend::over);
    // The straight colour at (x, y).
    Rgba at(int x, int y) const;
    void fillAll(Rgba c);
    // Composites another canvas with its top-left at (x, y).
    void draw(const Canvas& src, int x, int y, Blend blend = Blend::over);
    // Multiplies every pixel's opacity by k.
    void fade(float k);

    // Writes an 8-bit RGBA PNG; returns false and prints why on failure.
    bool savePng(const std::string& path) const;

private:
    int w_, h_;
    std::vector<float> px_; // premultiplied r, g, b, a per pixel
};
