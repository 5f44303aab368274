#include "content/assets.h"
#include "content/worldinuse.h"
#include "screens/frame.h"
#include "support/world_fixture.h"
#include "world/spring.h"
#include "world/world.h"
#include "world/wrap.h"

#include <algorithm>

using namespace tether;

namespace {

bool contains(const std::list<Object*>& list, Object* item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

class TorusWrap : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        world().ship = add(100, 100);
        world().ship->type = typeShip;
    }
    Object* add(float x, float y)
    {
        Object* o = make(typeEnemy, x, y);
        world().objects.push_back(o);
        return o;
    }
};

TEST_F(TorusWrap, TheShipComesBackAtTheOtherEdgeAndTheBackgroundFollows)
{
    world().ship->x = 2000;
    world().worldH = 3000;
    world().ship->y = -1;
    fixTorusCoords(world());
    EXPECT_EQ(world().ship->x, 0);
    EXPECT_EQ(world().backx, 2000);
    EXPECT_EQ(world().ship->y, 2999);
    EXPECT_EQ(world().backy, -3000);
    world().ship->x = -0.5f;
    fixTorusCoords(world());
    EXPECT_EQ(world().ship->x, 1999.5f);
    EXPECT_EQ(world().backx, 0);
}

TEST_F(TorusWrap, OthersMoveToTheirImageNearestTheShip)
{
    Object* far = add(1900, 100);
    Object* half = add(1100, 1100); // exactly half a world away: stays
    Object* same = add(100, 100);
    Object* below = add(100, -1500);
    fixTorusCoords(world());
    EXPECT_EQ(far->x, -100);
    EXPECT_EQ(half->x, 1100);
    EXPECT_EQ(half->y, 1100);
    EXPECT_EQ(same->x, 100);
    EXPECT_EQ(below->y, 500);
}

using Removal = WorldTest;

TEST_F(Removal, OnlyObjectsFreesTheDeadAndTheShipIsNeverRemoved)
{
    world().ship = make(typeShip, 0, 0);
    Object* enemy = make(typeEnemy, 0, 0);
    Object* wreck = make(typeExploding, 0, 0);
    for (auto* list : {&world().drawables, &world().objects})
        *list = {world().ship, enemy, wreck};
    world().ship->type = enemy->type = typeDead;
    cleanup(world(), &world().drawables);
    EXPECT_EQ(world().drawables, (std::list<Object*> {world().ship, wreck}));
    EXPECT_EQ(enemy->type, typeDead); // not freed yet: still readable
    cleanup(world(), &world().objects);
    EXPECT_EQ(world().objects, (std::list<Object*> {world().ship, wreck}));
    world().ship->type = typeShip;
}

TEST_F(Removal, ShotsForgetAShooterThatIsFreed)
{
    Object* shooter = make(typeEnemy, 0, 0);
    Object* other = make(typeEnemy, 90, 0);
    Object* orphan = make(typeBullet, 50, 0);
    Object* shot = make(typeRail, 70, 0);
    orphan->owner = shooter;
    shot->owner = other;
    world().objects = {shooter, orphan, other, shot};
    shooter->type = typeDead;
    cleanup(world(), &world().drawables); // only objects frees, so only objects forgets
    EXPECT_EQ(orphan->owner, shooter);
    cleanup(world(), &world().objects);
    EXPECT_EQ(orphan->owner, nullptr);
    EXPECT_EQ(shot->owner, other);
    EXPECT_EQ(other->owner, other);
}

class RopeRemoval : public WorldTest {
protected:
    Object* enemy = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        world().ship = make(typeShip, 0, 0);
        world().turret = make(typeTurret, 0, 0);
        world().ship->addChild(world(), world().turret, 0, 0, 0, true, true, true, false);
        enemy = make(typeEnemy, 100, 0);
        enemy->kind = 10; // every enemy has a class
        world().objects = {world().ship, enemy};
    }
};

TEST_F(RopeRemoval, ARopeFromTheMountToADeadEnemyLetsTheLeftHookGoFirst)
{
    world().springs.push_back(new Spring(world(), enemy, world().turret, 1, 3));
    world().leftHookGrappling = world().rightHookGrappling = true;
    enemy->type = typeExploding; // ropes stay on a wreck
    cleanupSprings(world());
    EXPECT_EQ(world().springs.size(), 1u);
    enemy->type = typeDead;
    cleanupSprings(world());
    EXPECT_TRUE(world().springs.empty());
    EXPECT_FALSE(world().leftHookGrappling);
    EXPECT_TRUE(world().rightHookGrappling);
}

TEST_F(RopeRemoval, ATieToADeadEnemyLeavesTheHooksAlone)
{
    Object* node = make(typeRopeNode, 50, 0);
    world().objects.push_back(node);
    Spring* kept = new Spring(world(), node, world().turret, 1, 3);
    world().springs = {new Spring(world(), node, enemy, 1, 3), kept};
    world().leftHookGrappling = true;
    enemy->type = typeDead;
    cleanupSprings(world());
    EXPECT_EQ(world().springs, std::list<Spring*> {kept});
    EXPECT_TRUE(world().leftHookGrappling);
}

TEST_F(RopeRemoval, AFrameRemovesWhatItsStepsKilledAndTheRopesOnIt)
{
    screen = SDL_GetVideoSurface();
    SDL_GetKeyState(nullptr)[SDLK_ESCAPE] = 0;
    world().numEnemies = 5; // keep the level running
    Object* bolt = make(typeLightning, 200, 0);
    bolt->health = 1; // gone at its first update
    for (Object* o : {world().ship, enemy, bolt}) {
        world().dynamicMasses.push_back(o);
        world().drawables.push_back(o);
    }
    world().objects.push_back(bolt);
    world().springs.push_back(new Spring(world(), enemy, bolt, 1, 3));
    enterFrameLoop(0);
    runFrame(3);
    EXPECT_TRUE(world().springs.empty());
    EXPECT_FALSE(contains(world().objects, bolt));
    EXPECT_FALSE(contains(world().dynamicMasses, bolt));
    EXPECT_FALSE(contains(world().drawables, bolt));
    EXPECT_TRUE(contains(world().objects, enemy));
}
