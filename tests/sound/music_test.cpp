// The thirteen music tracks as the game plays them: each opens as music, runs
// 90 to 180 seconds, sits at the common level with headroom for the effects,
// develops through louder and quieter sections, and is its own piece.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sound/audio_probe.h"

namespace {

constexpr int kTracks = 13;
constexpr float kCeiling = 0.89f; // -1 dBFS: nothing louder may reach the mixer
constexpr float kLoudestRmsDb = -16.0f; // louder music would bury the effects
constexpr float kQuietestRmsDb = -26.0f;
constexpr float kLevelSpreadDb = 3.0f; // between the loudest and quietest track
constexpr double kEndingSeconds = 6.0; // the closing chord fades out here

std::string trackPath(int number)
{
    return "music/track" + std::to_string(number) + ".ogg";
}

class Music : public ::testing::Test {
protected:
    // Decoding all thirteen takes a few seconds: do it once for the suite.
    static void SetUpTestSuite()
    {
        tracks = new std::vector<Decoded>;
        for (int n = 1; n <= kTracks; ++n)
            tracks->push_back(decodeFile(gameFile(trackPath(n))));
    }
    static void TearDownTestSuite()
    {
        delete tracks;
        tracks = nullptr;
    }
    void SetUp() override
    {
        for (int n = 1; n <= kTracks; ++n)
            ASSERT_TRUE(track(n).loaded) << trackPath(n);
    }
    static const Decoded& track(int number) { return (*tracks)[size_t(number - 1)]; }
    // RMS in dB of consecutive windows, leaving out the faded ending.
    static std::vector<float> windowLevels(const Decoded& d, double seconds)
    {
        size_t window = size_t(seconds * kMixRate);
        size_t end = d.left.size() - size_t(kEndingSeconds * kMixRate);
        std::vector<float> levels;
        for (size_t from = 0; from + window <= end; from += window)
            levels.push_back(toDb(rmsLevel(d.left, from, from + window)));
        return levels;
    }
    static std::vector<Decoded>* tracks;
};

std::vector<Decoded>* Music::tracks = nullptr;

TEST_F(Music, EveryTrackOpensAndPlaysAsMusic)
{
    for (int n = 1; n <= kTracks; ++n) {
        Mix_Music* music = Mix_LoadMUS(gameFile(trackPath(n)).c_str());
        ASSERT_NE(music, nullptr) << trackPath(n) << ": " << Mix_GetError();
        EXPECT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
        EXPECT_TRUE(Mix_PlayingMusic());
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }
}

TEST_F(Music, EveryTrackLastsNinetyToOneHundredEightySeconds)
{
    for (int n = 1; n <= kTracks; ++n) {
        EXPECT_GE(track(n).seconds(), 90.0) << trackPath(n);
        EXPECT_LE(track(n).seconds(), 180.0) << trackPath(n);
    }
}

TEST_F(Music, EveryTrackIsRealStereo)
{
    for (int n = 1; n <= kTracks; ++n) {
        const Decoded& d = track(n);
        std::vector<float> side(d.left.size());
        for (size_t i = 0; i < side.size(); ++i)
            side[i] = d.left[i] - d.right[i];
        EXPECT_GT(rmsLevel(side), 0.05f * rmsLevel(d.left)) << trackPath(n);
    }
}

TEST_F(Music, LevelsLeaveHeadroomAndMatchAcrossTracks)
{
    float loudest = -100.0f, quietest = 0.0f;
    for (int n = 1; n <= kTracks; ++n) {
        const Decoded& d = track(n);
        EXPECT_LT(std::max(peakLevel(d.left), peakLevel(d.right)), kCeiling) << trackPath(n);
        float level = toDb((rmsLevel(d.left) + rmsLevel(d.right)) * 0.5f);
        EXPECT_LT(level, kLoudestRmsDb) << trackPath(n);
        EXPECT_GT(level, kQuietestRmsDb) << trackPath(n);
        loudest = std::max(loudest, level);
        quietest = std::min(quietest, level);
    }
    EXPECT_LT(loudest - quietest, kLevelSpreadDb);
}

// Sections that build and break down show as a real difference between the
// quietest and loudest stretches; a flat loop would fail this.
TEST_F(Music, SectionsRiseAndFall)
{
    for (int n = 1; n <= kTracks; ++n) {
        std::vector<float> levels = windowLevels(track(n), 4.0);
        auto [low, high] = std::minmax_element(levels.begin(), levels.end());
        EXPECT_GT(*high - *low, 4.0f) << trackPath(n);
    }
}

TEST_F(Music, NeverFallsSilentBeforeTheEnd)
{
    for (int n = 1; n <= kTracks; ++n) {
        std::vector<float> levels = windowLevels(track(n), 2.0);
        EXPECT_GT(*std::min_element(levels.begin(), levels.end()), -45.0f) << trackPath(n);
    }
}

// A track copied, or rendered from the same material, correlates strongly
// with another; distinct pieces don't.
TEST_F(Music, TracksDifferFromEachOther)
{
    size_t span = size_t(30.0 * kMixRate), from = size_t(20.0 * kMixRate);
    for (int a = 1; a <= kTracks; ++a)
        for (int b = a + 1; b <= kTracks; ++b) {
            const std::vector<float>& x = track(a).left;
            const std::vector<float>& y = track(b).left;
            double xy = 0.0, xx = 0.0, yy = 0.0;
            for (size_t i = from; i < from + span; ++i) {
                xy += double(x[i]) * y[i];
                xx += double(x[i]) * x[i];
                yy += double(y[i]) * y[i];
            }
            EXPECT_LT(std::fabs(xy) / std::sqrt(xx * yy), 0.5)
                << trackPath(a) << " vs " << trackPath(b);
            EXPECT_NE(readBytes(gameFile(trackPath(a))), readBytes(gameFile(trackPath(b))));
        }
}

} // namespace
