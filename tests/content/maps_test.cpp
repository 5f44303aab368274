#include "content/assets.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "render/looks.h"
#include "support/child.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/world.h"

#include <SDL_image.h>
#include <unistd.h>

#include <vector>

using namespace tether;

namespace {
constexpr float pi = 3.1415927f;

std::vector<Object*> asVector(const std::list<Object*>& list)
{
    return {list.begin(), list.end()};
}
} // namespace

class MapLoading : public WorldTest {
protected:
    std::string dir;
    SDL_Surface* hull = nullptr;
    void SetUp() override
    {
        WorldTest::SetUp();
        dir = makeTempDir();
        for (int i = 0; i < enemyClassCount; ++i) {
            writableTuning().enMass[i] = 100 + i;
            writableTuning().enRadius[i] = 20 + i;
            writableTuning().enHealth[i] = 50 + i;
            writableTuning().enReloadTime[i] = 500 + i;
        }
        // Class 2's hull image is 68 by 60: mounts are given from its corner.
        hull = SDL_CreateRGBSurface(SDL_SWSURFACE, 68, 60, 32, 0xff0000, 0xff00, 0xff, 0);
        enemySprites[1] = hull;
        writableTuning().turretX[1] = 38;
        writableTuning().turretY[1] = 18;
        writableTuning().turretX[2] = 38;
        writableTuning().turretY[2] = 50;
        placeGunMounts(); // from the hull set here, as reading the data file does
        mineSprite
            = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 64, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
        writableTuning().mineRadius = 24;
        planetSprite
            = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 40, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
        writableTuning().planetBaseRadius = 20;
        writableTuning().sunBaseRadius = 0; // a missing record
        world().spawnX = world().spawnY = 1000;
        world().spawnVX = world().spawnVY = 0;
    }
    void TearDown() override
    {
        clearWorld(world());
        closeLevelMap();
        enemySprites[1] = nullptr;
        SDL_FreeSurface(hull);
        SDL_FreeSurface(mineSprite);
        mineSprite = nullptr;
        SDL_FreeSurface(planetSprite);
        planetSprite = nullptr;
        removeTree(dir);
        WorldTest::TearDown();
    }
    void load(const std::string& text)
    {
        writeFile(dir + "/map", text);
        ASSERT_TRUE(loadMap(dir + "/map"));
    }
};

TEST_F(MapLoading, ObjectsJoinTheirRegistriesInRecordOrder)
{
    load("planet 10 20 1e9 40\nmine 5 6\nenemy4 1 2 0.5 0.25 1\nblackhole 7 8 2e9 30\n");
    ASSERT_EQ(world().objects.size(), 4u);
    const auto all = asVector(world().objects);
    EXPECT_EQ(all[0]->type, typePlanet);
    EXPECT_EQ(all[1]->type, typeMine);
    EXPECT_EQ(all[2]->type, typeEnemy);
    EXPECT_EQ(all[3]->type, typeBlackHole);
    EXPECT_EQ(asVector(world().drawables), all);
    EXPECT_EQ(asVector(world().attractingMasses), (std::vector<Object*> {all[0], all[3]}));
    EXPECT_EQ(asVector(world().dynamicMasses), (std::vector<Object*> {all[1], all[2]}));
    EXPECT_EQ(asVector(world().enemies), (std::vector<Object*> {all[1], all[2]}));

    const Object& planet = *all[0];
    EXPECT_EQ(planet.mass, 1e9f);
    EXPECT_EQ(planet.radius, 40);
    EXPECT_EQ(planet.health, 100);
    ASSERT_NE(planet.look, nullptr);
    EXPECT_EQ(lookOf(planet)->w, 80); // scaled by radius / base radius

    const Object& mine = *all[1];
    EXPECT_EQ(mine.radius, 15);
    ASSERT_NE(mine.look, nullptr);
    EXPECT_EQ(lookOf(mine)->w, 40); // 64 * 15 / 24

    const Object& enemy = *all[2];
    EXPECT_EQ(enemy.kind, 4);
    EXPECT_EQ(enemy.mass, writableTuning().enMass[3]);
    EXPECT_EQ(enemy.radius, writableTuning().enRadius[3]);
    EXPECT_EQ(enemy.health, writableTuning().enHealth[3]);
    EXPECT_EQ(enemy.reloadTime, writableTuning().enReloadTime[3]);
    EXPECT_EQ(enemy.vx, 0.5f);
    EXPECT_EQ(enemy.angle, 1.0f);
    EXPECT_EQ(enemy.children, nullptr); // classes 4 to 12 carry no guns
    EXPECT_EQ(all[3]->look, gHook);
}

TEST_F(MapLoading, TwinGunEnemyCarriesTwoMountedGuns)
{
    load("enemy2 100 200 0 0 0");
    EXPECT_EQ(world().numEnemies, 1);
    ASSERT_EQ(world().objects.size(), 1u);
    Object* enemy = world().objects.front();
    ASSERT_NE(enemy->turret1, nullptr);
    ASSERT_NE(enemy->turret2, nullptr);
    EXPECT_EQ(world().connectors.size(), 2u);
    ASSERT_EQ(world().drawables.size(), 3u);
    EXPECT_EQ(*std::next(world().drawables.begin()), enemy->turret1->child);
    EXPECT_EQ(world().drawables.back(), enemy->turret2->child);

    Object* gun = enemy->turret1->child;
    EXPECT_EQ(gun->type, typeTurret);
    EXPECT_EQ(gun->owner, enemy);
    EXPECT_EQ(gun->reloadTime, writableTuning().enReloadTime[1]);
    EXPECT_EQ(gun->health, 100);
    // Mount (38, 18) in a 68 by 60 image is 4 along and 12 across from the centre.
    EXPECT_EQ(enemy->turret1->distance, 4);
    EXPECT_EQ(enemy->turret1->offsetAngle, -12);
    EXPECT_TRUE(enemy->turret1->localOffset);
    EXPECT_FALSE(enemy->turret1->passForces);
    EXPECT_EQ(gun->x, 104);
    EXPECT_EQ(gun->y, 188);
    EXPECT_EQ(enemy->turret2->child->y, 220);
}

TEST_F(MapLoading, EnemiesAreCountedButMinesAndGunsAreNot)
{
    load("mine 1 1 mine 2 2 enemy1 0 0 0 0 0 enemy3 5 5 0 0 0 enemy12 9 9 0 0 0");
    EXPECT_EQ(world().numEnemies, 3);
    EXPECT_EQ(world().enemies.size(), 5u);
}

TEST_F(MapLoading, TwoMinesGetTwoSeparateImages)
{
    load("mine 1 1\nmine 2 2\n");
    ASSERT_EQ(world().objects.size(), 2u);
    EXPECT_NE(world().objects.front()->look, world().objects.back()->look);
}

TEST_F(MapLoading, WorldSizeAndSpawnAreKeptUntilAMapSetsThem)
{
    load("world 3000 2500 world 4000 3500 spawn 10 20 0.5 -0.5");
    EXPECT_EQ(world().worldW, 4000);
    EXPECT_EQ(world().worldH, 3500);
    EXPECT_EQ(world().spawnX, 10);
    EXPECT_EQ(world().spawnVY, -0.5f);
    clearWorld(world());
    load("planet 1 1 1 1");
    EXPECT_EQ(world().worldW, 4000);
    EXPECT_EQ(world().spawnY, 20);
}

TEST_F(MapLoading, RecordsMayBeSpreadOverLinesAndUnknownWordsAreSkipped)
{
    load("nebula 1 2 3\nplanet\n10\n20\n\t1e9\n40\n");
    ASSERT_EQ(world().objects.size(), 1u);
    EXPECT_EQ(world().objects.front()->x, 10);
    EXPECT_EQ(world().objects.front()->radius, 40);
}

TEST_F(MapLoading, AnUnreadableNumberEndsTheMapWithoutHalfARecord)
{
    load("enemy1 1 2 0 0 0\nenemy1 5 6 zero 0 0\nplanet 1 1 1 1\n");
    EXPECT_EQ(world().numEnemies, 1);
    EXPECT_EQ(world().objects.size(), 1u);
}

TEST_F(MapLoading, ZeroBaseRadiusGivesNoImageInsteadOfAnInfiniteScale)
{
    load("sun 100 100 1e9 50");
    ASSERT_EQ(world().objects.size(), 1u);
    EXPECT_EQ(world().objects.front()->type, typeSun);
    EXPECT_EQ(world().objects.front()->look, nullptr);
}

TEST_F(MapLoading, AnAbsurdRadiusGivesNoImageInsteadOfAHugeOne)
{
    load("planet 100 100 1e9 5000\nplanet 100 100 1e9 2040");
    ASSERT_EQ(world().objects.size(), 2u);
    EXPECT_EQ(world().objects.front()->look, nullptr); // 40 * 5000 / 20 = 10000 pixels
    ASSERT_NE(world().objects.back()->look, nullptr); // 4080 pixels still fit
    EXPECT_EQ(lookOf(*world().objects.back())->w, 4080);
}

TEST_F(MapLoading, MissingMapIsTheErrorTheGameEndsWith)
{
    EXPECT_FALSE(loadMap(dir + "/no-map"));
    EXPECT_EQ(loadLevelMap(dir + "/no-map"), "Error opening map");
}

// A folder named as a map made a level without enemies, won at once; a link
// to /dev/zero froze the game at the level's start. Both are refused as a
// missing map is, at once.
TEST_F(MapLoading, AFolderOrAnEndlessDeviceAsAMapIsRefusedLikeAMissingOne)
{
    EXPECT_FALSE(loadMap(dir));
    EXPECT_TRUE(world().objects.empty());
    const std::string endless = dir + "/endless";
    ASSERT_EQ(symlink("/dev/zero", endless.c_str()), 0);
    const ChildResult result
        = runInChildFor([&] { std::fputs(loadLevelMap(endless).c_str(), stdout); }, 5000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.output, "Error opening map");
    std::vector<MapListEntry> entries;
    EXPECT_EQ(readMapList(endless, entries), MapListResult::cannotOpen);
    EXPECT_EQ(readMapList(dir, entries), MapListResult::cannotOpen);
}

// Enemies that overlap at the start (the short way round the world) are
// thrown about as a pile: the level cycle refuses such a map with a line
// of its own and says why; enemies just apart, and mines, are played.
TEST_F(MapLoading, EnemiesOverlappingAtTheStartAreRefused)
{
    // Classes 1 and 3 have radius 20 and 22 here: 42 apart they touch.
    writeFile(dir + "/apart", "world 4000 4000\nenemy1 1000 1000 0 0 0\nenemy3 1042 1000 0 0 0\n"
                              "mine 1000 1000\nmine 1001 1000\n");
    EXPECT_EQ(loadLevelMap(dir + "/apart"), "");
    clearWorld(world());
    writeFile(dir + "/pile", "world 4000 4000\nenemy1 3990 1000 0 0 0\nenemy3 25 1010 0 0 0\n"
                             "enemy2 2000 2000 0 0 0\nenemy2 2000 2000 0 0 0\n");
    std::string why;
    const std::string refused = loadLevelMap(dir + "/pile", &why);
    EXPECT_EQ(refused,
        "Map " + dir
            + "/pile cannot be played: enemy1 at (3990, 1000) and enemy3 at (25, 1010) overlap "
              "at the start (2 pairs of enemies in all): enemies must start apart, or they are "
              "thrown about as a pile the game cannot play at speed\n");
    EXPECT_EQ(why + "\n", refused);
    clearWorld(world());
    EXPECT_EQ(loadLevelMap(dir + "/no-map", &why), "Error opening map");
    EXPECT_EQ(why, dir + "/no-map does not exist");
}

class ShipAssembly : public MapLoading {
protected:
    void assemble(int chosen)
    {
        world().chosenShip = chosen;
        load("spawn 500 400 0.25 0\nenemy4 0 0 0 0 0");
        assembleShip();
    }
};

TEST_F(ShipAssembly, ShipHooksMountAndFlameJoinTheirRegistries)
{
    assemble(0);
    const auto all = asVector(world().objects);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1], world().ship);
    EXPECT_EQ(all[2], world().leftGrapHook);
    EXPECT_EQ(all[3], world().rightGrapHook);
    EXPECT_EQ(asVector(world().dynamicMasses),
        (std::vector<Object*> {all[0], world().ship, world().leftGrapHook, world().rightGrapHook}));
    ASSERT_EQ(world().drawables.size(), 5u);
    EXPECT_EQ(world().drawables.back(), world().ship->flame);
    EXPECT_EQ(world().ship->flame->type, typeFlame);
    EXPECT_EQ(world().ship->health, 1000);
    EXPECT_EQ(world().ship->vx, 0.25f);
    EXPECT_EQ(world().leftGrapHook->vx, 0.25f);
    EXPECT_EQ(world().turret->type, typeTurret);
    EXPECT_EQ(world().turret->look, chainImage);
    EXPECT_EQ(world().leftHookConnector->child, world().leftGrapHook);
    EXPECT_EQ(world().rightHookConnector->child, world().rightGrapHook);
    EXPECT_EQ(world().leftGrapHook->owner, world().turret);
    EXPECT_EQ(world().connectors.size(), 4u);
}

TEST_F(ShipAssembly, MountSitsAtTheCentreForShipOne)
{
    assemble(0);
    EXPECT_EQ(world().turret->x, 500);
    EXPECT_EQ(world().turret->y, 400);
}

TEST_F(ShipAssembly, MountSitsBehindShipsTwoAndThree)
{
    assemble(1);
    EXPECT_EQ(world().turret->x, 478);
    clearWorld(world());
    assemble(2);
    EXPECT_EQ(world().turret->x, 483);
    EXPECT_EQ(world().turret->y, 399); // behind, where the sine of pi floors to -1
    Connector* mount = world().ship->children->front();
    EXPECT_TRUE(mount->passForces);
    EXPECT_TRUE(mount->absoluteAngle);
}

TEST_F(ShipAssembly, FlameRidesFortyFiveUnitsBehind)
{
    assemble(2);
    EXPECT_EQ(world().ship->flame->x, 455);
    EXPECT_EQ(world().ship->flame->owner, world().ship);
}

TEST(MapList, ReadsCompleteRecordsUpToTheCount)
{
    const std::string dir = makeTempDir();
    std::vector<MapListEntry> entries;
    writeFile(dir + "/list", "2\nalpha alpha_boss 7\nbeta beta_boss 8\ngamma gamma_boss 9\n");
    EXPECT_EQ(readMapList(dir + "/list", entries), MapListResult::ok);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].mapName, "beta");
    EXPECT_EQ(entries[1].bossMapName, "beta_boss");
    EXPECT_EQ(entries[1].bossMusic, 8);

    writeFile(dir + "/list", "5\nalpha alpha_boss 7\nbeta beta_boss");
    EXPECT_EQ(readMapList(dir + "/list", entries), MapListResult::ok);
    EXPECT_EQ(entries.size(), 1u); // the half record is not offered

    writeFile(dir + "/list", "0\nalpha alpha_boss 7\n");
    EXPECT_EQ(readMapList(dir + "/list", entries), MapListResult::noMaps);
    writeFile(dir + "/list", "-3\nalpha alpha_boss 7\n");
    EXPECT_EQ(readMapList(dir + "/list", entries), MapListResult::noMaps);
    writeFile(dir + "/list", "");
    EXPECT_EQ(readMapList(dir + "/list", entries), MapListResult::noMaps);
    EXPECT_EQ(readMapList(dir + "/none", entries), MapListResult::cannotOpen);
    removeTree(dir);
}
