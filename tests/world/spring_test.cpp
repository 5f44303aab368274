#include "support/world_fixture.h"
#include "world/spring.h"

#include <cmath>

using namespace tether;

class Rope : public WorldTest {
protected:
    Object* a = nullptr;
    Object* b = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        a = make(typeEnemy, 0, 0);
        b = make(typeEnemy, 30, 0);
        objects = {a, b};
    }
    // A rope of rest length 30 whose ends are then moved to `apart` units
    // across, as if they had been there at the last update too.
    Spring ropeStretchedTo(float apart)
    {
        Spring rope(a, b, 1.0f, 3.0f);
        b->x = apart;
        rope.lastLength = apart;
        return rope;
    }
};

TEST_F(Rope, ANewRopeRestsAtItsEndsDistance)
{
    Spring rope(a, b, 1.0f, 3.0f);
    EXPECT_EQ(rope.restLength, 30);
    EXPECT_EQ(rope.lastLength, 30);
    rope.update(1);
    EXPECT_EQ(a->fx, 0);
    EXPECT_EQ(b->fx, 0);
    EXPECT_EQ(a->fy, 0);
}

TEST_F(Rope, AStretchedRopePullsBothEndsTogether)
{
    Spring rope = ropeStretchedTo(40);
    rope.update(1);
    EXPECT_FLOAT_EQ(a->fx, 10);
    EXPECT_FLOAT_EQ(b->fx, -10);
}

TEST_F(Rope, ARopeBetweenHalfAndFullLengthPushesTheEndsApart)
{
    Spring rope = ropeStretchedTo(20);
    rope.update(1);
    EXPECT_FLOAT_EQ(a->fx, -10);
    EXPECT_FLOAT_EQ(b->fx, 10);
}

TEST_F(Rope, BelowHalfItsLengthARopeIsSlack)
{
    Spring rope = ropeStretchedTo(10);
    rope.update(1);
    EXPECT_EQ(a->fx, 0);
    EXPECT_EQ(b->fx, 0);
}

TEST_F(Rope, DampingResistsChangeOfLength)
{
    Spring rope(a, b, 1.0f, 3.0f);
    b->x = 32; // stretched by 2 in one ms: 2 elastic + 2 * 3 damping
    rope.update(1);
    EXPECT_FLOAT_EQ(a->fx, 8);
    EXPECT_EQ(rope.lastLength, 32);
}

TEST_F(Rope, ForceRunsAlongTheRope)
{
    b->x = 30;
    b->y = 40; // 50 apart
    Spring rope(a, b, 1.0f, 3.0f);
    rope.restLength = 40;
    rope.update(1);
    EXPECT_FLOAT_EQ(a->fx, 6);
    EXPECT_FLOAT_EQ(a->fy, 8);
    EXPECT_FLOAT_EQ(b->fx, -6);
    EXPECT_FLOAT_EQ(b->fy, -8);
}

TEST_F(Rope, TheRopeTakesTheShortWayRoundTheWorld)
{
    a->x = 1990;
    b->x = 10;
    b->y = 0;
    Spring rope(a, b, 1.0f, 3.0f);
    rope.restLength = 10;
    rope.lastLength = 20;
    rope.update(1);
    EXPECT_FLOAT_EQ(rope.lastLength, 20);
    EXPECT_FLOAT_EQ(a->fx, 10); // pulled forward across the seam
    EXPECT_FLOAT_EQ(b->fx, -10);
}

TEST_F(Rope, ABlackHoleReelsItsRopeIn)
{
    Object* hole = make(typeBlackHole, 30, 0);
    objects.push_back(hole);
    Spring rope(a, hole, 1.0f, 3.0f);
    for (int ms = 0; ms < 1000; ++ms)
        rope.update(1);
    EXPECT_NEAR(rope.restLength, -10, 0.01f);
}

TEST_F(Rope, ARopeReeledPastZeroPullsAtAnyLength)
{
    Spring rope = ropeStretchedTo(10);
    rope.restLength = -2;
    rope.update(1);
    EXPECT_FLOAT_EQ(a->fx, 12);
}

TEST_F(Rope, EndsAtTheSamePlaceGiveNoForceRatherThanNaN)
{
    Spring rope(a, b, 1.0f, 3.0f);
    b->x = 0;
    rope.update(1);
    EXPECT_EQ(a->fx, 0);
    EXPECT_EQ(a->fy, 0);
    EXPECT_EQ(b->fx, 0);
    EXPECT_EQ(b->fy, 0);
    EXPECT_EQ(rope.lastLength, 0);
    b->x = 5; // and it works again once they part
    rope.update(1);
    EXPECT_TRUE(std::isfinite(a->fx));
    EXPECT_GT(a->fx, 0);
}
