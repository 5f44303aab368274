// The synthesis building blocks, measured against what they promise: the
// limiter's ceiling, the loudness meter's calibration, filters that pass and
// stop what they should, envelopes without steps, effects that die away.
#include <gtest/gtest.h>

#include <cmath>

#include "dsp.h"
#include "instruments.h"
#include "rng.h"

namespace {

Stereo sine(float hz, float amplitude, float seconds, bool rightToo)
{
    Stereo s(size_t(seconds * kSampleRate));
    for (size_t i = 0; i < s.frames(); ++i) {
        float v = amplitude * std::sin(2.0f * kPi * hz * float(i) / kSampleRate);
        s.left[i] = v;
        s.right[i] = rightToo ? v : 0.0f;
    }
    return s;
}

float levelDb(const Buffer& b, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += double(b[i]) * b[i];
    return gainToDb(float(std::sqrt(sum / double(to - from))));
}

TEST(Limiter, HoldsEveryPeakUnderTheCeiling)
{
    Rng rng(1);
    Stereo s(kSampleRate * 2);
    for (size_t i = 0; i < s.frames(); ++i) {
        s.left[i] = 0.5f * rng.noise();
        s.right[i] = 0.5f * rng.noise();
        if (i % 5000 == 0)
            s.left[i] = 3.0f; // isolated spikes, far over
    }
    limitPeaks(s, 0.8f, 0.05f);
    EXPECT_LE(peakOf(s.left), 0.8f + 1e-5f);
    EXPECT_LE(peakOf(s.right), 0.8f + 1e-5f);
}

TEST(Limiter, LeavesASignalUnderTheCeilingUntouched)
{
    Stereo s = sine(440.0f, 0.5f, 1.0f, true);
    Stereo original = s;
    limitPeaks(s, 0.8f, 0.05f);
    EXPECT_EQ(s.left, original.left);
    EXPECT_EQ(s.right, original.right);
}

TEST(Limiter, RecoversSoonAfterAPeak)
{
    Stereo s = sine(440.0f, 0.5f, 1.0f, true);
    s.left[kSampleRate / 4] = 4.0f;
    limitPeaks(s, 0.8f, 0.05f);
    // Half a second later the gain is back: the sine is at its old level.
    size_t later = kSampleRate * 3 / 4;
    EXPECT_NEAR(levelDb(s.right, later, later + 2205), gainToDb(0.5f / std::sqrt(2.0f)), 0.1f);
}

// The meter's reference: a full-scale 1 kHz sine in one channel reads
// -3.01 LUFS.
TEST(Loudness, FullScaleSineInOneChannelReadsMinusThree)
{
    EXPECT_NEAR(integratedLoudness(sine(997.0f, 1.0f, 5.0f, false)), -3.01, 0.3);
}

TEST(Loudness, FollowsLevelDecibelForDecibel)
{
    double loud = integratedLoudness(sine(500.0f, 0.5f, 5.0f, true));
    double quiet = integratedLoudness(sine(500.0f, 0.5f * dbToGain(-10.0f), 5.0f, true));
    EXPECT_NEAR(loud - quiet, 10.0, 0.05);
}

// Long silences (between sections, at the end) must not drag a track's
// reading down, or quiet-ending tracks would be pushed too loud.
TEST(Loudness, GatesOutSilence)
{
    Stereo tone = sine(500.0f, 0.3f, 5.0f, true);
    Stereo padded = tone;
    padded.left.resize(tone.frames() * 3, 0.0f);
    padded.right.resize(tone.frames() * 3, 0.0f);
    EXPECT_NEAR(integratedLoudness(padded), integratedLoudness(tone), 0.2);
}

TEST(Loudness, WeighsDeepBassLessThanMidrange)
{
    double bass = integratedLoudness(sine(40.0f, 0.5f, 5.0f, true));
    double mid = integratedLoudness(sine(1000.0f, 0.5f, 5.0f, true));
    EXPECT_LT(bass, mid - 1.0);
}

TEST(Filters, LowpassPassesBassAndStopsTreble)
{
    auto throughLowpass = [](float hz) {
        Svf f;
        f.set(1000.0f, 0.7071f);
        Osc osc;
        Buffer out(kSampleRate);
        for (float& s : out) {
            f.process(osc.step(Wave::sine, hz));
            s = f.low;
        }
        return levelDb(out, kSampleRate / 2, out.size()) - gainToDb(1.0f / std::sqrt(2.0f));
    };
    EXPECT_NEAR(throughLowpass(100.0f), 0.0f, 0.5f);
    EXPECT_NEAR(throughLowpass(1000.0f), -3.0f, 0.6f);
    EXPECT_LT(throughLowpass(6000.0f), -25.0f);
}

TEST(Filters, DcBlockRemovesAnOffset)
{
    Buffer b(kSampleRate * 2, 0.5f);
    dcBlock(b, 28.0f);
    double mean = 0.0;
    for (size_t i = kSampleRate; i < b.size(); ++i)
        mean += b[i];
    EXPECT_NEAR(mean / kSampleRate, 0.0, 1e-3);
}

TEST(Oscillators, BandLimitedWavesStayInRangeAndCentred)
{
    for (Wave wave : {Wave::saw, Wave::square, Wave::pulse25, Wave::triangle}) {
        Osc osc;
        double sum = 0.0;
        float peak = 0.0f;
        for (int i = 0; i < kSampleRate; ++i) {
            float v = osc.step(wave, 2000.0f);
            sum += v;
            peak = std::max(peak, std::fabs(v));
        }
        EXPECT_LT(peak, 1.3f) << int(wave);
        // The 25% pulse carries its duty cycle's offset: -0.5 on average.
        EXPECT_NEAR(sum / kSampleRate, wave == Wave::pulse25 ? -0.5 : 0.0, 0.02) << int(wave);
    }
}

TEST(Envelope, HasNoStepWhenTheKeyIsReleased)
{
    Adsr env {0.01f, 0.2f, 0.6f, 0.3f};
    float gate = 0.5f, tick = 1.0f / kSampleRate;
    EXPECT_NEAR(env.value(gate - tick, gate), env.value(gate + tick, gate), 0.01f);
    EXPECT_NEAR(env.value(env.attack, gate), 1.0f, 0.01f);
    EXPECT_LT(env.value(env.length(gate), gate), 0.01f)
        << "still sounding when the note's voice stops";
}

TEST(Envelope, ReleaseFromAnUnfinishedAttackStartsWhereItWas)
{
    Adsr env {0.2f, 0.2f, 0.6f, 0.3f};
    float gate = 0.05f; // let go a quarter of the way up
    EXPECT_NEAR(env.value(gate + 0.001f, gate), 0.25f, 0.02f);
}

TEST(Reverb, ImpulseRingsThenDiesAway)
{
    Stereo impulse(kSampleRate * 8), wet(kSampleRate * 8);
    impulse.left[0] = 1.0f;
    Reverb(0.9f, 0.5f).process(impulse, wet);
    float early = levelDb(wet.left, 0, kSampleRate / 2);
    float late = levelDb(wet.left, kSampleRate * 7, kSampleRate * 8);
    EXPECT_GT(early, -80.0f) << "no reverb at all";
    EXPECT_LT(late, early - 50.0f) << "the tail does not die away";
    EXPECT_GT(levelDb(wet.right, 0, kSampleRate / 2), -80.0f) << "the room should reach both sides";
}

TEST(Delay, EchoesCrossFromSideToSide)
{
    float seconds = 0.25f;
    Stereo send(kSampleRate * 2), echo(kSampleRate * 2);
    send.left[0] = send.right[0] = 1.0f;
    pingPongDelay(send, echo, seconds, 0.5f, 10000.0f);
    size_t gap = size_t(seconds * kSampleRate);
    auto energyNear = [&](const Buffer& b, size_t at) {
        float e = 0.0f;
        for (size_t i = at; i < at + 50 && i < b.size(); ++i)
            e += std::fabs(b[i]);
        return e;
    };
    EXPECT_GT(energyNear(echo.left, gap), 0.5f);
    EXPECT_LT(energyNear(echo.right, gap), 1e-3f);
    EXPECT_GT(energyNear(echo.right, 2 * gap), 0.2f);
    EXPECT_LT(energyNear(echo.right, 2 * gap), energyNear(echo.left, gap)) << "repeats must fade";
}

TEST(Rng, SameSeedSameSequenceOtherSeedAnother)
{
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        double x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        differs = differs || x != c.uniform();
    }
    EXPECT_TRUE(differs);
}

} // namespace

namespace {

// Drum hits are pre-rendered to fixed lengths and dropped into the mix: one
// still sounding at its cut would click on every beat of every track.
TEST(DrumKit, EveryHitEndsInSilence)
{
    Rng rng(7);
    for (const Song& song : allSongs()) {
        DrumKit kit = makeDrumKit(song.kit, rng);
        for (int kind = 0; kind < drumKinds; ++kind) {
            const Buffer& hit = kit.hits[size_t(kind)];
            ASSERT_GT(hit.size(), size_t(kSampleRate / 50));
            Buffer tail(hit.end() - kSampleRate / 200, hit.end());
            EXPECT_LT(peakOf(tail), 0.01f * peakOf(hit)) << song.path << " drum " << kind;
        }
    }
}

} // namespace
