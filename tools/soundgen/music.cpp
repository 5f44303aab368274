// Mixing a song: every part of the score through its instrument into the
// buses, the buses through the reverb and the echo, and the master stage
// that brings every track to the same loudness under the same ceiling.
#include "music.h"

#include "compose.h"
#include "instruments.h"
#include "rng.h"

namespace {

constexpr double kTailSeconds = 3.0;     // the last chord and the reverb ring out
constexpr float kEndFadeSeconds = 2.0f;  // ...and fade to nothing
constexpr float kSubsonicHz = 28.0f;
constexpr float kEchoToneHz = 3500.0f;
constexpr float kEchoIntoReverb = 0.3f;   // echoes get a little room too
constexpr float kLimiterRelease = 0.08f;  // seconds
constexpr float kDrumGain = 0.55f;

int totalBars(const Song& song)
{
    int bars = 0;
    for (const Section& s : song.sections)
        bars += s.bars;
    return bars;
}

void renderPart(const Patch& patch, const std::vector<NoteEvent>& notes, Buses& buses, Rng& rng)
{
    for (const NoteEvent& n : notes)
        renderNote(patch, n, buses, rng);
}

} // namespace

double songSeconds(const Song& song) { return (totalBars(song) + 1) * barSeconds(song) + kTailSeconds; }

Stereo renderSong(const Song& song)
{
    Score score = compose(song);
    size_t frames = size_t(songSeconds(song) * kSampleRate);
    Buses buses(frames);
    Rng rng(song.seed * 7 + 3);
    renderPart(song.pad, score.pad, buses, rng);
    renderPart(song.bass, score.bass, buses, rng);
    renderPart(song.arp, score.arp, buses, rng);
    renderPart(song.lead, score.lead, buses, rng);
    renderPart(song.bell, score.bell, buses, rng);
    DrumKit kit = makeDrumKit(song.kit, rng);
    for (const DrumHit& hit : score.drums)
        renderDrumHit(kit, hit, kDrumGain, buses);
    for (const Riser& riser : score.risers)
        renderRiser(riser, buses, rng);

    Stereo echo(frames);
    pingPongDelay(buses.delay, echo, float(song.delayBeats * 60.0 / song.bpm), song.delayFeedback, kEchoToneHz);
    for (size_t i = 0; i < frames; ++i) {
        buses.reverb.left[i] += echo.left[i] * kEchoIntoReverb;
        buses.reverb.right[i] += echo.right[i] * kEchoIntoReverb;
    }
    Stereo wet(frames);
    Reverb(song.reverbRoom, song.reverbDamp).process(buses.reverb, wet);

    Stereo mix(frames);
    for (size_t i = 0; i < frames; ++i) {
        mix.left[i] = buses.dry.left[i] + wet.left[i] * song.reverbReturn + echo.left[i] * song.delayReturn;
        mix.right[i] = buses.dry.right[i] + wet.right[i] * song.reverbReturn + echo.right[i] * song.delayReturn;
    }
    dcBlock(mix.left, kSubsonicHz);
    dcBlock(mix.right, kSubsonicHz);
    size_t fade = size_t(kEndFadeSeconds * kSampleRate);
    for (size_t i = 0; i < fade; ++i) {
        float g = float(i) / float(fade);
        mix.left[frames - 1 - i] *= g * g;
        mix.right[frames - 1 - i] *= g * g;
    }

    float gain = dbToGain(kMusicLoudnessLufs - float(integratedLoudness(mix)));
    scale(mix.left, gain);
    scale(mix.right, gain);
    limitPeaks(mix, kMusicCeiling, kLimiterRelease);
    return mix;
}
