// Screen coordinates for blits and SDL_gfx primitives: truncated toward
// zero, then narrowed to the 16 bits that SDL 1.2 keeps. Far-off or broken
// positions are held to the int range first, so that a wild value never
// makes an undefined conversion.
#pragma once

#include "world/finite.h"

#include <SDL.h>

namespace tether {

inline Sint16 toSint16(double v)
{
    return static_cast<Sint16>(truncated(v));
}

// The camera puts the ship in the middle of a screen of this side. It is
// held well inside the int range, so that adding a pointer position or a
// screen offset to it can never overflow, whatever the ship's position.
constexpr int cameraReach = 1 << 30;

inline int cameraCoordinate(float shipCoordinate, int screenSide)
{
    const int c = truncated(shipCoordinate - static_cast<float>(screenSide / 2));
    return c < -cameraReach ? -cameraReach : (c > cameraReach ? cameraReach : c);
}

} // namespace tether
