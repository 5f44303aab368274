// How much drawing one value may ask for. The data file and the maps set
// numbers that decide the work of a frame (the links of a chain, the size of
// a scaled image); each is held here to what a 800 by 600 screen can show,
// so that no content can make a frame take seconds or take the memory down.
#pragma once

#include <algorithm>
#include <cmath>

namespace tether {

// A chain shows at most one link per two pixels of its length and never
// more than 256 links; one link is never stretched beyond 1024 pixels, so a
// chain longer than 256 such links (far longer than any rope in play) is
// not drawn at all. Returns the number of links to draw for a chain of
// length pixels when the data file asks for wanted, or 0 for none.
constexpr float minLinkSpacing = 2.0f;
constexpr float maxLinkSpacing = 1024.0f;
constexpr float maxChainLinks = 256.0f;

inline float chainLinks(float wanted, float length)
{
    if (!(wanted > 0.0f) || !(length > 0.0f) || !(length <= maxChainLinks * maxLinkSpacing))
        return 0.0f;
    const float fewest = length / maxLinkSpacing;
    const float most = std::min(maxChainLinks, std::max(1.0f, length / minLinkSpacing));
    return std::min(std::max(wanted, fewest), most);
}

// A damage flash is the force-field image scaled to the object's diameter,
// made anew for every frame the object is hit; an object larger than the
// screen flashes at screen size.
constexpr float maxFlashDiameter = 1024.0f;

inline float flashDiameter(float radius)
{
    return std::min(2 * radius, maxFlashDiameter);
}

// Explosion frames are drawn for a radius of 50 and scaled by 0.02 radius;
// a scaled frame is kept within 512 pixels a side, so that the kept frames
// stay small whatever size the exploding object has.
constexpr double maxExplosionSide = 512.0;

inline double explosionZoom(float radius, int frameWidth, int frameHeight)
{
    const double zoom = 0.02 * radius;
    const int side = std::max(frameWidth, frameHeight);
    if (side <= 0)
        return zoom;
    return std::min(zoom, maxExplosionSide / side);
}

// A black hole's lens bends a square of 6r pixels a side, made anew every
// frame, with a table of as many entries kept per black hole. The lenses of
// one frame together bend at most this many pixels (a little more than two
// of the largest); black holes beyond it show their black disc alone. The
// world's draw pass starts the count afresh each frame.
constexpr double maxLensPixelsPerFrame = 8.0 * 1024 * 1024;
inline double lensPixelsThisFrame = 0;

inline void startLensCount()
{
    lensPixelsThisFrame = 0;
}

inline bool lensFits(float radius)
{
    const double pixels = 36.0 * radius * radius;
    if (lensPixelsThisFrame + pixels > maxLensPixelsPerFrame)
        return false;
    lensPixelsThisFrame += pixels;
    return true;
}

} // namespace tether
