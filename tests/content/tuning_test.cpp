#include "content/tuning.h"
#include "support/child.h"
#include "support/images.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

using namespace tether;

class DataFile : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        dir = makeTempDir();
        writeTestImage(dir + "/a.bmp", 8, 6);
        writeTestImage(dir + "/b.bmp", 12, 10);
        resetTuning();
    }
    void TearDown() override
    {
        resetTuning();
        removeTree(dir);
    }
    // Reads text as the data file; true when it could be opened.
    bool read(const std::string& text)
    {
        writeFile(dir + "/data", text);
        return readDataFile(dir + "/data");
    }
    std::string img(const char* name) { return dir + "/" + name; }

    static void resetTuning()
    {
        writableTuning().shipRadius = writableTuning().shipMass = writableTuning().shipMaxSpeed
            = writableTuning().shipMaxThrust = writableTuning().shipRotationSpeed = 0;
        writableTuning().shipReloadTime = 0;
        writableTuning().mineRadius = writableTuning().mineMass = writableTuning().mineHealth = 0;
        writableTuning().grapRadius = writableTuning().grapMass = writableTuning().grapSpeed
            = writableTuning().grapMaxDistance = writableTuning().grapNumLinks = 0;
        writableTuning().grapReloadTime = 0;
        writableTuning().planetBaseRadius = writableTuning().sunBaseRadius
            = writableTuning().blackholeBaseRadius = 0;
        std::memset(writableTuning().enRadius, 0, sizeof writableTuning().enRadius);
        std::memset(writableTuning().enHealth, 0, sizeof writableTuning().enHealth);
        std::memset(writableTuning().enReloadTime, 0, sizeof writableTuning().enReloadTime);
        std::memset(writableTuning().turretX, 0, sizeof writableTuning().turretX);
        std::memset(writableTuning().turretY, 0, sizeof writableTuning().turretY);
        for (SDL_Surface** image : {&gHook, &nodeSprite, &planetSprite, &sunSprite}) {
            SDL_FreeSurface(*image);
            *image = nullptr;
        }
        for (SDL_Surface*& image : enemySprites) {
            SDL_FreeSurface(image);
            image = nullptr;
        }
        for (SDL_Surface*& image : turretSprites) {
            SDL_FreeSurface(image);
            image = nullptr;
        }
    }
};

TEST_F(DataFile, ShipRecordFillsTheShipValuesInFileOrder)
{
    ASSERT_TRUE(read("ship 18 100 0.6 0.05 0.004 300\n"));
    EXPECT_EQ(writableTuning().shipRadius, 18);
    EXPECT_EQ(writableTuning().shipMass, 100);
    EXPECT_FLOAT_EQ(writableTuning().shipMaxSpeed, 0.6f);
    EXPECT_FLOAT_EQ(writableTuning().shipMaxThrust, 0.05f);
    EXPECT_FLOAT_EQ(writableTuning().shipRotationSpeed, 0.004f);
    EXPECT_EQ(writableTuning().shipReloadTime, 300);
}

TEST_F(DataFile, EveryRecordReachesItsDestinations)
{
    const std::string text = "mine 24 40 60 enemy1t 36 28 " + img("a.bmp") + "\nenemy2t2 1 2 "
        + img("b.bmp") + " enemy3t 3 4 " + img("a.bmp") + "\nenemy12 40 500 0.2 0.2 0.03 4000 600 "
        + img("b.bmp") + "\nhook 8 1 3 450 10.5 300 " + img("a.bmp") + "\nnode 10 100 1 2 3 4 "
        + img("b.bmp") + "\nplanet 120 " + img("a.bmp") + "\nsun 100 " + img("b.bmp")
        + "\nblackhole 50\n";
    ASSERT_TRUE(read(text));
    EXPECT_EQ(writableTuning().mineRadius, 24);
    EXPECT_EQ(writableTuning().mineHealth, 60);
    EXPECT_EQ(writableTuning().turretX[0], 36);
    EXPECT_EQ(writableTuning().turretY[0], 28);
    ASSERT_NE(turretSprites[0], nullptr);
    EXPECT_EQ(turretSprites[0]->w, 8);
    EXPECT_EQ(writableTuning().turretX[2], 1); // "enemy2t2" is the second gun of class 2
    EXPECT_EQ(turretSprites[1], nullptr);
    ASSERT_NE(turretSprites[2], nullptr);
    EXPECT_EQ(turretSprites[2]->w, 12);
    EXPECT_EQ(writableTuning().turretX[3], 3); // "enemy3t" is mount 3
    EXPECT_EQ(writableTuning().enRadius[11], 40);
    EXPECT_EQ(writableTuning().enReloadTime[11], 4000);
    EXPECT_EQ(writableTuning().enHealth[11], 600);
    ASSERT_NE(enemySprites[11], nullptr);
    EXPECT_EQ(enemySprites[0], nullptr);
    EXPECT_FLOAT_EQ(writableTuning().grapNumLinks, 10.5f); // read as a float
    EXPECT_EQ(writableTuning().grapReloadTime, 300);
    ASSERT_NE(gHook, nullptr);
    EXPECT_EQ(writableTuning().nodeRadius, 10);
    EXPECT_EQ(writableTuning().nodeReloadTime, 4);
    ASSERT_NE(nodeSprite, nullptr);
    EXPECT_EQ(writableTuning().planetBaseRadius, 120);
    EXPECT_EQ(writableTuning().sunBaseRadius, 100);
    ASSERT_NE(sunSprite, nullptr);
    EXPECT_EQ(sunSprite->w, 12);
    EXPECT_EQ(writableTuning().blackholeBaseRadius, 50);
}

TEST_F(DataFile, LaterRecordsReplaceEarlierOnesAndLastLineNeedsNoBreak)
{
    ASSERT_TRUE(
        read("mine 1 2 3\nplanet 5 " + img("a.bmp") + "\nmine 4 5 6\nplanet 7 " + img("b.bmp")));
    EXPECT_EQ(writableTuning().mineRadius, 4);
    EXPECT_EQ(writableTuning().mineHealth, 6);
    EXPECT_EQ(writableTuning().planetBaseRadius, 7);
    ASSERT_NE(planetSprite, nullptr);
    EXPECT_EQ(planetSprite->w, 12);
}

TEST_F(DataFile, UnknownOrWronglyCasedKeywordEndsTheReading)
{
    ASSERT_TRUE(read("mine 1 2 3\nShip 18 100 1 1 1 1\nblackhole 9\n"));
    EXPECT_EQ(writableTuning().mineRadius, 1);
    EXPECT_EQ(writableTuning().shipRadius, 0);
    EXPECT_EQ(writableTuning().blackholeBaseRadius, 0);
}

TEST_F(DataFile, BlackholeTakesOneValueSoAPathAfterItEndsTheReading)
{
    ASSERT_TRUE(read("blackhole 50 " + img("a.bmp") + "\nmine 1 2 3\n"));
    EXPECT_EQ(writableTuning().blackholeBaseRadius, 50);
    EXPECT_EQ(writableTuning().mineRadius, 0);
}

TEST_F(DataFile, AValueThatFailsKeepsItAndTheRestOfTheRecordAndStops)
{
    writableTuning().shipReloadTime = 77;
    ASSERT_TRUE(read("ship 18 100 oops 0.05 0.004 300\nmine 1 2 3\n"));
    EXPECT_EQ(writableTuning().shipRadius, 18);
    EXPECT_EQ(writableTuning().shipMass, 100);
    EXPECT_EQ(writableTuning().shipMaxSpeed, 0);
    EXPECT_EQ(writableTuning().shipMaxThrust, 0);
    EXPECT_EQ(writableTuning().shipReloadTime, 77);
    EXPECT_EQ(writableTuning().mineRadius, 0);
}

TEST_F(DataFile, AFailedValueEmptiesTheImageOfItsRecord)
{
    ASSERT_TRUE(read("planet 120 " + img("a.bmp") + "\n"));
    ASSERT_NE(planetSprite, nullptr);
    ASSERT_TRUE(read("planet x " + img("b.bmp") + "\n"));
    EXPECT_EQ(writableTuning().planetBaseRadius, 120);
    EXPECT_EQ(planetSprite, nullptr);
}

TEST_F(DataFile, EndOfFileInsideARecordKeepsWhatWasRead)
{
    ASSERT_TRUE(read("enemy3 30 200"));
    EXPECT_EQ(writableTuning().enRadius[2], 30);
    EXPECT_EQ(writableTuning().enHealth[2], 0);
    EXPECT_EQ(enemySprites[2], nullptr);
}

TEST_F(DataFile, MissingImageLeavesTheEntryEmpty)
{
    ASSERT_TRUE(read("sun 100 " + img("nothing-here.png") + "\n"));
    EXPECT_EQ(writableTuning().sunBaseRadius, 100);
    EXPECT_EQ(sunSprite, nullptr);
}

TEST_F(DataFile, EmptyFileSetsNothing)
{
    ASSERT_TRUE(read(""));
    EXPECT_EQ(writableTuning().shipRadius, 0);
    EXPECT_EQ(writableTuning().mineRadius, 0);
}

// A data file that is a folder or an endless device is refused at once, as a
// missing one is: a folder read as nothing, /dev/zero was read for ever.
TEST_F(DataFile, AFolderOrAnEndlessDeviceIsRefusedAtOnceLikeAMissingFile)
{
    EXPECT_FALSE(readDataFile(dir));
    const std::string game = makeTempDir();
    ASSERT_EQ(symlink("/dev/zero", (game + "/data").c_str()), 0);
    const ChildResult result
        = runInChildFor([] { std::fputs(loadGameData().c_str(), stdout); }, 5000, game);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.output, "Error opening data");

    // An image that is a pipe is no image; it does not hold the game up.
    ASSERT_EQ(mkfifo((game + "/pipe.png").c_str(), 0600), 0);
    const std::string data = dir + "/data";
    writeFile(data, "planet 120 " + game + "/pipe.png\nsun 100 " + img("a.bmp") + "\n");
    const ChildResult piped = runInChildFor(
        [&] {
            const bool read = readDataFile(data);
            std::printf("%d %d", read, planetSprite == nullptr && sunSprite);
        },
        5000);
    removeTree(game);
    EXPECT_FALSE(piped.timedOut);
    EXPECT_EQ(piped.output, "1 1");
}

TEST_F(DataFile, MissingFileIsTheErrorTheGameEndsWith)
{
    EXPECT_FALSE(readDataFile(dir + "/no-such-file"));
    const std::string empty = makeTempDir();
    char cwd[4096] = {};
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(empty.c_str()), 0);
    const std::string message = loadGameData();
    ASSERT_EQ(chdir(cwd), 0);
    removeTree(empty);
    EXPECT_EQ(message, "Error opening data");
}
