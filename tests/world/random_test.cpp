#include "world/random.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tether;

TEST(GameRandom, ASeedGivesItsOwnRepeatableDrawsOverTheFullRange)
{
    Random a(1234), b(1234), c(1235), zero(0);
    float lowest = 1, highest = 0;
    int differ = 0;
    for (int i = 0; i < 200000; ++i) {
        const int n = a.next15();
        ASSERT_EQ(n, b.next15());
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 32767);
        differ += n != c.next15();
        const float r = zero.unit();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GT(differ, 199000);
    EXPECT_EQ(lowest, 0.0f); // both ends are reached
    EXPECT_EQ(highest, 1.0f);
}
