// Scaling and turning an image's 32-bit pixels, worked out as SDL_gfx's
// zoom and rotozoom do (the same output size, centre and smoothing), so that
// a copy made here lands where the desktop's would, a level or so apart.
// Each of the four 8-bit channels is worked on alike, whatever it holds:
// images scaled at load use it where the build has no SDL_gfx, drawing's
// own copies (render/softcopies.h) for the software canvas.
#pragma once

#include <cstdint>
#include <vector>

namespace tether {

// Rows of w pixels, packed; null pixels when the image is empty.
struct Raster {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
};

// The source image as it is read: h rows of w pixels, stride apart.
struct RasterView {
    const uint32_t* pixels = nullptr;
    int w = 0, h = 0, stride = 0;
};

// Scaled by (zoomX, zoomY) to round(w zoomX) by round(h zoomY) pixels (at
// least one), smoothed by blending the four nearest source pixels or not.
// Empty for an empty source or a factor that is not a positive finite
// number, or a copy larger than maxSide a side.
Raster zoomed(const RasterView& source, double zoomX, double zoomY, bool smooth);

// Turned counter-clockwise on screen by degrees, smoothed, on a transparent
// square-cornered canvas that holds the turned image whole (even sides,
// the image's middle at their halves). A near-zero angle copies.
Raster turned(const RasterView& source, double degrees);

constexpr int maxSide = 4096;

} // namespace tether
