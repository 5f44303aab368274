// The generator itself: the same files byte for byte on every run, and a
// clear refusal of names it doesn't know.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "sound/audio_probe.h"
#include "support/child.h"

namespace {

// One of each kind of job: a plain effect, the crossfaded loop, a song.
const char* const kSample[] = {"sounds/Vqexplode.wav", "sounds/VqThrust.wav", "music/track7.ogg"};

int runSoundgen(const std::string& outDir, const std::string& files, const std::string& options = "")
{
    std::string command = std::string("'") + TETHER_SOUNDGEN + "' " + options + " '" + outDir + "' "
        + files + " > /dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Soundgen : public ::testing::Test {
protected:
    void SetUp() override
    {
        first = makeTempDir();
        second = makeTempDir();
        ASSERT_FALSE(first.empty());
        ASSERT_FALSE(second.empty());
    }
    void TearDown() override
    {
        removeTree(first);
        removeTree(second);
    }
    std::string first, second;
};

TEST_F(Soundgen, TwoRunsWriteIdenticalFiles)
{
    std::string files;
    for (const char* f : kSample)
        files += std::string(f) + " ";
    ASSERT_EQ(runSoundgen(first, files), 0);
    ASSERT_EQ(runSoundgen(second, files), 0);
    for (const char* f : kSample) {
        std::string a = readBytes(first + "/" + f), b = readBytes(second + "/" + f);
        EXPECT_FALSE(a.empty()) << f;
        EXPECT_TRUE(a == b) << f << " differs between two runs";
    }
}

TEST_F(Soundgen, WritesOnlyTheFilesAskedFor)
{
    ASSERT_EQ(runSoundgen(first, "sounds/VqGrapple.wav"), 0);
    EXPECT_TRUE(std::filesystem::exists(first + "/sounds/VqGrapple.wav"));
    EXPECT_FALSE(std::filesystem::exists(first + "/sounds/VqBfg.wav"));
    EXPECT_FALSE(std::filesystem::exists(first + "/music/track1.ogg"));
}

TEST_F(Soundgen, RefusesUnknownNamesAndWritesNothing)
{
    EXPECT_EQ(runSoundgen(first, "sounds/VqGrapple.wav sounds/NoSuchSound.wav"), 2);
    EXPECT_FALSE(std::filesystem::exists(first + "/sounds/VqGrapple.wav"));
}

// The web page streams its music: the same track, the same length, mixed
// to mono in a third of the game's bytes; the page gets no effects from it.
TEST_F(Soundgen, WebMusicIsTheSameTrackInAThirdOfTheBytes)
{
    EXPECT_EQ(runSoundgen(first, "sounds/VqGrapple.wav", "--web"), 2);
    ASSERT_EQ(runSoundgen(first, "music/track7.ogg", "--web"), 0);
    const std::string web = first + "/music/track7.ogg";
    const std::string game = gameFile("music/track7.ogg");
    EXPECT_FALSE(std::filesystem::exists(first + "/sounds"));
    EXPECT_LT(readBytes(web).size() * 3, readBytes(game).size() + readBytes(game).size() / 10);
    Decoded light = decodeFile(web), full = decodeFile(game);
    ASSERT_TRUE(light.loaded && full.loaded);
    EXPECT_NEAR(light.seconds(), full.seconds(), 0.05);
    EXPECT_TRUE(light.left == light.right) << "mono";
    // Mixed down at half of each side: the level of the two sides together.
    EXPECT_NEAR(toDb(rmsLevel(light.left)), toDb(rmsLevel(full.left) + rmsLevel(full.right)) - 6, 3);
}

TEST_F(Soundgen, FailsWhenItCannotWrite)
{
    writeFile(first + "/blocker", "a file where the output folder should go");
    EXPECT_EQ(runSoundgen(first + "/blocker", "sounds/VqGrapple.wav"), 1);
}

} // namespace
