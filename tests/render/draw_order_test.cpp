// Draw layers and the stable sort that keeps each layer's order between
// frames.
#include "render/draw.h"
#include "render_fixture.h"

#include <list>
#include <vector>

using namespace tether;

TEST(DrawLayers, EachTypeHasItsLayer)
{
    EXPECT_EQ(getDrawOrder(typeBlackHole), 0);
    EXPECT_EQ(getDrawOrder(typePlanet), 1);
    EXPECT_EQ(getDrawOrder(typeSun), 1);
    EXPECT_EQ(getDrawOrder(typeFlame), 1);
    EXPECT_EQ(getDrawOrder(typeShip), 2);
    EXPECT_EQ(getDrawOrder(typeEnemy), 2);
    for (int type : {typeLeftHook, typeRightHook, typeTurret, typeRopeNode})
        EXPECT_EQ(getDrawOrder(type), 3) << type;
    for (int type : {typeBullet, typeLightning, typeShredder, typeRail, typeBfg, typeMine})
        EXPECT_EQ(getDrawOrder(type), 4) << type;
    EXPECT_EQ(getDrawOrder(typeExploding), 5);
    EXPECT_EQ(getDrawOrder(typeDead), 6);
    EXPECT_EQ(getDrawOrder(15), 6);
    EXPECT_EQ(getDrawOrder(-4), 6);
}

TEST(DrawLayers, ComparisonIsStrict)
{
    Object a(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeEnemy, 0, 1);
    Object b(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeShip, 0, 1);
    Object c(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeBlackHole, 0, 1);
    EXPECT_FALSE(cmpObjectDraw()(&a, &a));
    EXPECT_FALSE(cmpObjectDraw()(&a, &b)); // same layer
    EXPECT_FALSE(cmpObjectDraw()(&b, &a));
    EXPECT_TRUE(cmpObjectDraw()(&c, &a));
    EXPECT_FALSE(cmpObjectDraw()(&a, &c));
}

using DrawOrder = RenderTest;

TEST_F(DrawOrder, ObjectsOfOneLayerKeepTheirOrderFromFrameToFrame)
{
    // Appended in a shuffled order of layers.
    std::vector<Object*> made;
    for (int type : {typeMine, typeEnemy, typeBlackHole, typeBullet, typeShip, typePlanet,
             typeEnemy, typeSun, typeMine, typeEnemy}) {
        made.push_back(make(type, -5000, -5000));
        drawables.push_back(made.back());
        objects.push_back(made.back()); // freed with the world
    }
    drawWorld(canvas, 0, 0);
    const std::list<Object*> first = drawables;
    // Layers ascend...
    int layer = -1;
    for (Object* o : first) {
        EXPECT_GE(getDrawOrder(o->type), layer);
        layer = getDrawOrder(o->type);
    }
    // ...and the three enemies keep the order they were added in.
    std::vector<Object*> enemies;
    for (Object* o : first)
        if (o->type == typeEnemy)
            enemies.push_back(o);
    EXPECT_EQ(enemies, (std::vector<Object*> {made[1], made[6], made[9]}));

    for (int frame = 0; frame < 5; ++frame) {
        drawWorld(canvas, 0, 0);
        EXPECT_EQ(drawables, first) << "frame " << frame;
    }

    // An enemy that starts exploding moves up; the others close ranks.
    made[6]->type = typeExploding;
    drawWorld(canvas, 0, 0);
    EXPECT_EQ(drawables.back(), made[6]);
    std::vector<Object*> left;
    for (Object* o : drawables)
        if (o->type == typeEnemy)
            left.push_back(o);
    EXPECT_EQ(left, (std::vector<Object*> {made[1], made[9]}));
}
