// Guards that keep a wild number from becoming undefined behaviour. Content
// files can ask for values that overflow single precision on the way
// (masses near the float limit, thrusts of 1e38); these are the places where
// such a number would otherwise turn into an int it does not fit, or into a
// velocity that is no longer a number.
#pragma once

#include <climits>
#include <cmath>

namespace tether {

// Truncated toward zero; a NaN gives 0 and anything beyond the int range
// the nearest end of it, so a wild value never makes an undefined conversion.
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

// Nothing in the game moves faster than this (units per ms): a shot crosses
// the largest world in a few steps at it, and play never comes near it. A
// velocity that overflowed on its way here (a huge thrust on a tiny mass)
// is held at it, and one that is not a number any more stops.
constexpr float speedLimit = 1000.0f;

inline float heldSpeed(float v)
{
    if (std::isnan(v))
        return 0.0f;
    return v > speedLimit ? speedLimit : (v < -speedLimit ? -speedLimit : v);
}

inline void holdSpeed(float& vx, float& vy)
{
    vx = heldSpeed(vx);
    vy = heldSpeed(vy);
}

} // namespace tether
