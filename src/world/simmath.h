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

#include "world/mathflavour.h"

#include <cmath>
#include <type_traits>

namespace tether {

// Our own functions, within a few ulp of the true value. Single-precision
// ones round the double result once.
//
// Sine and cosine come as a pair from one range reduction: the rules mostly
// want both of one angle. The pair depends on the angle alone (no errno, no
// state), which the compiler is told, so that a sine and a cosine of the
// same angle in one function cost one call.
struct SinCos {
    double sin, cos;
};
[[gnu::const]] SinCos ownSinCos(double x);
inline double ownSin(double x)
{
    return ownSinCos(x).sin;
}
inline double ownCos(double x)
{
    return ownSinCos(x).cos;
}
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
inline bool platform(MathFlavour flavour)
{
    return flavour == MathFlavour::platform;
}
// Mixed or integer arguments go to double, as <cmath> promotes them.
template <typename A, typename B>
using Promoted = std::enable_if_t<
    std::is_arithmetic_v<
        A> && std::is_arithmetic_v<B> && !(std::is_same_v<A, B> && std::is_floating_point_v<A>),
    double>;
template <typename A> using Integer = std::enable_if_t<std::is_integral_v<A>, double>;
} // namespace mathDetail

// What the simulation calls: each function in the level's flavour (its
// world's levelMath).
inline float simSin(MathFlavour flavour, float x)
{
    return mathDetail::platform(flavour) ? std::sin(x) : ownSin(x);
}
inline double simSin(MathFlavour flavour, double x)
{
    return mathDetail::platform(flavour) ? std::sin(x) : ownSin(x);
}
inline float simCos(MathFlavour flavour, float x)
{
    return mathDetail::platform(flavour) ? std::cos(x) : ownCos(x);
}
inline double simCos(MathFlavour flavour, double x)
{
    return mathDetail::platform(flavour) ? std::cos(x) : ownCos(x);
}
// Both of one angle at once: exactly simSin and simCos, from one range
// reduction in our own flavour.
template <typename T> struct SinCosOf {
    T sin, cos;
};
inline SinCosOf<float> simSinCos(MathFlavour flavour, float x)
{
    if (mathDetail::platform(flavour))
        return {std::sin(x), std::cos(x)};
    const SinCos both = ownSinCos(static_cast<double>(x));
    return {static_cast<float>(both.sin), static_cast<float>(both.cos)};
}
inline SinCosOf<double> simSinCos(MathFlavour flavour, double x)
{
    if (mathDetail::platform(flavour))
        return {std::sin(x), std::cos(x)};
    const SinCos both = ownSinCos(x);
    return {both.sin, both.cos};
}
inline float simAtan2(MathFlavour flavour, float y, float x)
{
    return mathDetail::platform(flavour) ? std::atan2(y, x) : ownAtan2(y, x);
}
inline double simAtan2(MathFlavour flavour, double y, double x)
{
    return mathDetail::platform(flavour) ? std::atan2(y, x) : ownAtan2(y, x);
}
inline float simHypot(MathFlavour flavour, float x, float y)
{
    return mathDetail::platform(flavour) ? std::hypot(x, y) : ownHypot(x, y);
}
inline double simHypot(MathFlavour flavour, double x, double y)
{
    return mathDetail::platform(flavour) ? std::hypot(x, y) : ownHypot(x, y);
}
inline float simLog(MathFlavour flavour, float x)
{
    return mathDetail::platform(flavour) ? std::log(x) : ownLog(x);
}
inline double simLog(MathFlavour flavour, double x)
{
    return mathDetail::platform(flavour) ? std::log(x) : ownLog(x);
}

template <typename A> mathDetail::Integer<A> simSin(MathFlavour flavour, A x)
{
    return simSin(flavour, static_cast<double>(x));
}
template <typename A> mathDetail::Integer<A> simCos(MathFlavour flavour, A x)
{
    return simCos(flavour, static_cast<double>(x));
}
template <typename A> mathDetail::Integer<A> simLog(MathFlavour flavour, A x)
{
    return simLog(flavour, static_cast<double>(x));
}
template <typename A, typename B> mathDetail::Promoted<A, B> simAtan2(MathFlavour flavour, A y, B x)
{
    return simAtan2(flavour, static_cast<double>(y), static_cast<double>(x));
}
template <typename A, typename B> mathDetail::Promoted<A, B> simHypot(MathFlavour flavour, A x, B y)
{
    return simHypot(flavour, static_cast<double>(x), static_cast<double>(y));
}

} // namespace tether
