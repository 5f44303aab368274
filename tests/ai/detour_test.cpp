// An enemy chasing the ship with a planet between them goes round it: it
// does not stay pressed against the planet's far side while the ship waits
// on the near side.
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "screens/session.h"
#include "support/child.h"
#include "world/object.h"
#include "world/stats.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace tether;

TEST(EnemyDetour, AGunnerBehindAPlanetComesRoundToTheShipsSide)
{
    // The ship at rest above the planet, the gunner straight below it.
    const std::string dir = makeTempDir();
    const std::string map = dir + "/behind_the_planet";
    writeFile(map,
        "world 8000 8000\nspawn 4000 3500 0 0\nplanet 4000 4000 1e11 100\n"
        "enemy1 4000 4400 0 0 0\n");
    const ChildResult run = runInChild(
        [&] {
            readDataFile("data");
            if (!startLevel(map, 0, 7))
                return;
            // The game time at which the gunner first stood on the ship's
            // side of the planet's middle; -1: never in 30 s.
            long long cameRound = -1;
            float lowest = 0;
            for (int frame = 0; frame < 30000 / 16 && cameRound < 0; ++frame) {
                if (simulateFrame(world(), FrameInput {}, 16) != LevelState::ongoing)
                    break;
                for (const Object* o : world().enemies)
                    if (o->type == typeEnemy) {
                        lowest = o->y;
                        if (o->y < 4000)
                            cameRound = world().levelStats.gameTime;
                    }
            }
            std::printf("%lld %.0f", cameRound, lowest);
            stopLevel();
        },
        TETHER_GAME_DIR);
    removeTree(dir);
    ASSERT_EQ(run.status, 0);
    long long cameRound = -2;
    float y = 0;
    ASSERT_EQ(std::sscanf(run.output.c_str(), "%lld %f", &cameRound, &y), 2) << run.output;
    EXPECT_GE(cameRound, 0) << "still behind the planet after 30 s, at y " << y;
    EXPECT_LT(cameRound, 15000);
}
