#include "world/sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace tether;

class PositionalSound : public ::testing::Test {
protected:
    std::vector<Uint8> samples = std::vector<Uint8>(22050 * 4 * 2, 0); // two seconds
    Mix_Chunk* chunk = nullptr;
    void SetUp() override
    {
        setUpChannels();
        chunk = Mix_QuickLoad_RAW(samples.data(), static_cast<Uint32>(samples.size()));
        ASSERT_NE(chunk, nullptr);
    }
    void TearDown() override
    {
        Mix_HaltChannel(-1);
        Mix_FreeChunk(chunk);
    }
};

TEST_F(PositionalSound, SourcesAtTheRangeOrBeyondAreNotHeard)
{
    EXPECT_EQ(playSFX(chunk, explodeTag, 0, 1000.0f), -1);
    EXPECT_EQ(Mix_Playing(-1), 0);
    const int channel = playSFX(chunk, explodeTag, 0, 999.9f);
    EXPECT_GE(channel, 33);
    EXPECT_LE(channel, 40);
    EXPECT_EQ(distanceByte(999.9f), 254);
    EXPECT_EQ(distanceByte(0.0f), 0);
}

TEST_F(PositionalSound, EachGroupPlaysOnItsOwnChannels)
{
    EXPECT_EQ(playSFX(chunk, shot1Tag, 5, 10), 4);
    EXPECT_EQ(playSFX(chunk, shot1Tag, 5, 10), 5);
    EXPECT_EQ(playSFX(chunk, collideTag, 5, 10), 21);
    EXPECT_EQ(playSFX(chunk, explodeTag, 5, 10), 33);
}

TEST_F(PositionalSound, AFullGroupCutsOffItsOldestSound)
{
    std::vector<int> used;
    for (int i = 0; i < 17; ++i) {
        used.push_back(playSFX(chunk, shot1Tag, 0, 0));
        SDL_Delay(2); // distinct start times
    }
    EXPECT_EQ(used.front(), 4);
    EXPECT_EQ(used.back(), 20);
    EXPECT_EQ(Mix_GroupAvailable(shot1Tag), -1);
    EXPECT_EQ(playSFX(chunk, shot1Tag, 0, 0), 4);
}

TEST(PanAngle, OnlyTheHorizontalOffsetPansThroughItsArcTangent)
{
    EXPECT_EQ(panAngle(0.0f), 0);
    EXPECT_EQ(panAngle(1.0f), 45);
    EXPECT_EQ(panAngle(10.0f), 84);
    EXPECT_EQ(panAngle(-0.5f), -26); // -26.57 truncated toward zero
    EXPECT_EQ(panAngle(-400.0f), -89);
    EXPECT_EQ(panAngle(1.7320508f), 59); // tan 60 deg in float lies just below it
}

TEST(GameRandom, StaysWithinZeroAndOneAndReachesOne)
{
    std::srand(1234);
    float lowest = 1, highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = tether::drand48();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        ASSERT_GE(r, 0.0f);
        ASSERT_LE(r, 1.0f);
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
}
