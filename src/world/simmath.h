// The simulation's trigonometry, hypotenuse and logarithm, the same on every
// machine: the platform's libm rounds sin, cos, atan2 and hypot differently
// from one C library to the next (glibc on the desktop, musl in the browser),
// and one ulp apart at one step is a different level a minute later. Our own
// functions use only arithmetic that IEEE-754 rounds exactly, so a level
// plays to the same world hash wherever it runs.
//
// Replays recorded before the game had its own math (version 1) were played
// with the platform's; a level plays with the math its levelMath names
// (chosen with the spawn and world values at the level's start: see
// platform/replay.h), and the overloads below follow the platform's own
// promotion rules, so that the platform flavour computes exactly what a
// plain std::sin(x) did.
#pragma once

#include "world/world.h"

#include <cmath>
#include <type_traits>

namespace tether {

// Our own functions, within a few ulp of the true value. Single-precision
// ones round the double result once.
double ownSin(double x);
double ownCos(double x);
double ownAtan2(double y, double x);
double ownHypot(double x, double y);
double ownLog(double x);
inline float ownSin(float x)
{
    return static_cast<float>(ownSin(static_cast<double>(x)));
}
inline float ownCos(float x)
{
    return static_cast<float>(ownCos(static_cast<double>(x)));
}
inline float ownAtan2(float y, float x)
{
    return static_cast<float>(ownAtan2(static_cast<double>(y), static_cast<double>(x)));
}
// Squares of floats are exact in double, so this rounds only twice.
inline float ownHypot(float x, float y)
{
    const double dx = x, dy = y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}
inline float ownLog(float x)
{
    return static_cast<float>(ownLog(static_cast<double>(x)));
}

namespace mathDetail {
inline bool platform()
{
    return world().levelMath == MathFlavour::platform;
}
// Mixed or integer arguments go to double, as <cmath> promotes them.
template <typename A, typename B>
using Promoted = std::enable_if_t<
    std::is_arithmetic_v<
        A> && std::is_arithmetic_v<B> && !(std::is_same_v<A, B> && std::is_floating_point_v<A>),
    double>;
template <typename A> using Integer = std::enable_if_t<std::is_integral_v<A>, double>;
} // namespace mathDetail

// What the simulation calls: the level's flavour of each function.
inline float simSin(float x)
{
    return mathDetail::platform() ? std::sin(x) : ownSin(x);
}
inline double simSin(double x)
{
    return mathDetail::platform() ? std::sin(x) : ownSin(x);
}
inline float simCos(float x)
{
    return mathDetail::platform() ? std::cos(x) : ownCos(x);
}
inline double simCos(double x)
{
    return mathDetail::platform() ? std::cos(x) : ownCos(x);
}
inline float simAtan2(float y, float x)
{
    return mathDetail::platform() ? std::atan2(y, x) : ownAtan2(y, x);
}
inline double simAtan2(double y, double x)
{
    return mathDetail::platform() ? std::atan2(y, x) : ownAtan2(y, x);
}
inline float simHypot(float x, float y)
{
    return mathDetail::platform() ? std::hypot(x, y) : ownHypot(x, y);
}
inline double simHypot(double x, double y)
{
    return mathDetail::platform() ? std::hypot(x, y) : ownHypot(x, y);
}
inline float simLog(float x)
{
    return mathDetail::platform() ? std::log(x) : ownLog(x);
}
inline double simLog(double x)
{
    return mathDetail::platform() ? std::log(x) : ownLog(x);
}

template <typename A> mathDetail::Integer<A> simSin(A x)
{
    return simSin(static_cast<double>(x));
}
template <typename A> mathDetail::Integer<A> simCos(A x)
{
    return simCos(static_cast<double>(x));
}
template <typename A> mathDetail::Integer<A> simLog(A x)
{
    return simLog(static_cast<double>(x));
}
template <typename A, typename B> mathDetail::Promoted<A, B> simAtan2(A y, B x)
{
    return simAtan2(static_cast<double>(y), static_cast<double>(x));
}
template <typename A, typename B> mathDetail::Promoted<A, B> simHypot(A x, B y)
{
    return simHypot(static_cast<double>(x), static_cast<double>(y));
}

} // namespace tether
