#include "support/world_fixture.h"
#include "world/spring.h"

#include <cmath>

using namespace tether;

class Rope : public WorldTest {
protected:
    Object* a = make(typeEnemy, 0, 0);
    Object* b = make(typeEnemy, 30, 0);
    void TearDown() override
    {
        delete a;
        delete b;
        WorldTest::TearDown();
    }
    // The force on end A of a rope of rest length 30 whose ends are `apart`
    // units across and were so at the last update too.
    float pullAt(float apart)
    {
        b->x = 30;
        Spring rope(world(), a, b, 1.0f, 3.0f);
        b->x = apart;
        rope.lastLength = apart;
        a->fx = b->fx = 0;
        rope.update(world(), 1);
        EXPECT_EQ(b->fx, -a->fx);
        return a->fx;
    }
};

TEST_F(Rope, PullsWhenStretchedPushesAboveHalfLengthAndIsSlackBelow)
{
    EXPECT_FLOAT_EQ(pullAt(30), 0);
    EXPECT_FLOAT_EQ(pullAt(40), 10);
    EXPECT_FLOAT_EQ(pullAt(20), -10);
    EXPECT_FLOAT_EQ(pullAt(10), 0);
}

TEST_F(Rope, DampingResistsChangeOfLengthAlongTheRope)
{
    b->x = 30;
    b->y = 40;
    Spring rope(world(), a, b, 1.0f, 3.0f); // rest 50
    b->x = 36;
    b->y = 48; // 60 apart: 10 elastic + 10 * 3 damping
    rope.update(world(), 1);
    EXPECT_FLOAT_EQ(a->fx, 40 * 0.6f);
    EXPECT_FLOAT_EQ(a->fy, 40 * 0.8f);
    EXPECT_EQ(rope.lastLength, 60);
}

TEST_F(Rope, TheRopeTakesTheShortWayRoundTheWorld)
{
    a->x = 1990;
    b->x = 10;
    Spring rope(world(), a, b, 1.0f, 3.0f);
    rope.restLength = 10;
    rope.lastLength = 20;
    rope.update(world(), 1);
    EXPECT_FLOAT_EQ(a->fx, 10); // forward across the seam
}

TEST_F(Rope, ABlackHoleReelsItsRopeInWithoutEnd)
{
    Object hole(1e9f, 40, 30, 0, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 1);
    Spring rope(world(), a, &hole, 1.0f, 3.0f);
    for (int ms = 0; ms < 1000; ++ms)
        rope.update(world(), 1);
    EXPECT_NEAR(rope.restLength, -10, 0.01f);
    EXPECT_GT(a->fx, 0); // reeled past zero it pulls at any length
}

TEST_F(Rope, EndsAtTheSamePlaceGiveNoForceRatherThanNaN)
{
    Spring rope(world(), a, b, 1.0f, 3.0f);
    b->x = 0;
    rope.update(world(), 1);
    EXPECT_EQ(a->fx, 0);
    EXPECT_EQ(b->fy, 0);
    b->x = 5; // and it pulls again once they part
    rope.update(world(), 1);
    EXPECT_TRUE(std::isfinite(a->fx));
    EXPECT_GT(a->fx, 0);
}
