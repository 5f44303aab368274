// The game's own math against the C library's: the same values to within a
// few ulp across the ranges the game feeds it, and the same answers at the
// edges (zeros, infinities, NaN), so that levels play as they did with the
// platform's math while giving the same bits everywhere.
#include "world/simmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace tether;

namespace {

int64_t ulpsApart(double a, double b)
{
    if (a == b)
        return 0;
    int64_t ia, ib;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    // Negative doubles count down from the sign bit: mirror them below zero.
    if (ia < 0)
        ia = std::numeric_limits<int64_t>::min() - ia;
    if (ib < 0)
        ib = std::numeric_limits<int64_t>::min() - ib;
    return ia > ib ? ia - ib : ib - ia;
}

// The same special value (zero of the same sign, infinity, NaN), or a
// finite value a few ulp away.
bool sameAnswer(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    if (a == 0 || b == 0 || std::isinf(a) || std::isinf(b))
        return a == b && std::signbit(a) == std::signbit(b);
    return ulpsApart(a, b) <= 3;
}

} // namespace

TEST(OwnMath, WithinAFewUlpOfTheLibraryWhereverTheGameLooks)
{
    constexpr int64_t allowed = 3;
    int64_t worst[5] = {};
    // Headings and turns up to many turns round, ratios of every size, the
    // lengths of the world and the draws of the bot's noise.
    for (int i = -200000; i <= 200000; ++i) {
        const double x = i * 0.000731 + (i % 7) * 0.37;
        const double y = (i % 1000) * 0.013 - 6.0 + i * 1e-4;
        worst[0] = std::max(worst[0], ulpsApart(ownSin(x), std::sin(x)));
        worst[1] = std::max(worst[1], ulpsApart(ownCos(x), std::cos(x)));
        worst[2] = std::max(worst[2], ulpsApart(ownAtan2(y, x), std::atan2(y, x)));
        worst[3] = std::max(worst[3], ulpsApart(ownHypot(x, y), std::hypot(x, y)));
        const double u = std::fabs(x) * std::pow(10.0, i % 40 - 20) + 1e-300;
        worst[4] = std::max(worst[4], ulpsApart(ownLog(u), std::log(u)));
    }
    EXPECT_LE(worst[0], allowed) << "sin";
    EXPECT_LE(worst[1], allowed) << "cos";
    EXPECT_LE(worst[2], allowed) << "atan2";
    EXPECT_LE(worst[3], allowed) << "hypot";
    EXPECT_LE(worst[4], allowed) << "log";

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double edges[] = {0.0, -0.0, 1.0, -1.0, 1e-310, 3e38, -1e300, inf, -inf, nan};
    for (double a : edges) {
        EXPECT_TRUE(sameAnswer(ownSin(a), std::sin(a)) || std::fabs(a) > 1e6) << "sin " << a;
        EXPECT_TRUE(sameAnswer(ownCos(a), std::cos(a)) || std::fabs(a) > 1e6) << "cos " << a;
        EXPECT_FALSE(std::fabs(ownSin(a)) > 1.0) << "sin " << a << " stays a sine";
        EXPECT_TRUE(sameAnswer(ownLog(a), std::log(a)) || (std::isnan(a) || a < 0)) << "log " << a;
        for (double b : edges) {
            EXPECT_TRUE(sameAnswer(ownAtan2(a, b), std::atan2(a, b))) << "atan2 " << a << " " << b;
            EXPECT_TRUE(sameAnswer(ownHypot(a, b), std::hypot(a, b))) << "hypot " << a << " " << b;
        }
    }
}
