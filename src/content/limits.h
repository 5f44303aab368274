// What content may ask of the game. The data file and the maps are written
// by hand, and a number in them can be anything a float holds; these bounds
// keep a level playable and its work per frame and its memory in proportion,
// whatever the files say. Sane content never meets them.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

namespace tether {

// Collision radii of ships, hooks, rope nodes, enemies and bodies: larger
// than this (two and a half default worlds) an object would cover any world
// anyway, and the push-outs of collision would throw things across it.
constexpr float maxObjectRadius = 5000.0f;

// Masses: a planet and a ship of this mass still pull on each other with a
// force that fits in a float (their product times the constant of gravity),
// so gravity can never overflow. Things that move need a positive mass to
// be moved by forces at all; a mass of 0 (a record that was never read) or
// less moves like this light one.
constexpr float maxMass = 1e18f;
constexpr float minMovingMass = 0.001f;

inline float boundedRadius(float r)
{
    return std::min(r, maxObjectRadius);
}

inline float boundedMass(float m)
{
    return std::max(-maxMass, std::min(m, maxMass));
}

inline float movingMass(float m)
{
    return std::max(minMovingMass, std::min(m, maxMass));
}

// The world: no side smaller than the screen is wide, so the wrap's seam
// never shows on screen, and none larger than a float still places an
// object to a sixteenth of a unit.
constexpr float minWorldSide = 800.0f;
constexpr float maxWorldSide = 1e6f;

inline float boundedWorldSide(float side)
{
    return std::max(minWorldSide, std::min(side, maxWorldSide));
}

// A map makes at most this many objects, and at most this many of them pull
// (gravity costs the one number times the other every millisecond); records
// beyond are read and not made. A world gets at least this much room per
// object, or everything in it touches everything else at every step.
constexpr int maxMapObjects = 1000;
constexpr int maxMapBodies = 64;
constexpr float roomPerObject = 200.0f * 200.0f;

// The scaled images of one level's mines, planets and suns together hold at
// most this many pixels (128 MB); an object whose image would not fit is
// made without one.
constexpr double levelImagePixels = 32.0 * 1024 * 1024;

// A coordinate more than a world away from the world is brought into it by
// whole world sizes (the wrap would take a step per world size, and a ship
// at 1e30 would never arrive); nearer ones are left to the wrap.
inline float intoWorld(float c, float side)
{
    if (c >= -side && c <= 2 * side)
        return c;
    const double inside = std::fmod(static_cast<double>(c), static_cast<double>(side));
    return static_cast<float>(inside < 0 ? inside + side : inside);
}

// A map name is a path under "maps/". The game reads what the list names,
// sub-folders and all, but never a path that climbs out of the game's own
// folder ("maps/../../x"): such an entry is not offered.
bool staysInGameFolder(const std::string& mapName);
// Whether the name stays inside "maps/" itself (the checker's advice).
bool staysInMapsFolder(const std::string& mapName);

// Images drawn turned (enemies, their guns, hooks, rope nodes) are turned
// anew for every frame they are drawn in, at a cost in proportion to their
// pixels: one of 8000 by 8000 takes seconds. Larger than this a side, the
// game does not take them.
constexpr int maxTurnedImageSide = 512;

// What is said of such an image, or empty when it is within the bound.
inline std::string oversizedTurnedImage(
    const std::string& keyword, const std::string& quotedPath, int w, int h)
{
    if (w <= maxTurnedImageSide && h <= maxTurnedImageSide)
        return "";
    return keyword + ": its image " + quotedPath + " is " + std::to_string(w) + " by "
        + std::to_string(h) + " pixels, more than the " + std::to_string(maxTurnedImageSide)
        + " by " + std::to_string(maxTurnedImageSide)
        + " an image turned every frame may be: the game draws it as missing";
}

} // namespace tether
