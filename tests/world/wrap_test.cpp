#include "content/assets.h"
#include "main/frame.h"
#include "support/world_fixture.h"
#include "world/spring.h"
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
        ship = add(100, 100);
        ship->type = typeShip;
    }
    Object* add(float x, float y)
    {
        Object* o = make(typeEnemy, x, y);
        objects.push_back(o);
        return o;
    }
};

TEST_F(TorusWrap, TheShipComesBackAtTheOtherEdgeAndTheBackgroundFollows)
{
    ship->x = 2000;
    worldH = 3000;
    ship->y = -1;
    fixTorusCoords();
    EXPECT_EQ(ship->x, 0);
    EXPECT_EQ(backx, 2000);
    EXPECT_EQ(ship->y, 2999);
    EXPECT_EQ(backy, -3000);
    ship->x = -0.5f;
    fixTorusCoords();
    EXPECT_EQ(ship->x, 1999.5f);
    EXPECT_EQ(backx, 0);
}

TEST_F(TorusWrap, OthersMoveToTheirImageNearestTheShip)
{
    Object* far = add(1900, 100);
    Object* half = add(1100, 1100); // exactly half a world away: stays
    Object* same = add(100, 100);
    Object* below = add(100, -1500);
    fixTorusCoords();
    EXPECT_EQ(far->x, -100);
    EXPECT_EQ(half->x, 1100);
    EXPECT_EQ(half->y, 1100);
    EXPECT_EQ(same->x, 100);
    EXPECT_EQ(below->y, 500);
}

using Removal = WorldTest;

TEST_F(Removal, OnlyObjectsFreesTheDeadAndTheShipIsNeverRemoved)
{
    ship = make(typeShip, 0, 0);
    Object* enemy = make(typeEnemy, 0, 0);
    Object* wreck = make(typeExploding, 0, 0);
    for (auto* list : {&drawables, &objects})
        *list = {ship, enemy, wreck};
    ship->type = enemy->type = typeDead;
    cleanup(&drawables);
    EXPECT_EQ(drawables, (std::list<Object*> {ship, wreck}));
    EXPECT_EQ(enemy->type, typeDead); // not freed yet: still readable
    cleanup(&objects);
    EXPECT_EQ(objects, (std::list<Object*> {ship, wreck}));
    ship->type = typeShip;
}

TEST_F(Removal, ShotsForgetAShooterThatIsFreed)
{
    Object* shooter = make(typeEnemy, 0, 0);
    Object* other = make(typeEnemy, 90, 0);
    Object* orphan = make(typeBullet, 50, 0);
    Object* shot = make(typeRail, 70, 0);
    orphan->owner = shooter;
    shot->owner = other;
    objects = {shooter, orphan, other, shot};
    shooter->type = typeDead;
    cleanup(&drawables); // only objects frees, so only objects forgets
    EXPECT_EQ(orphan->owner, shooter);
    cleanup(&objects);
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
        ship = make(typeShip, 0, 0);
        turret = make(typeTurret, 0, 0);
        ship->addChild(turret, 0, 0, 0, true, true, true, false);
        enemy = make(typeEnemy, 100, 0);
        objects = {ship, enemy};
    }
};

TEST_F(RopeRemoval, ARopeFromTheMountToADeadEnemyLetsTheLeftHookGoFirst)
{
    springs.push_back(new Spring(enemy, turret, 1, 3));
    leftHookGrappling = rightHookGrappling = true;
    enemy->type = typeExploding; // ropes stay on a wreck
    cleanupSprings();
    EXPECT_EQ(springs.size(), 1u);
    enemy->type = typeDead;
    cleanupSprings();
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(leftHookGrappling);
    EXPECT_TRUE(rightHookGrappling);
}

TEST_F(RopeRemoval, ATieToADeadEnemyLeavesTheHooksAlone)
{
    Object* node = make(typeRopeNode, 50, 0);
    objects.push_back(node);
    Spring* kept = new Spring(node, turret, 1, 3);
    springs = {new Spring(node, enemy, 1, 3), kept};
    leftHookGrappling = true;
    enemy->type = typeDead;
    cleanupSprings();
    EXPECT_EQ(springs, std::list<Spring*> {kept});
    EXPECT_TRUE(leftHookGrappling);
}

TEST_F(RopeRemoval, AFrameRemovesWhatItsStepsKilledAndTheRopesOnIt)
{
    screen = SDL_GetVideoSurface();
    SDL_GetKeyState(nullptr)[SDLK_ESCAPE] = 0;
    numEnemies = 5; // keep the level running
    Object* bolt = make(typeLightning, 200, 0);
    bolt->health = 1; // gone at its first update
    for (Object* o : {ship, enemy, bolt}) {
        dynamicMasses.push_back(o);
        drawables.push_back(o);
    }
    objects.push_back(bolt);
    springs.push_back(new Spring(enemy, bolt, 1, 3));
    enterFrameLoop(0);
    runFrame(3);
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(contains(objects, bolt));
    EXPECT_FALSE(contains(dynamicMasses, bolt));
    EXPECT_FALSE(contains(drawables, bolt));
    EXPECT_TRUE(contains(objects, enemy));
}
