#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/world.h"

#include <algorithm>

using namespace tether;

namespace {

template <typename List, typename T> bool contains(const List& list, T item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

using ObjectLife = WorldTest;

TEST_F(ObjectLife, FreshObjectIsLoadedUnhurtUnownedByOthersAndChildless)
{
    Object o(2, 3, 4, 5, 6, 7, 0.5f, 0.25f, nullptr, typeEnemy, 300, 80);
    EXPECT_EQ(o.mass, 2);
    EXPECT_EQ(o.radius, 3);
    EXPECT_EQ(o.x, 4);
    EXPECT_EQ(o.vy, 7);
    EXPECT_EQ(o.spin, 0.25f);
    EXPECT_EQ(o.health, 80);
    EXPECT_EQ(o.reloadTime, 300);
    EXPECT_TRUE(o.loaded);
    EXPECT_FALSE(wasHit(&o));
    EXPECT_EQ(o.releasedStep, -1);
    EXPECT_EQ(o.lastDamageCause, causeOther);
    EXPECT_FALSE(o.hooked);
    EXPECT_FALSE(o.hidden);
    EXPECT_EQ(o.fx, 0);
    EXPECT_EQ(o.fy, 0);
    EXPECT_EQ(o.kind, -1);
    EXPECT_EQ(o.owner, &o);
    EXPECT_EQ(o.children, nullptr);
    EXPECT_EQ(o.reloadTimer, 0);
}

TEST_F(ObjectLife, DestroyingAnEnemyFreesItsGunAndConnectorOnly)
{
    Object* enemy = make(typeEnemy);
    Object* gun = make(typeTurret);
    Object* bystander = make(typeEnemy);
    world().objects = {enemy, bystander};
    world().dynamicMasses = {enemy, bystander};
    world().enemies = {enemy, bystander};
    world().drawables = {enemy, gun, bystander};
    Connector* link = enemy->addChild(world(), gun, 5, 0, 0, true, false, false, true);
    ASSERT_TRUE(contains(world().connectors, link));

    world().objects.remove(enemy);
    world().dynamicMasses.remove(enemy);
    world().enemies.remove(enemy);
    world().drawables.remove(enemy);
    destroyObject(world(), enemy);

    EXPECT_FALSE(contains(world().drawables, gun));
    EXPECT_TRUE(world().connectors.empty());
    EXPECT_EQ(world().drawables.size(), 1u);
    EXPECT_EQ(world().objects.size(), 1u);
    EXPECT_EQ(world().dynamicMasses.size(), 1u);
    EXPECT_EQ(world().enemies.size(), 1u);
}

TEST_F(ObjectLife, DestroyingTheShipTakesMountFlameAndHooksAlong)
{
    Object* s = make(typeShip);
    Object* mount = make(typeTurret);
    Object* flame = make(typeFlame);
    Object* left = make(typeLeftHook);
    Object* right = make(typeRightHook);
    world().drawables = {s, left, right, flame};
    s->addChild(world(), mount, 17, 3.1415927f, 0, true, true, true, false);
    mount->addChild(world(), left, 0, 0, 0, false, false, false, false);
    mount->addChild(world(), right, 0, 0, 0, false, false, false, false);
    s->addChild(world(), flame, 45, 3.1415927f, 3.1415927f, true, false, false, false);
    ASSERT_EQ(world().connectors.size(), 4u);

    world().drawables.remove(s);
    destroyObject(world(), s); // the sanitizer build reports any child left behind

    EXPECT_TRUE(world().connectors.empty());
    EXPECT_TRUE(world().drawables.empty());
}

TEST_F(ObjectLife, ClearWorldFreesEverythingAndClearsHandles)
{
    world().objects = {make(typeEnemy), make(typePlanet)};
    world().ship = make(typeShip);
    world().objects.push_back(world().ship);
    world().drawables = world().objects;
    clearWorld(world());
    EXPECT_TRUE(world().objects.empty());
    EXPECT_TRUE(world().drawables.empty());
    EXPECT_EQ(world().ship, nullptr);
}
