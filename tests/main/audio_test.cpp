#include "content/worldinuse.h"
#include "platform/audio.h"
#include "world/events.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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
    static int playingAmong(int first, int last)
    {
        int count = 0;
        for (int channel = first; channel <= last; ++channel)
            count += Mix_Playing(channel) ? 1 : 0;
        return count;
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

// What the mixer sends to each ear, summed while a sound plays.
struct EarLevels {
    double left = 0, right = 0;
};
EarLevels heard;
void listen(void*, Uint8* stream, int bytes)
{
    const Sint16* s = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i + 1 < bytes / 2; i += 2) {
        heard.left += std::abs(s[i]);
        heard.right += std::abs(s[i + 1]);
    }
}

TEST_F(PositionalSound, ASourceLeftOfTheShipIsHeardOnTheLeft)
{
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
    ASSERT_EQ(channels, 2);
    ASSERT_EQ(format, AUDIO_S16SYS);
    for (size_t i = 0; i + 1 < samples.size(); i += 2) { // a steady tone in both ears
        const Sint16 value = (i / 4) % 40 < 20 ? 8000 : -8000;
        std::memcpy(&samples[i], &value, sizeof value);
    }
    for (float dx : {-400.0f, 400.0f}) {
        heard = {};
        Mix_SetPostMix(listen, nullptr);
        ASSERT_NE(playSFX(chunk, explodeTag, dx, 100.0f), -1);
        SDL_Delay(300);
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltChannel(-1);
        ASSERT_GT(heard.left + heard.right, 0) << "the mixer played nothing";
        if (dx < 0)
            EXPECT_GT(heard.left, 2 * heard.right) << "a source on the left sounds on the right";
        else
            EXPECT_GT(heard.right, 2 * heard.left);
    }
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

TEST(CrashVolume, NoDamageReachesTheMixerOutsideItsRange)
{
    EXPECT_EQ(crashVolume(3.5f), 3);
    EXPECT_EQ(crashVolume(1e30f), 128);
    EXPECT_EQ(crashVolume(INFINITY), 128);
    EXPECT_EQ(crashVolume(NAN), 0);
    EXPECT_EQ(crashVolume(-5), 0);
}

// The world's sound events, played by the frame after its steps.
class SoundEvents : public PositionalSound {
protected:
    void SetUp() override
    {
        PositionalSound::SetUp();
        shot1SFX = bfgSFX = collideSFX = explodeSFX = lightningSFX = grappleSFX = chunk;
        clearEvents(world());
    }
    void TearDown() override
    {
        clearEvents(world());
        PositionalSound::TearDown();
        shot1SFX = bfgSFX = collideSFX = explodeSFX = lightningSFX = grappleSFX = nullptr;
    }
};

TEST_F(SoundEvents, EachPlaysOnItsOwnChannelsPlacedAsTheShipHeardIt)
{
    raiseSound(world(), Sound::gunshot, 5, 0, 10);
    raiseSound(world(), Sound::bfgShot, 5, 0, 10);
    raiseSound(world(), Sound::crash, 5, 0, 10, 43.3f); // volume by damage
    raiseSound(world(), Sound::crash, 5, 0, 10, 1e9f);
    raiseSound(world(), Sound::crash, 5, 0, 1000, 50); // out of hearing
    raiseSound(world(), Sound::explosion, 5, 0, 1000);
    raiseSound(world(), Sound::explosion, -5, 0, 999.9f);
    raiseSound(world(), Sound::rightHookLaunch);
    raiseSound(world(), Sound::leftHookLaunch);
    raiseSound(world(), Sound::crackle);
    playSoundEvents();
    EXPECT_EQ(playingAmong(4, 20), 2);
    EXPECT_EQ(playingAmong(21, 32), 2);
    EXPECT_EQ(Mix_Volume(21, -1), 43);
    EXPECT_EQ(Mix_Volume(22, -1), 128);
    EXPECT_EQ(collideChannel, 22);
    EXPECT_EQ(playingAmong(33, 40), 1);
    EXPECT_EQ(playingAmong(1, 3), 3);
    EXPECT_EQ(grappleChannel, 1); // the last launch
}

TEST_F(SoundEvents, TheCrackleWaitsForItsChannel)
{
    std::vector<Uint8> other(4096, 1);
    Mix_Chunk* busy = Mix_QuickLoad_RAW(other.data(), static_cast<Uint32>(other.size()));
    Mix_PlayChannelTimed(lightningChannel, busy, -1, -1);
    raiseSound(world(), Sound::crackle);
    playSoundEvents();
    EXPECT_EQ(Mix_GetChunk(lightningChannel), busy); // not cut off
    Mix_HaltChannel(lightningChannel);
    Mix_FreeChunk(busy);
}
