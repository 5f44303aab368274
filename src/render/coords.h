// Screen coordinates for blits and SDL_gfx primitives: truncated toward
// zero, then narrowed to the 16 bits that SDL 1.2 keeps. Far-off or broken
// positions are held to the int range first, so that a wild value never
// makes an undefined conversion.
#pragma once

#include <SDL.h>

#include <climits>
#include <cmath>

namespace tether {

inline int truncated(double v)
{
    if (std::isnan(v))
        return 0;
    if (v <= INT_MIN)
        return INT_MIN;
    if (v >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(v);
}

inline Sint16 toSint16(double v)
{
    return static_cast<Sint16>(truncated(v));
}

} // namespace tether
