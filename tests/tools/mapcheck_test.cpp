#include "check.h"
#include "command.h"
#include "content/regularfile.h"
#include "support/child.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using mapcheck::Checker;
using mapcheck::Finding;

class MapCheck : public ::testing::Test {
protected:
    std::string dir;
    Checker checker;
    void SetUp() override { dir = makeTempDir(); }
    void TearDown() override { removeTree(dir); }

    std::string put(const std::string& name, const std::string& text)
    {
        writeFile(dir + "/" + name, text);
        return dir + "/" + name;
    }
    // The findings as "line: error|warning: message" without the folder.
    bool has(int line, bool error, const std::string& part) const
    {
        const auto& all = checker.findings();
        return std::any_of(all.begin(), all.end(), [&](const Finding& f) {
            return f.line == line && f.error == error && f.message.find(part) != std::string::npos;
        });
    }
};

TEST_F(MapCheck, AGoodMapHasNoFindings)
{
    checker.checkMap(
        put("m", "world 3000 3000\nspawn 1 2 0 0\nplanet 600 2 1e9 40\nenemy3 1500 1500 0 0 1\n"));
    EXPECT_TRUE(checker.findings().empty()) << mapcheck::format(checker.findings().front());
}

TEST_F(MapCheck, AnUnreadableNumberIsAnErrorOnItsOwnLine)
{
    checker.checkMap(put("m", "spawn 0 0 0 0\nplanet 1 2\n  1e9x 40\nenemy1 1 1 1 1 1\n"));
    EXPECT_TRUE(has(3, true, "\"1e9x\" is not a number"));
    EXPECT_EQ(checker.errorCount(), 1);
}

TEST_F(MapCheck, UnknownKeywordsAreWarningsAndTheirNumbersAreNotRepeated)
{
    checker.checkMap(put("m", "spawn 0 0 0 0 enemy2 1000 1000 1 1 1\nplanett 1 2 3 4\n"));
    EXPECT_TRUE(has(2, false, "unknown keyword \"planett\""));
    EXPECT_EQ(checker.findings().size(), 1u);
}

TEST_F(MapCheck, HostilesCloseToTheSpawnAreMeasuredTheShortWayRound)
{
    checker.checkMap(put("m",
        "world 8000 8000\nspawn 1000 4000 0 0\n"
        "mine 7000 4000\n" // 2000 across the seam
        "mine 4500 4000\n" // 3500: waits
        "enemy1 1500 4500 0 0 0\n" // 707: fires at once
        "enemy2 3000 4000 0 0 0\n")); // 2000: in range later
    EXPECT_TRUE(has(3, false, "this mine starts 2000 units from the spawn point"));
    EXPECT_FALSE(has(4, false, "this mine"));
    EXPECT_TRUE(has(5, false, "enemy1 starts 707 units"));
    EXPECT_FALSE(has(6, false, "enemy2"));
}

TEST_F(MapCheck, BodiesTooLargeToDrawAreWarnedAbout)
{
    checker.checkMap(put("m",
        "world 20000 20000 spawn 0 0 0 0 enemy1 1000 1000 1 1 1\n"
        "blackhole 10000 10000 1e9 301\nsun 10000 1 1e9 2000\n"));
    EXPECT_TRUE(has(2, false, "without its lens"));
    EXPECT_TRUE(has(3, false, "too large for its image"));
    EXPECT_EQ(checker.errorCount(), 0);
}

TEST_F(MapCheck, ATruncatedRecordAndMissingSpawnAndEnemiesAreReported)
{
    checker.checkMap(put("m", "mine 5\n"));
    EXPECT_TRUE(has(1, true, "needs 2 values"));
    EXPECT_TRUE(has(0, false, "no \"spawn\""));
    EXPECT_TRUE(has(0, false, "won in its first frame"));
}

TEST_F(MapCheck, MapsAreCheckedAgainstTheDataFile)
{
    checker.checkData(
        put("data", "mine 0 40 60\nenemy1 20 100 0.4 0.05 0.03 700 100 x.png\n"), dir);
    EXPECT_TRUE(has(1, true, "mine: radius and mass must be positive"));
    EXPECT_TRUE(has(2, false, "image \"x.png\" not found"));
    checker.checkMap(put("m", "spawn 0 0 0 0\nenemy1 1 1 0 0 0\nenemy7 1 1 0 0 0\nsun 1 1 1 1\n"));
    EXPECT_TRUE(has(3, true, "enemy7 has no record"));
    EXPECT_TRUE(has(4, true, "suns need a \"sun\" record"));
    EXPECT_FALSE(has(2, true, "enemy1"));
}

TEST_F(MapCheck, AnUnfairStartIsFoundByPlayingItWithNobodyAtTheControls)
{
    checker.checkData(TETHER_GAME_DIR "/data", TETHER_GAME_DIR);
    // A sun whose pull takes the drifting ship in 300 units, a planet that
    // cannot; a gunner 1500 units off, in range within five seconds; a
    // rammer that is not; a gunner that waits beyond 3000 units.
    checker.checkMap(put("m",
        "world 8000 8000\nspawn 1000 1000 0 0\n"
        "sun 1300 1000 3e11 100\n"
        "planet 1000 3000 1e10 100\n"
        "enemy1 1000 -500 0 0 0\n"
        "enemy3 4000 2500 0 0 0\n"
        "enemy2 5000 5000 0 0 0\n"));
    EXPECT_TRUE(has(3, false, "the idle ship falls onto this sun"));
    EXPECT_TRUE(has(5, false, "enemy1 fires at the idle ship"));
    // Only the map's own findings count: without the generated images (a
    // sanitizer build) the data file's image warnings come first.
    const auto onMap = [&](const Checker& c) {
        std::vector<Finding> found;
        for (const Finding& f : c.findings())
            if (f.file == dir + "/m")
                found.push_back(f);
        return found;
    };
    ASSERT_EQ(onMap(checker).size(), 2u) << mapcheck::format(checker.findings().back());

    // Moved away, they leave the ship its quiet start.
    Checker fair;
    fair.checkData(TETHER_GAME_DIR "/data", TETHER_GAME_DIR);
    fair.checkMap(put("m",
        "world 8000 8000\nspawn 1000 1000 0 0\n"
        "sun 2300 1000 3e11 100\n"
        "enemy1 1000 5000 0 0 0\n"));
    EXPECT_TRUE(onMap(fair).empty()) << mapcheck::format(onMap(fair).front());
}

TEST_F(MapCheck, TheDataFileStopsAtAnUnknownWordLikeTheGame)
{
    checker.checkData(put("data", "blackhole 50 extra\nship 1 1 1 1 1 1\n"), dir);
    EXPECT_TRUE(has(1, true, "\"extra\" is not a keyword"));
    // The ship after it is never read: the game has no ship, hook or node.
    EXPECT_TRUE(has(0, true, "no \"ship\" record"));
    EXPECT_EQ(checker.findings().size(), 4u);
}

// Values the game takes that break every map: enemies that fire every
// millisecond or die in their first frame, no ship, hooks or rope nodes at
// all, an image too big to be turned every frame (the game refuses it).
TEST_F(MapCheck, DataThatBreaksEveryMapIsReportedOnItsLine)
{
    SDL_Surface* big = SDL_CreateRGBSurface(SDL_SWSURFACE, 600, 520, 8, 0, 0, 0, 0);
    ASSERT_EQ(SDL_SaveBMP(big, (dir + "/big.bmp").c_str()), 0);
    SDL_FreeSurface(big);
    checker.checkData(put("data",
                          "enemy1 20 100 0.25 0.05 0.03 0 150 big.bmp\n"
                          "enemy2 26 150 0.3 0.07 0.03 500 -1 big.bmp\n"
                          "enemy3 26 150 0.3 0.07 0.03 900 100 big.bmp\n"
                          "enemy3 26 150 0.3 0.07 0.03 -900 100 none.bmp\n"),
        dir);
    EXPECT_TRUE(has(1, true, "enemy1: a reload time of 0 ms makes it fire every millisecond"));
    EXPECT_TRUE(has(2, true, "enemy2: a health of -1 destroys every enemy of this class"));
    EXPECT_TRUE(has(4, true, "enemy3: a reload time of -900 ms"));
    // The game draws such an image as missing, and says so in these words.
    EXPECT_TRUE(has(1, true, "enemy1: its image \"big.bmp\" is 600 by 520 pixels, more than"));
    EXPECT_TRUE(has(2, true, "enemy2: its image \"big.bmp\" is 600 by 520 pixels"));
    EXPECT_TRUE(has(3, true, "enemy3: its image \"big.bmp\" is 600 by 520 pixels"));
    EXPECT_TRUE(has(0, true, "no \"ship\" record: the player's ship has radius 0"));
    EXPECT_TRUE(has(0, true, "no \"hook\" record"));
    EXPECT_TRUE(has(0, true, "no \"node\" record"));
    EXPECT_EQ(checker.errorCount(), 9);
}

// Whatever stands at a name, the checker answers at once: a device is
// refused as the data file, as a map or named in the list (the game stops
// there), and a folder, or a link out of the maps folder, made a level the
// game won at once.
TEST_F(MapCheck, OnlyRegularFilesAreReadAndMapsStayInTheirFolder)
{
    const std::string map = "spawn 0 0 0 0 enemy1 1000 1000 1 1 1";
    put("a", map);
    const std::string elsewhere = makeTempDir();
    writeFile(elsewhere + "/b", map);
    ASSERT_EQ(mkdir((dir + "/folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink("/dev/zero", (dir + "/endless").c_str()), 0);
    ASSERT_EQ(symlink((elsewhere + "/b").c_str(), (dir + "/away").c_str()), 0);
    put("maplist", "3\na folder 1\nendless a 2\naway a 3\n");
    const std::vector<std::string> args
        = {"--data", "/dev/zero", dir + "/maplist", dir + "/endless"};
    const ChildResult result = runInChildFor(
        [&] {
            std::string out, err;
            const int status = mapcheck::runCommand(args, out, err);
            std::fputs(out.c_str(), stdout);
            std::fflush(stdout);
            _exit(status); // the child's status is the command's
        },
        10000);
    removeTree(elsewhere);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, 1);
    for (const std::string& line : {
             std::string("/dev/zero: error: is not a regular file (the game prints \"Error "
                         "opening data\""),
             dir + "/maplist:2: error: map \"folder\" is not a regular file",
             dir + "/maplist:3: error: map \"endless\" is not a regular file",
             dir + "/maplist:4: error: map \"away\" is a link out of the maps folder",
             dir + "/endless: error: is not a regular file (the game prints \"Error opening map\"",
             std::string("5 errors, "), // nothing more
         })
        EXPECT_NE(result.output.find(line), std::string::npos) << line << "\nin\n" << result.output;
}

// What a file holds is quoted, never played on the terminal: a NUL does
// not cut the report short, escapes that retitle or clear the terminal are
// shown as bytes. An image that is no image says what it is instead.
TEST_F(MapCheck, TheReportQuotesControlBytesAndSaysWhatIsWrongWithAnImage)
{
    put("m", std::string("spawn 0 0 0 0\nenemy1 1000 1000 0 0 0\n"
                         "\x1b]0;owned\x07\x1b[2J 1\nplanet 300\0x 2 3 4\nplanett 1\n",
                 83));
    SDL_Surface* small = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 40, 8, 0, 0, 0, 0);
    ASSERT_EQ(SDL_SaveBMP(small, (dir + "/whole.bmp").c_str()), 0);
    SDL_FreeSurface(small);
    std::string bmp;
    ASSERT_EQ(tether::readRegularFile(dir + "/whole.bmp", bmp, 1 << 20), tether::FileRead::ok);
    put("cut.bmp", bmp.substr(0, bmp.size() / 2));
    put("noise.png", "\x13\x37 not an image at all, just some bytes");
    ASSERT_EQ(mkfifo((dir + "/pipe.png").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", (dir + "/zero.png").c_str()), 0);
    put("data",
        "ship 18 100 0.5 0.06 0.005 300\nhook 8 1 3 450 10 300 pipe.png\n"
        "node 10 100 0 0 0 0 zero.png\nenemy1 20 100 0.25 0.05 0.03 900 150 noise.png\n"
        "enemy2 20 100 0.25 0.05 0.03 900 150 cut.bmp\n"
        "enemy3 20 100 0.25 0.05 0.03 900 150 whole.bmp\n");
    const std::vector<std::string> args = {"--data", dir + "/data", dir + "/m"};
    const ChildResult result = runInChildFor(
        [&] {
            std::string out, err;
            const int status = mapcheck::runCommand(args, out, err);
            std::fwrite(out.data(), 1, out.size(), stdout);
            std::fflush(stdout);
            _exit(status);
        },
        10000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.output.find('\x1b'), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find('\0'), std::string::npos) << result.output;
    for (const char* line : {
             "data:2: warning: image \"pipe.png\" is not a regular file",
             "data:3: warning: image \"zero.png\" is not a regular file",
             "data:4: warning: image \"noise.png\" is not an image",
             "data:5: warning: image \"cut.bmp\" is cut short or damaged",
             "\"\\x1b]0;owned\\x07\\x1b[2J\"",
             "\"300\\x00x\"",
             " warnings\n",
         })
        EXPECT_NE(result.output.find(line), std::string::npos) << line << "\nin\n" << result.output;
    EXPECT_EQ(result.output.find("whole.bmp"), std::string::npos) << result.output;
}

// Twenty thousand enemies, a pile of three hundred, and a word of 16 MB: the
// game reads them at once, the checker took minutes over each. The object
// limit is told once, and the pile is an error (the game refuses it).
TEST_F(MapCheck, BigMapsAreCheckedInSecondsAndTheObjectLimitIsToldOnce)
{
    std::string many = "world 100000 100000\nspawn 1000 1000 0 0\n";
    for (int i = 0; i < 20000; ++i)
        many += "enemy1 " + std::to_string(5000 + i % 200 * 400) + " "
            + std::to_string(5000 + i / 200 * 400) + " 0 0 0\n";
    put("many", many);
    put("long", "spawn 0 0 0 0\n" + std::string(16u << 20, 'x') + "\nenemy1 1000 1000 0 0 0\n");
    std::string pile = "spawn 1000 1000 0 0\n";
    for (int i = 0; i < 300; ++i)
        pile += "enemy1 " + std::to_string(3000 + 2 * i) + " " + std::to_string(3000 + 2 * i)
            + " 0 0 0\n";
    put("pile", pile);
    const std::string data = TETHER_GAME_DIR "/data";
    const std::vector<std::string> args
        = {"--data", data, dir + "/many", dir + "/long", dir + "/pile"};
    const ChildResult result = runInChildFor(
        [&] {
            std::string out, err;
            mapcheck::runCommand(args, out, err);
            std::printf("%s", out.c_str());
        },
        40000); // a second or two here; a sanitizer build is many times slower
    EXPECT_FALSE(result.timedOut);
    const std::string limit = "the game makes at most 1000 objects of a map";
    const size_t told = result.output.find(limit);
    EXPECT_NE(told, std::string::npos) << result.output.substr(0, 2000);
    EXPECT_EQ(result.output.find(limit, told + 1), std::string::npos);
    EXPECT_NE(result.output.find("many:1003: warning: " + limit
                  + ", 64 of them bodies that pull: not this one, "
                    "nor the 18999 records after it that would make one"),
        std::string::npos);
    EXPECT_NE(
        result.output.find("long:2: warning: unknown keyword \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                           "...\" (a word of 16777216 characters): the game skips it"),
        std::string::npos);
    // Enemies that overlap at the start: the game refuses the map.
    EXPECT_NE(result.output.find("pile: error: enemy1 at (3000, 3000) and enemy1 at (3002, 3002) "
                                 "overlap at the start ("),
        std::string::npos)
        << result.output.substr(0, 2000);
    EXPECT_NE(result.output.find(" pairs of enemies in all): enemies must start apart"),
        std::string::npos);
    EXPECT_LT(result.output.size(), 100000u);
}

TEST_F(MapCheck, TheMapListCountMustMatchItsRecords)
{
    put("a", "spawn 0 0 0 0 enemy1 1000 1000 1 1 1");
    const std::string list = put("maplist", "3\na a 7\na a 14\n");
    checker.checkMapList(list);
    EXPECT_TRUE(has(1, true, "the count says 3 maps but 2 records follow"));
    EXPECT_TRUE(has(3, true, "\"14\" must be a track number from 1 to 13"));

    Checker second;
    put("maplist", "0\n");
    second.checkMapList(dir + "/maplist");
    EXPECT_EQ(second.errorCount(), 1);

    Checker third;
    put("maplist", "1\na missing 3\n");
    third.checkMapList(dir + "/maplist");
    ASSERT_EQ(third.errorCount(), 1);
    EXPECT_NE(third.findings()[0].message.find("\"missing\" not found"), std::string::npos);
}

TEST_F(MapCheck, TheCommandLineSaysWhatItIsAndCountsWarningsOnlyWhenStrict)
{
    const std::string map = put("m", "spawn 0 0 0 0\nenemy1 5000 5000 0 0 0\nplanett 1 2 3 4\n");
    std::string out, err;
    EXPECT_EQ(mapcheck::runCommand({"--help"}, out, err), 0);
    EXPECT_NE(out.find("--strict"), std::string::npos); // help, not a map named "--help"
    out.clear();
    EXPECT_EQ(mapcheck::runCommand({"--version"}, out, err), 0);
    EXPECT_EQ(out.rfind("tether-mapcheck ", 0), 0u);
    EXPECT_EQ(mapcheck::runCommand({map}, out, err), 0); // a warning alone
    EXPECT_EQ(mapcheck::runCommand({"--strict", map}, out, err), 1);
    EXPECT_EQ(mapcheck::runCommand({"--frobnicate", map}, out, err), 2);
    EXPECT_EQ(mapcheck::runCommand({"--strict"}, out, err), 2); // no files
    EXPECT_EQ(mapcheck::runCommand({"--data"}, out, err), 2);
}
