#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/world.h"

#include <cmath>

using namespace tether;

namespace {
constexpr float pi = 3.1415927f;
}

class Attachment : public WorldTest {
protected:
    Object* parent = nullptr;
    Object* child = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        parent = make(typeEnemy, 100, 100);
        child = make(typeTurret, 0, 0);
        world().objects.push_back(parent);
    }
};

TEST_F(Attachment, AddChildListsPlacesAndOwnsTheChild)
{
    Connector* first = parent->addChild(world(), child, 45, 0, 0, true, false, false, false);
    ASSERT_NE(parent->children, nullptr);
    EXPECT_EQ(parent->children->size(), 1u);
    EXPECT_EQ(world().connectors.size(), 1u);
    EXPECT_EQ(child->owner, parent);
    EXPECT_EQ(child->x, 145);
    EXPECT_EQ(child->y, 100);
    EXPECT_EQ(child->angle, 0);

    Object* second = make(typeTurret);
    Connector* other = parent->addChild(world(), second, 10, 0, 0, true, false, false, false);
    EXPECT_EQ(parent->children->size(), 2u);
    EXPECT_EQ(parent->children->back(), other);
    EXPECT_EQ(world().connectors.front(), first);
    EXPECT_EQ(world().connectors.back(), other);
}

TEST_F(Attachment, BehindTheParentTheTinySineFloorsToTheRowAbove)
{
    // 45 * sin(pi) in single precision is a tiny negative number: floor -1.
    parent->addChild(world(), child, 45, pi, pi, true, false, false, false);
    EXPECT_EQ(child->x, 55);
    EXPECT_EQ(child->y, 99);
    EXPECT_FLOAT_EQ(child->angle, 2 * pi);
}

TEST_F(Attachment, LocalOffsetIsAlongAndAcrossTheHeading)
{
    child->angle = 9;
    parent->addChild(world(), child, 10, 5, 0.25f, true, false, true, true);
    EXPECT_EQ(child->x, 110);
    EXPECT_EQ(child->y, 105);
    EXPECT_EQ(child->angle, 0.25f); // childAngle plus the parent's 0, absoluteAngle ignored

    // Heading 0.5: along (0.8776, 0.4794), across (-0.4794, 0.8776).
    parent->angle = 0.5f;
    parent->children->front()->update(world());
    EXPECT_EQ(child->x, 106); // 100 + floor(8.776 - 2.397)
    EXPECT_EQ(child->y, 109); // 100 + floor(4.794 + 4.388)
    EXPECT_FLOAT_EQ(child->angle, 0.75f);
}

TEST_F(Attachment, WithoutRotationTheOffsetKeepsItsWorldDirection)
{
    Connector* link
        = parent->addChild(world(), child, 20, pi / 2, 0.5f, false, false, false, false);
    const float x0 = child->x, y0 = child->y;
    parent->angle = 2.0f;
    link->update(world());
    EXPECT_EQ(child->x, x0);
    EXPECT_EQ(child->y, y0);
    EXPECT_EQ(child->y, 120);
    EXPECT_FLOAT_EQ(child->angle, 0.5f + pi / 2);
}

TEST_F(Attachment, AbsoluteAngleOverridesTheHeading)
{
    parent->angle = 1.0f;
    parent->addChild(world(), child, 0, 0, 0.75f, true, true, true, false);
    EXPECT_EQ(child->angle, 0.75f);
    EXPECT_EQ(child->x, 100);
}

TEST_F(Attachment, OffsetsAreFlooredNotRounded)
{
    parent->x = 100.5f;
    Connector* link = parent->addChild(world(), child, -0.2f, 0, 0, false, false, false, false);
    EXPECT_EQ(child->x, 99.5f); // -0.2 moves a whole unit left
    link->distance = 0.9f;
    link->update(world());
    EXPECT_EQ(child->x, 100.5f); // 0.9 does not move it
}

TEST_F(Attachment, UpdateLeavesVelocityAndForceAlone)
{
    child->vx = 3;
    child->fx = 4;
    parent->addChild(world(), child, 10, 0, 0, true, true, false, false);
    EXPECT_EQ(child->vx, 3);
    EXPECT_EQ(child->fx, 4);
}
