// A won map's results: the summary says how it went, and each map keeps its
// best time across wins, whatever else the best-times file holds, however
// long it is, and whatever another copy of the game wrote meanwhile; a
// best-times file that cannot be read is never written over, and a best
// time is kept with its replay or not at all, as the screen says.
#include "platform/window.h"
#include "screens/recorder.h"
#include "screens/results.h"
#include "support/child.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace tether;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A test's own data folder, for the test's life.
struct DataFolder {
    std::string dir = makeTempDir();
    std::string tether = dir + "/tether";
    DataFolder() { setenv("XDG_DATA_HOME", dir.c_str(), 1); }
    ~DataFolder()
    {
        unsetenv("XDG_DATA_HOME");
        removeTree(dir);
    }
};

LevelStats wonIn(int64_t ms)
{
    LevelStats stats;
    stats.gameTime = ms;
    return stats;
}

} // namespace

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
    EXPECT_EQ(text.str(), "alpha 70000 0000000000000000\nbeta 5000\n");
    unsetenv("XDG_DATA_HOME");
    removeTree(dir);
}

TEST(WonMap, ALongFileIsKeptWholeAndOneThatCannotBeReadIsNeverWrittenOver)
{
    const DataFolder data;
    ASSERT_EQ(mkdir(data.tether.c_str(), 0755), 0);
    std::string many;
    for (int map = 0; map < 6000; ++map) // about 90 KB
        many += "map" + std::to_string(map) + " " + std::to_string(100000 + map) + "\n";
    writeFile(data.tether + "/best_times", many);
    runInChild([] { recordWonMap("map5999", wonIn(5000)); });
    const std::string kept = readAll(data.tether + "/best_times");
    EXPECT_NE(kept.find("\nmap5998 105998\nmap5999 5000 0000000000000000\n"), std::string::npos);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 6000);

    ASSERT_EQ(chmod((data.tether + "/best_times").c_str(), 0), 0);
    const ChildResult unreadable = runInChild([&] {
        if (!becomeUnprivileged(data.dir))
            std::_Exit(98);
        recordWonMap("alpha", wonIn(4000));
        const std::vector<std::string> lines = recordWonMap("beta", wonIn(3000));
        std::printf("screen: %s\n", lines.at(0).c_str());
    });
    EXPECT_EQ(unreadable.status, 0);
    EXPECT_EQ(unreadable.output.substr(0, unreadable.output.find("):") + 1),
        "Victory on alpha in 0:04.0 (best time not saved)");
    EXPECT_NE(unreadable.output.find("\nBest times file " + data.tether
                  + "/best_times cannot be read: it is left as it is, and no best time is "
                    "saved to it\nVictory on beta"),
        std::string::npos)
        << unreadable.output;
    EXPECT_NE(
        unreadable.output.find("\nscreen: Time 0:03.0 (best time not saved)\n"), std::string::npos);
    EXPECT_EQ(unreadable.output.find("cannot be read", unreadable.output.find("Victory on beta")),
        std::string::npos); // said once
    ASSERT_EQ(chmod((data.tether + "/best_times").c_str(), 0644), 0);
    EXPECT_EQ(readAll(data.tether + "/best_times"), kept);
}

// The level's replay, as the recorder saves it at the level's end.
void saveLevelReplay(const std::string& path, uint64_t seed)
{
    recordPath = path;
    startRecording("maps/alpha", 0, seed);
    saveRecording();
    recordPath.clear();
}

TEST(WonMap, ABestTimeIsKeptWithItsReplayOrNotAtAll)
{
    const DataFolder data;
    const std::string replays = data.tether + "/replays", best = replays + "/alpha.best.replay";
    saveLevelReplay(data.dir + "/first.replay", 1);
    recordWonMap("alpha", wonIn(9000));
    EXPECT_EQ(readAll(best), readAll(data.dir + "/first.replay"));
    const std::string bestBefore = readAll(best);

    // The best times cannot be written (as on a full disk) while the best
    // replay still could: neither changes, and both outputs say so.
    saveLevelReplay(data.dir + "/second.replay", 2);
    ASSERT_EQ(chmod(data.tether.c_str(), 0555), 0);
    const ChildResult full = runInChild([&] {
        if (!becomeUnprivileged(data.dir))
            std::_Exit(98);
        const std::vector<std::string> lines = recordWonMap("alpha", wonIn(8000));
        std::printf("screen: %s\n", lines.at(0).c_str());
    });
    ASSERT_EQ(chmod(data.tether.c_str(), 0755), 0);
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.output.substr(0, full.output.find("):") + 1),
        "Victory on alpha in 0:08.0 (new best time, not saved)");
    EXPECT_NE(
        full.output.find("\nBest time and its replay not saved: cannot write"), std::string::npos)
        << full.output;
    EXPECT_NE(
        full.output.find("\nscreen: Time 0:08.0 (new best time, not saved)\n"), std::string::npos);
    EXPECT_EQ(readAll(data.tether + "/best_times"), "alpha 9000 0000000000000000\n");
    EXPECT_EQ(readAll(best), bestBefore);
    saveRecording(); // nothing is recorded: the next test wins without a replay
}

// A best time belongs to the map and data file it was won with: a win on
// a changed map does not race the old time but replaces it, and a line
// written before the content was kept beside it still reads and is raced.
TEST(WonMap, ABestTimeBelongsToTheContentItWasWonWith)
{
    const DataFolder data;
    ASSERT_EQ(mkdir(data.tether.c_str(), 0755), 0);
    writeFile(data.tether + "/best_times", "beta 5000\n");
    const ChildResult older = runInChild([] {
        recordWonMap("beta", wonIn(6000), 0xabc);
        recordWonMap("alpha", wonIn(2000), 0x1);
    });
    EXPECT_EQ(older.output.substr(0, older.output.find("):") + 1),
        "Victory on beta in 0:06.0 (best 0:05.0)");
    const ChildResult changed = runInChild([] {
        const std::vector<std::string> lines = recordWonMap("alpha", wonIn(9000), 0x2);
        std::printf("screen: %s\n", lines.at(0).c_str());
    });
    EXPECT_EQ(changed.output.substr(0, changed.output.find("):") + 1),
        "Victory on alpha in 0:09.0 (new best time)");
    EXPECT_NE(changed.output.find("\nThe best time of alpha before, 0:02.0, was won on another "
                                  "version of its map or data file: not raced\n"),
        std::string::npos)
        << changed.output;
    EXPECT_NE(changed.output.find("\nscreen: Time 0:09.0 (new best time)\n"), std::string::npos);
    EXPECT_EQ(readAll(data.tether + "/best_times"),
        "alpha 9000 0000000000000002\nbeta 5000\n");
    const std::vector<std::string> again = recordWonMap("alpha", wonIn(9500), 0x2);
    EXPECT_EQ(again.at(0), "Time 0:09.5 (best 0:09.0)");
}

// A copy of the game that holds the best times' lock and never lets go
// (stopped, or hung) costs the winner a short wait, not the game: the time
// is given up with a word on both outputs.
TEST(WonMap, ALockHeldForEverIsWaitedForBriefly)
{
    const DataFolder data;
    recordWonMap("alpha", wonIn(9000));
    const int held = open((data.tether + "/best_times.lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const ChildResult locked = runInChildFor(
        [] {
            const std::vector<std::string> lines = recordWonMap("alpha", wonIn(5000));
            std::printf("screen: %s\n", lines.at(0).c_str());
        },
        5000);
    close(held);
    EXPECT_FALSE(locked.timedOut);
    EXPECT_EQ(locked.output.substr(0, locked.output.find("):") + 1),
        "Victory on alpha in 0:05.0 (best time not saved)");
    EXPECT_NE(locked.output.find(
                  "\nBest time not saved: another copy of the game is saving\nscreen: Time 0:05.0 "
                  "(best time not saved)\n"),
        std::string::npos)
        << locked.output;
    EXPECT_EQ(readAll(data.tether + "/best_times"), "alpha 9000 0000000000000000\n");
}

// Two copies of the game winning maps at once: every map's time is kept.
TEST(WonMap, TwoCopiesKeepEachOthersBestTimes)
{
    const DataFolder data;
    constexpr int wins = 40;
    auto copyWinning = [](const std::string& prefix) {
        const pid_t pid = fork();
        if (pid != 0)
            return pid;
        std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
        for (int map = 0; map < wins; ++map)
            recordWonMap(prefix + std::to_string(map), wonIn(1000 + map));
        std::_Exit(quiet ? 0 : 1);
    };
    const pid_t a = copyWinning("a"), b = copyWinning("b");
    int status = 0;
    ASSERT_EQ(waitpid(a, &status, 0), a);
    ASSERT_EQ(waitpid(b, &status, 0), b);
    const std::string text = readAll(data.tether + "/best_times");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 * wins) << text;
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
