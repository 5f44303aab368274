// A won map's results: the summary says how it went, and each map keeps its
// best time across wins, whatever else the best-times file holds.
#include "main/results.h"
#include "main/window.h"
#include "support/child.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace tether;

TEST(WonMap, TheSummaryCountsByCauseAndTheBestTimeIsKept)
{
    const std::string dir = makeTempDir();
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    LevelStats stats;
    stats.gameTime = 83456;
    stats.enemiesDestroyed[causeCrash] = 2;
    stats.enemiesDestroyed[causeSun] = 3;
    stats.damageTaken[causeShot] = 99.6;
    stats.hooksFired = 14;
    stats.catches = 6;
    stats.slings = 3;
    const ChildResult first = runInChild([&] { recordWonMap("alpha", stats); });
    EXPECT_EQ(first.output,
        "Victory on alpha in 1:23.4 (new best time): enemies destroyed 5 (crashes 2, sun 3), "
        "damage taken 100 (shots 100), hooks fired 14, catches 6, slings 3\n");

    // A slower win keeps the best; the lines for the screen say so.
    stats.gameTime = 90000;
    const std::vector<std::string> slower = recordWonMap("alpha", stats);
    ASSERT_EQ(slower.size(), 4u);
    EXPECT_EQ(slower[0], "Time 1:30.0 (best 1:23.4)");
    EXPECT_EQ(slower[1], "Enemies destroyed 5: crashes 2, sun 3");

    // Lines the file cannot have written are dropped, the others kept.
    {
        std::ofstream append(dir + "/tether/best_times", std::ios::app);
        append << "beta 5000\nbroken line here\ngamma -4\n";
    }
    stats.gameTime = 70000;
    recordWonMap("alpha", stats);
    std::ifstream in(dir + "/tether/best_times");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "alpha 70000\nbeta 5000\n");
    unsetenv("XDG_DATA_HOME");
    removeTree(dir);
}

TEST(WindowScale, EveryPixelBecomesATwoByTwoBlock)
{
    SDL_Surface* from = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_Surface* to = SDL_CreateRGBSurface(SDL_SWSURFACE, 6, 4, 32, 0xff0000, 0xff00, 0xff, 0);
    for (Uint32 i = 0; i < 6; ++i)
        static_cast<Uint32*>(from->pixels)[i / 3 * from->pitch / 4 + i % 3] = 0x010203 * (i + 1);
    scaleTwice(from, to);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(static_cast<Uint32*>(to->pixels)[y * to->pitch / 4 + x],
                0x010203u * static_cast<Uint32>(y / 2 * 3 + x / 2 + 1))
                << x << ", " << y;
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
}
