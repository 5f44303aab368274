// Our own sin, cos, atan2, hypot and log: range reduction and polynomials in
// plain double arithmetic (the classic minimax coefficients of the freely
// distributable fdlibm), nothing from the C library but what IEEE-754 rounds
// exactly (sqrt, nearbyint, fmod, fabs), and no fused multiply-add (the
// simulation is compiled with -ffp-contract=off). Each result is within a
// couple of ulp of the true value and the same bits on every machine.
#include "world/simmath.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace tether {

namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// --- sin and cos ---
// x = k * pi/2 + r with |r| <= pi/4; pi/2 in three parts, the first two of
// 33 bits so that k times them is exact for |k| < 2^20.
constexpr double twoOverPi = 6.36619772367581382433e-01;
constexpr double halfPi1 = 1.57079632673412561417e+00;
constexpr double halfPi2 = 6.07710050630396597660e-11;
constexpr double halfPi3 = 2.02226624879595063154e-21;
// Beyond this, k would outgrow the exact products: such an angle is first
// brought into one turn (a wild value from content, never a real heading).
constexpr double reduceDirectlyBelow = 8.0e5;
constexpr double twoPi = 6.28318530717958647692;

double sinKernel(double r)
{
    constexpr double s1 = -1.66666666666666324348e-01, s2 = 8.33333333332248946124e-03,
                     s3 = -1.98412698298579493134e-04, s4 = 2.75573137070700676789e-06,
                     s5 = -2.50507602534068634195e-08, s6 = 1.58969099521155010221e-10;
    const double z = r * r;
    const double tail = s2 + z * (s3 + z * (s4 + z * (s5 + z * s6)));
    return r + z * r * (s1 + z * tail);
}

double cosKernel(double r)
{
    constexpr double c1 = 4.16666666666666019037e-02, c2 = -1.38888888888741095749e-03,
                     c3 = 2.48015872894767294178e-05, c4 = -2.75573143513906633035e-07,
                     c5 = 2.08757232129817482790e-09, c6 = -1.13596475577881948265e-11;
    const double z = r * r;
    const double poly = z * (c1 + z * (c2 + z * (c3 + z * (c4 + z * (c5 + z * c6)))));
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    return w + (((1.0 - w) - half) + z * poly);
}

// nearbyint for |v| below 2^51, in the default rounding (to nearest, ties
// to even): adding 1.5 * 2^52 leaves no bits below the units, and taking
// it away again is exact. The same whole number as the C library's, without
// a call into it; a zero comes out as +0 where nearbyint keeps -0, which
// neither the quadrant nor the products with k can tell apart.
constexpr double roundingShift = 0x1.8p52;
double nearestWhole(double v)
{
    return (v + roundingShift) - roundingShift;
}

// r and the quadrant k mod 4 of a finite x.
double reduceAngle(double x, int& quadrant)
{
    if (std::fabs(x) >= reduceDirectlyBelow)
        x = std::fmod(x, twoPi);
    const double k = nearestWhole(x * twoOverPi);
    quadrant = static_cast<int>(k) & 3;
    return ((x - k * halfPi1) - k * halfPi2) - k * halfPi3;
}

// --- atan ---
constexpr double atanHigh[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01,
    9.82793723247329054082e-01, 1.57079632679489655800e+00};
constexpr double atanLow[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17,
    1.39033110312309984516e-17, 6.12323399573676603587e-17};
constexpr double atanPoly[] = {3.33333333333329318027e-01, -1.99999999998764832476e-01,
    1.42857142725034663711e-01, -1.11111104054623557880e-01, 9.09088713343650656196e-02,
    -7.69187620504482999495e-02, 6.66107313738753120669e-02, -5.83357013379057348645e-02,
    4.97687799461593236017e-02, -3.65315727442169155270e-02, 1.62858201153657823623e-02};

// atan of a finite t >= 0: t is moved near one of atan's known points
// (0, 1/2, 1, 3/2, infinity) and the rest is a polynomial.
double atanOfPositive(double t)
{
    int id;
    if (t < 0.4375) {
        id = -1;
    } else if (t < 0.6875) {
        id = 0;
        t = (2.0 * t - 1.0) / (2.0 + t);
    } else if (t < 1.1875) {
        id = 1;
        t = (t - 1.0) / (t + 1.0);
    } else if (t < 2.4375) {
        id = 2;
        t = (t - 1.5) / (1.0 + 1.5 * t);
    } else {
        id = 3;
        t = -1.0 / t;
    }
    const double z = t * t;
    const double w = z * z;
    const double* a = atanPoly;
    const double odd = z * (a[0] + w * (a[2] + w * (a[4] + w * (a[6] + w * (a[8] + w * a[10])))));
    const double even = w * (a[1] + w * (a[3] + w * (a[5] + w * (a[7] + w * a[9]))));
    if (id < 0)
        return t - t * (odd + even);
    return atanHigh[id] - ((t * (odd + even) - atanLow[id]) - t);
}

constexpr double pi = 3.14159265358979311600e+00;
constexpr double piLow = 1.22464679914735317720e-16; // pi less its double
constexpr double halfPi = 1.57079632679489655800e+00;
constexpr double halfPiLow = 6.12323399573676603587e-17;

// --- log ---
constexpr double ln2High = 6.93147180369123816490e-01; // 32 bits: k times it is exact
constexpr double ln2Low = 1.90821492927058770002e-10;
constexpr double sqrtHalf = 7.07106781186547524401e-01;

} // namespace

SinCos ownSinCos(double x)
{
    if (!(std::fabs(x) <= largest))
        return {x - x, x - x}; // NaN for NaN and infinities
    int quadrant;
    const double r = reduceAngle(x, quadrant);
    const double sinR = sinKernel(r), cosR = cosKernel(r);
    // sin x is x to the last bit below 2^-27, and -0 stays -0.
    const bool tiny = std::fabs(x) < 0x1p-27;
    switch (quadrant) {
    case 0: return {tiny ? x : sinR, cosR};
    case 1: return {cosR, -sinR};
    case 2: return {-sinR, -cosR};
    default: return {-cosR, sinR};
    }
}

double ownAtan2(double y, double x)
{
    if (x != x || y != y)
        return x + y;
    const double ax = std::fabs(x), ay = std::fabs(y);
    double angle; // of (|x|, |y|), in [0, pi/2]
    if (ay == 0)
        angle = 0;
    else if (ax == 0 || (ay == infinity && ax != infinity))
        return y < 0 ? -halfPi : halfPi; // straight up or down, whatever x's sign
    else if (ax == infinity && ay == infinity)
        angle = atanHigh[1];
    else if (ay <= ax)
        angle = atanOfPositive(ay / ax);
    else
        angle = (halfPi - atanOfPositive(ax / ay)) + halfPiLow;
    if (x < 0 || (x == 0 && std::signbit(x)))
        angle = (pi - angle) + piLow;
    return std::signbit(y) ? -angle : angle;
}

double ownHypot(double x, double y)
{
    const double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == infinity || ay == infinity)
        return infinity;
    if (ax != ax || ay != ay)
        return notANumber;
    // Scaled by a power of two (exact) where the squares would overflow or
    // vanish.
    // Unscaled (the usual case) it is the plain formula: no division by 1.
    const double big = ax > ay ? ax : ay;
    if (big <= 0x1p500 && big >= 0x1p-500)
        return std::sqrt(ax * ax + ay * ay);
    const double scale = big > 0x1p500 ? 0x1p600 : 0x1p-600;
    const double sx = ax / scale, sy = ay / scale;
    return std::sqrt(sx * sx + sy * sy) * scale;
}

double ownLog(double x)
{
    if (x != x || x == infinity)
        return x;
    if (x < 0)
        return notANumber;
    if (x == 0)
        return -infinity;
    // x = 2^k * m with m in [sqrt(1/2), sqrt(2)), read from the bits.
    int k = 0;
    if (x < 0x1p-1022) {
        x *= 0x1p54;
        k = -54;
    }
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    k += static_cast<int>(bits >> 52) - 1023;
    bits = (bits & ((uint64_t {1} << 52) - 1)) | (uint64_t {1023} << 52);
    double m;
    std::memcpy(&m, &bits, sizeof m);
    if (m * sqrtHalf >= 1.0) {
        m *= 0.5;
        ++k;
    }
    // log(1 + f) = 2 atanh(s) with s = f / (2 + f), as a series in s^2.
    constexpr double lg1 = 6.666666666666735130e-01, lg2 = 3.999999999940941908e-01,
                     lg3 = 2.857142874366239149e-01, lg4 = 2.222219843214978396e-01,
                     lg5 = 1.818357216161805012e-01, lg6 = 1.531383769920937332e-01,
                     lg7 = 1.479819860511658591e-01;
    const double f = m - 1.0;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double w = z * z;
    const double r = z * (lg1 + w * (lg3 + w * (lg5 + w * lg7))) + w * (lg2 + w * (lg4 + w * lg6));
    const double halfSquare = 0.5 * f * f;
    const double dk = k;
    return dk * ln2High - ((halfSquare - (s * (halfSquare + r) + dk * ln2Low)) - f);
}

} // namespace tether
