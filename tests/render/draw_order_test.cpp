// Draw layers and the world's stable sort that keeps each layer's order
// between frames.
#include "content/worldinuse.h"
#include "render_fixture.h"
#include "world/world.h"

#include <vector>

using namespace tether;

TEST(DrawLayers, EachTypeHasItsLayer)
{
    const std::vector<std::pair<int, int>> layers = {{typeBlackHole, 0}, {typePlanet, 1},
        {typeSun, 1}, {typeFlame, 1}, {typeShip, 2}, {typeEnemy, 2}, {typeLeftHook, 3},
        {typeRightHook, 3}, {typeTurret, 3}, {typeRopeNode, 3}, {typeBullet, 4}, {typeLightning, 4},
        {typeShredder, 4}, {typeRail, 4}, {typeBfg, 4}, {typeMine, 4}, {typeExploding, 5},
        {typeDead, 6}, {15, 6}, {-4, 6}};
    for (auto [type, layer] : layers)
        EXPECT_EQ(getDrawOrder(type), layer) << type;
}

using DrawOrder = RenderTest;

TEST_F(DrawOrder, ObjectsOfOneLayerKeepTheirOrderFromFrameToFrame)
{
    std::vector<Object*> made; // appended in a shuffled order of layers, out of view
    for (int type : {typeMine, typeEnemy, typeBlackHole, typeBullet, typeShip, typePlanet,
             typeEnemy, typeSun, typeMine, typeEnemy}) {
        made.push_back(make(type, -5000, -5000));
        world().drawables.push_back(made.back());
        world().objects.push_back(made.back()); // freed with the world
    }
    auto enemiesInOrder = [] {
        std::vector<Object*> found;
        for (Object* o : world().drawables)
            if (o->type == typeEnemy)
                found.push_back(o);
        return found;
    };
    sortDrawables(world());
    const std::list<Object*> first = world().drawables;
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end(), cmpObjectDraw()));
    EXPECT_EQ(enemiesInOrder(), (std::vector<Object*> {made[1], made[6], made[9]}));
    for (int frame = 0; frame < 5; ++frame) {
        sortDrawables(world());
        EXPECT_EQ(world().drawables, first) << "frame " << frame;
    }
    // An enemy that starts exploding moves up; the others close ranks.
    made[6]->type = typeExploding;
    sortDrawables(world());
    EXPECT_EQ(world().drawables.back(), made[6]);
    EXPECT_EQ(enemiesInOrder(), (std::vector<Object*> {made[1], made[9]}));
}
