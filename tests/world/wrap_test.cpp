#include "content/assets.h"
#include "main/frame.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/spring.h"
#include "world/wrap.h"

#include <algorithm>

using namespace tether;

namespace {

template <typename List, typename T> bool contains(const List& list, T item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

class TorusWrap : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        ship = make(typeShip, 100, 100);
        objects.push_back(ship);
    }
    Object* add(float x, float y)
    {
        Object* o = make(typeEnemy, x, y);
        objects.push_back(o);
        return o;
    }
};

TEST_F(TorusWrap, TheShipCrossingTheRightEdgeComesBackAtTheLeft)
{
    ship->x = 2000;
    fixTorusCoords();
    EXPECT_EQ(ship->x, 0);
    EXPECT_EQ(backx, 2000);
    EXPECT_EQ(backy, 0);
}

TEST_F(TorusWrap, TheShipCrossingTheLeftEdgeComesBackAtTheRight)
{
    ship->x = -0.5f;
    fixTorusCoords();
    EXPECT_EQ(ship->x, 1999.5f);
    EXPECT_EQ(backx, -2000);
}

TEST_F(TorusWrap, TheShipWrapsVerticallyByTheWorldsHeight)
{
    worldH = 3000;
    ship->y = 3000.5f;
    fixTorusCoords();
    EXPECT_FLOAT_EQ(ship->y, 0.5f);
    EXPECT_EQ(backy, 3000);
    ship->y = -1;
    fixTorusCoords();
    EXPECT_EQ(ship->y, 2999);
    EXPECT_EQ(backy, 0);
}

TEST_F(TorusWrap, OthersMoveToTheirImageNearestTheShip)
{
    Object* far = add(1900, 100);
    Object* half = add(1100, 1100);
    Object* below = add(100, -1500);
    fixTorusCoords();
    EXPECT_EQ(far->x, -100);
    EXPECT_EQ(half->x, 1100); // exactly half a world away stays
    EXPECT_EQ(half->y, 1100);
    EXPECT_EQ(below->y, 500);
}

TEST_F(TorusWrap, OthersFollowTheShipAcrossTheSeam)
{
    Object* beside = add(1990, 100);
    ship->x = 2000;
    beside->x = 1990;
    fixTorusCoords();
    EXPECT_EQ(ship->x, 0);
    EXPECT_EQ(beside->x, -10);
}

TEST_F(TorusWrap, AnObjectWhereTheShipIsNeverMoves)
{
    Object* same = add(100, 100);
    fixTorusCoords();
    EXPECT_EQ(same->x, 100);
    EXPECT_EQ(same->y, 100);
}

TEST_F(TorusWrap, ObjectsOutsideObjectsAreLeftToTheirConnectors)
{
    Object* loose = make(typeTurret, 1900, 100);
    fixTorusCoords();
    EXPECT_EQ(loose->x, 1900);
    delete loose;
}

using Removal = WorldTest;

TEST_F(Removal, OnlyCleanupOfObjectsFreesTheDead)
{
    Object* enemy = make(typeEnemy, 0, 0);
    enemy->type = typeDead;
    Object* alive = make(typeEnemy, 10, 0);
    for (auto* list : {&dynamicMasses, &drawables, &ennemies, &objects}) {
        list->push_back(enemy);
        list->push_back(alive);
    }
    cleanup(&dynamicMasses);
    cleanup(&drawables);
    cleanup(&ennemies);
    EXPECT_FALSE(contains(drawables, enemy));
    EXPECT_TRUE(contains(drawables, alive));
    ASSERT_TRUE(contains(objects, enemy));
    EXPECT_EQ(enemy->type, typeDead); // not freed yet: still readable
    cleanup(&objects);
    EXPECT_EQ(objects, std::list<Object*> {alive});
}

TEST_F(Removal, TheShipIsNeverRemovedWhateverItsType)
{
    ship = make(typeShip, 0, 0);
    ship->type = typeDead;
    objects.push_back(ship);
    drawables.push_back(ship);
    cleanup(&drawables);
    cleanup(&objects);
    EXPECT_TRUE(contains(objects, ship));
    EXPECT_TRUE(contains(drawables, ship));
    ship->type = typeShip;
}

TEST_F(Removal, ExplodingObjectsStay)
{
    Object* wreck = make(typeExploding, 0, 0);
    objects.push_back(wreck);
    cleanup(&objects);
    EXPECT_TRUE(contains(objects, wreck));
}

TEST_F(Removal, ADeadEnemyTakesItsGunAndItsConnectorWithIt)
{
    Object* enemy = make(typeEnemy, 0, 0);
    Object* gun = make(typeTurret, 0, 0);
    Connector* link = enemy->addChild(gun, 5, 0, 0, true, false, false, true);
    objects.push_back(enemy);
    drawables.push_back(enemy);
    drawables.push_back(gun);
    enemy->type = typeDead;
    cleanup(&drawables);
    EXPECT_TRUE(contains(drawables, gun));
    cleanup(&objects);
    EXPECT_TRUE(objects.empty());
    EXPECT_FALSE(contains(drawables, gun));
    EXPECT_FALSE(contains(connectors, link));
}

TEST_F(Removal, ShotsForgetAShooterThatIsFreed)
{
    Object* shooter = make(typeEnemy, 0, 0);
    Object* bullet = make(typeBullet, 50, 0);
    Object* other = make(typeEnemy, 90, 0);
    Object* otherShot = make(typeRail, 70, 0);
    bullet->owner = shooter;
    otherShot->owner = other;
    objects = {shooter, bullet, other, otherShot};
    shooter->type = typeDead;
    cleanup(&objects);
    EXPECT_EQ(bullet->owner, nullptr);
    EXPECT_EQ(otherShot->owner, other);
    EXPECT_EQ(other->owner, other);
}

TEST_F(Removal, ShotsKeepTheirShooterWhileItLives)
{
    Object* shooter = make(typeEnemy, 0, 0);
    Object* bullet = make(typeBullet, 50, 0);
    bullet->owner = shooter;
    shooter->type = typeDead;
    objects = {shooter, bullet};
    cleanup(&drawables); // only objects frees, so only objects forgets
    EXPECT_EQ(bullet->owner, shooter);
    shooter->type = typeExploding;
    cleanup(&objects);
    EXPECT_EQ(bullet->owner, shooter);
}

class RopeRemoval : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        ship = make(typeShip, 0, 0);
        turret = make(typeTurret, 0, 0);
        ship->addChild(turret, 0, 0, 0, true, true, true, false);
        objects.push_back(ship);
    }
    Object* add(int type, float x)
    {
        Object* o = make(type, x, 0);
        objects.push_back(o);
        return o;
    }
};

TEST_F(RopeRemoval, AHookRopeToADeadEnemyGoesAndLetsTheLeftHookGoFirst)
{
    Object* enemy = add(typeEnemy, 100);
    springs.push_back(new Spring(turret, enemy, 1, 3));
    leftHookGrappling = rightHookGrappling = true;
    enemy->type = typeDead;
    cleanupSprings();
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(leftHookGrappling);
    EXPECT_TRUE(rightHookGrappling);
}

TEST_F(RopeRemoval, WithTheLeftHookFreeTheRightOneIsLetGo)
{
    Object* enemy = add(typeEnemy, 100);
    springs.push_back(new Spring(enemy, turret, 1, 3));
    rightHookGrappling = true;
    enemy->type = typeDead;
    cleanupSprings();
    EXPECT_TRUE(springs.empty());
    EXPECT_FALSE(rightHookGrappling);
}

TEST_F(RopeRemoval, ATieToADeadEnemyLeavesTheHooksAlone)
{
    Object* node = add(typeRopeNode, 50);
    Object* enemy = add(typeEnemy, 100);
    Object* other = add(typeEnemy, 150);
    Spring* kept = new Spring(node, other, 1, 3);
    springs.push_back(new Spring(node, enemy, 1, 3));
    springs.push_back(kept);
    leftHookGrappling = true;
    enemy->type = typeDead;
    cleanupSprings();
    EXPECT_EQ(springs, std::list<Spring*> {kept});
    EXPECT_TRUE(leftHookGrappling);
}

TEST_F(RopeRemoval, RopesToWrecksStayUntilTheyAreDead)
{
    Object* enemy = add(typeEnemy, 100);
    springs.push_back(new Spring(turret, enemy, 1, 3));
    leftHookGrappling = true;
    enemy->type = typeExploding;
    cleanupSprings();
    EXPECT_EQ(springs.size(), 1u);
    EXPECT_TRUE(leftHookGrappling);
}

class FrameRemoval : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        screen = SDL_GetVideoSurface();
        ship = make(typeShip, 1000, 1000);
        objects.push_back(ship);
        dynamicMasses.push_back(ship);
        numEnemies = 5; // keep the level running
        SDL_GetKeyState(nullptr)[SDLK_ESCAPE] = 0;
    }
};

TEST_F(FrameRemoval, AFrameRemovesWhatItsStepsKilledAndTheRopesOnIt)
{
    Object* bolt = make(typeLightning, 1200, 1000);
    Object* node = make(typeRopeNode, 1300, 1000);
    Object* enemy = make(typeEnemy, 1400, 1000);
    bolt->health = 1; // gone at its first update
    for (Object* o : {bolt, node, enemy}) {
        objects.push_back(o);
        dynamicMasses.push_back(o);
        drawables.push_back(o);
    }
    ennemies.push_back(enemy);
    springs.push_back(new Spring(node, bolt, 1, 3));
    springs.push_back(new Spring(node, enemy, 1, 3));
    enterFrameLoop(0);
    runFrame(3);
    EXPECT_EQ(springs.size(), 1u);
    EXPECT_FALSE(contains(objects, bolt));
    EXPECT_FALSE(contains(dynamicMasses, bolt));
    EXPECT_FALSE(contains(drawables, bolt));
    EXPECT_TRUE(contains(objects, node));
    EXPECT_TRUE(contains(ennemies, enemy));
}
