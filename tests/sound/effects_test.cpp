// The eight sound effects as the game loads them: each loads, has a
// sensible length, a healthy level under full scale, starts on its event and
// ends without a click; the engine loop joins end to start unheard.
#include <gtest/gtest.h>

#include <cmath>

#include "sound/audio_probe.h"

namespace {

struct EffectCase {
    const char* path;
    double minSeconds, maxSeconds;
    bool loops;
};

const EffectCase kEffects[] = {
    {"sounds/Vqmachinesgunshot.wav", 0.08, 0.4, false}, // short: volleys of many
    {"sounds/VqGrapple.wav", 0.2, 1.0, false},
    {"sounds/VqCollide.wav", 0.2, 1.2, false},
    {"sounds/VqThrust.wav", 0.5, 4.0, true},
    {"sounds/VqBfg.wav", 0.5, 2.5, false},
    {"sounds/Vqexplode.wav", 1.0, 3.5, false},
    {"sounds/Vqlightning.wav", 0.3, 1.5, false},
    {"sounds/VqWarning.wav", 0.25, 0.6, false}, // over before it repeats
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const EffectCase& effect, std::ostream* out)
{
    *out << effect.path;
}

constexpr float kFullScale = 0.97f; // a sample this high is clipping or about to
constexpr float kFaintPeak = 0.25f; // quieter than this gets lost under the music
constexpr double kOnsetSeconds = 0.015;

class SoundEffect : public ::testing::TestWithParam<EffectCase> {
protected:
    void SetUp() override { sound = decodeFile(gameFile(GetParam().path)); }
    Decoded sound;
};

TEST_P(SoundEffect, LoadsWithTheMixerAtItsLength)
{
    ASSERT_TRUE(sound.loaded) << GetParam().path;
    EXPECT_GE(sound.seconds(), GetParam().minSeconds);
    EXPECT_LE(sound.seconds(), GetParam().maxSeconds);
}

TEST_P(SoundEffect, PeaksBelowFullScaleYetIsNotFaint)
{
    ASSERT_TRUE(sound.loaded);
    EXPECT_LT(peakLevel(sound.left), kFullScale);
    EXPECT_GT(peakLevel(sound.left), kFaintPeak);
}

TEST_P(SoundEffect, SoundsTheMomentItIsPlayed)
{
    ASSERT_TRUE(sound.loaded);
    float threshold = 0.1f * peakLevel(sound.left);
    size_t onset = 0;
    while (onset < sound.left.size() && std::fabs(sound.left[onset]) < threshold)
        ++onset;
    EXPECT_LT(double(onset) / kMixRate, kOnsetSeconds);
}

// Everything but the engine loop, which ends where it starts again.
std::vector<EffectCase> oneShots()
{
    std::vector<EffectCase> out;
    for (const EffectCase& e : kEffects)
        if (!e.loops)
            out.push_back(e);
    return out;
}

class OneShot : public SoundEffect { };

TEST_P(OneShot, EndsInSilence)
{
    ASSERT_TRUE(sound.loaded);
    size_t tail = kMixRate / 200; // the last 5 ms
    std::vector<float> end(sound.left.end() - long(tail), sound.left.end());
    EXPECT_LT(peakLevel(end), 0.02f) << "cut off mid-sound: the mixer would click";
}

std::string effectName(const ::testing::TestParamInfo<EffectCase>& info)
{
    std::string name = info.param.path;
    name = name.substr(name.find('/') + 3); // drop "sounds/Vq"
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Game, SoundEffect, ::testing::ValuesIn(kEffects), effectName);
INSTANTIATE_TEST_SUITE_P(Game, OneShot, ::testing::ValuesIn(oneShots()), effectName);

// The game scales the impact by the damage, down to very quiet: the hull's
// ring must sit in the mids, where a quiet sound is still heard, rather
// than being all low thud.
TEST(Collide, CarriesMidrangeThatSurvivesLowVolume)
{
    Decoded hit = decodeFile(gameFile("sounds/VqCollide.wav"));
    ASSERT_TRUE(hit.loaded);
    std::vector<float> upper(hit.left.size());
    float low = 0.0f, coef = 1.0f - std::exp(-2.0f * 3.14159265f * 250.0f / kMixRate);
    for (size_t i = 0; i < hit.left.size(); ++i) {
        low += coef * (hit.left[i] - low);
        upper[i] = hit.left[i] - low;
    }
    EXPECT_GT(rmsLevel(upper) / rmsLevel(hit.left), 0.35f);
}

class ThrustLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        Decoded d = decodeFile(gameFile("sounds/VqThrust.wav"));
        ASSERT_TRUE(d.loaded);
        loop = d.left;
    }
    // The loop as it plays: index i wraps round to the start.
    float at(size_t i) const { return loop[i % loop.size()]; }
    std::vector<float> loop;
};

TEST_F(ThrustLoop, EndJoinsStartWithoutAJump)
{
    double sum = 0.0;
    float largest = 0.0f;
    for (size_t i = 0; i + 1 < loop.size(); ++i) {
        float step = std::fabs(loop[i + 1] - loop[i]);
        sum += double(step) * step;
        largest = std::max(largest, step);
    }
    float typical = float(std::sqrt(sum / double(loop.size() - 1)));
    float seam = std::fabs(loop.front() - loop.back());
    EXPECT_LT(seam, 3.0f * typical);
    EXPECT_LE(seam, largest);
}

// Listening for the seam: neither the level nor the brightness (the size of
// sample-to-sample steps) may change around the join, as a crossfade that
// dipped or a click would.
TEST_F(ThrustLoop, LevelAndBrightnessHoldAcrossTheSeam)
{
    size_t window = kMixRate / 10, n = loop.size();
    auto level = [&](size_t from) {
        double sum = 0.0;
        for (size_t i = from; i < from + window; ++i)
            sum += double(at(i)) * at(i);
        return float(std::sqrt(sum / double(window)));
    };
    auto brightness = [&](size_t from) {
        double sum = 0.0;
        for (size_t i = from; i < from + window; ++i) {
            float d = at(i + 1) - at(i);
            sum += double(d) * d;
        }
        return float(std::sqrt(sum / double(window)));
    };
    float overallLevel = 0.0f, overallBright = 0.0f;
    size_t windows = 0;
    for (size_t from = 0; from < n; from += window / 2, ++windows) {
        overallLevel += level(from);
        overallBright += brightness(from);
    }
    overallLevel /= float(windows);
    overallBright /= float(windows);
    size_t acrossSeam = n - window / 2;
    EXPECT_NEAR(toDb(level(acrossSeam)), toDb(overallLevel), 3.0f);
    EXPECT_NEAR(toDb(brightness(acrossSeam)), toDb(overallBright), 3.0f);
    for (size_t from = 0; from < n; from += window / 2)
        EXPECT_NEAR(toDb(level(from)), toDb(overallLevel), 4.0f)
            << "at " << double(from) / kMixRate << " s";
}

} // namespace
