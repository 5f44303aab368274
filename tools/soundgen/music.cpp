// Mixing a song: every part of the score through its instrument into the
// buses, the buses through the reverb and the echo, and the master stage
// that brings every track to the same loudness under the same ceiling.
#include "music.h"

#include "compose.h"
#include "instruments.h"
#include "rng.h"

#include <algorithm>

namespace {

constexpr double kTailSeconds = 3.0; // the last chord and the reverb ring out
constexpr float kEndFadeSeconds = 2.0f; // ...and fade to nothing
constexpr float kSubsonicHz = 28.0f;
constexpr float kEchoToneHz = 3500.0f;
constexpr float kEchoIntoReverb = 0.3f; // echoes get a little room too
constexpr float kLimiterRelease = 0.08f; // seconds

int totalBars(const Song& song)
{
    int bars = 0;
    for (const Section& s : song.sections)
        bars += s.bars;
    return bars;
}

// Where each part sits in the mix: the level of its dry signal while it
// plays, in dB of full scale before the master stage. The lead sings over
// everything; pads and arps are the bed beneath it.
constexpr float kLeadLevel = -19.0f;
constexpr float kBassLevel = -21.0f;
constexpr float kDrumLevel = -17.0f;
constexpr float kPadLevel = -24.0f;
constexpr float kArpLevel = -25.5f;
constexpr float kBellLevel = -24.5f; // they carry the theme through breakdowns
constexpr float kStabLevel = -25.0f;

// Level of a part while it plays: the power of the half-second windows in
// which it sounds at all, so rests and silent sections don't count.
float playingLevel(const Stereo& part)
{
    constexpr float kAudibleDb = -60.0f;
    size_t window = kSampleRate / 2;
    double sum = 0.0;
    size_t counted = 0;
    for (size_t from = 0; from + window <= part.frames(); from += window) {
        double power = 0.0;
        for (size_t i = from; i < from + window; ++i)
            power += double(part.left[i]) * part.left[i] + double(part.right[i]) * part.right[i];
        power /= 2.0 * window;
        if (10.0 * std::log10(power + 1e-30) > kAudibleDb) {
            sum += power;
            ++counted;
        }
    }
    return counted ? float(10.0 * std::log10(sum / counted)) : -200.0f;
}

// The pump's gain over the whole song: a dip at every kick, a quick fall
// into it (so it doesn't click) and an exponential climb back out.
Buffer pumpEnvelope(const Song& song, const std::vector<DrumHit>& drums, size_t frames)
{
    constexpr float kFallSeconds = 0.004f;
    Buffer gain(frames, 1.0f);
    if (song.pump.depth <= 0.0f)
        return gain;
    size_t fall = size_t(kFallSeconds * kSampleRate);
    size_t span = size_t(song.pump.release * 5.0f * kSampleRate);
    for (const DrumHit& hit : drums) {
        if (hit.kind != drumKick)
            continue;
        size_t at = size_t(std::max(0.0, hit.time) * kSampleRate);
        for (size_t i = 0; i < span && at + i < frames; ++i) {
            float t = float(i) / kSampleRate;
            float dip = song.pump.depth * hit.velocity * std::exp(-t / song.pump.release);
            if (i < fall)
                dip *= float(i) / float(fall);
            gain[at + i] = std::min(gain[at + i], 1.0f - dip);
        }
    }
    return gain;
}

// Adds a part, rendered on its own buses, into the song's buses at the
// part's place in the mix (ducked by `pump` when given), then clears its
// buses for the next part.
void mixPart(Buses& part, float targetDb, Buses& song, const Buffer* pump = nullptr)
{
    float level = playingLevel(part.dry);
    float gain = level > -150.0f ? dbToGain(targetDb - level) : 0.0f;
    Stereo* from[] = {&part.dry, &part.reverb, &part.delay};
    Stereo* to[] = {&song.dry, &song.reverb, &song.delay};
    for (int b = 0; b < 3; ++b) {
        for (size_t i = 0; i < from[b]->frames(); ++i) {
            float g = pump ? gain * (*pump)[i] : gain;
            to[b]->left[i] += from[b]->left[i] * g;
            to[b]->right[i] += from[b]->right[i] * g;
        }
        std::fill(from[b]->left.begin(), from[b]->left.end(), 0.0f);
        std::fill(from[b]->right.begin(), from[b]->right.end(), 0.0f);
    }
}

void renderPart(const Patch& patch, const std::vector<NoteEvent>& notes, float targetDb,
    Buses& part, Buses& song, Rng& rng, const Buffer* pump = nullptr)
{
    for (const NoteEvent& n : notes)
        renderNote(patch, n, part, rng);
    mixPart(part, targetDb, song, pump);
}

// Lifts quiet stretches (intros, breakdowns) part of the way towards the
// song's full sections, slowly, like a mix engineer riding the fader: under
// a game's explosions a ten-decibel breakdown would sound like the music
// stopped. Loud sections are left alone.
void rideQuietSections(Stereo& mix)
{
    constexpr float kHopSeconds = 0.25f, kWindowSeconds = 1.0f;
    constexpr float kQuietBelowDb = 4.0f; // under the song's loud level
    constexpr float kLiftFraction = 0.5f; // of the distance beyond that
    constexpr float kMostLiftDb = 5.0f;
    constexpr float kRideSeconds = 1.5f; // how slowly the fader moves
    size_t hop = size_t(kHopSeconds * kSampleRate), window = size_t(kWindowSeconds * kSampleRate);
    size_t hops = mix.frames() / hop + 1;
    std::vector<float> level(hops);
    for (size_t h = 0; h < hops; ++h) {
        size_t centre = h * hop;
        size_t from = centre > window / 2 ? centre - window / 2 : 0;
        size_t to = std::min(mix.frames(), centre + window / 2);
        double sum = 0.0;
        for (size_t i = from; i < to; ++i)
            sum += double(mix.left[i]) * mix.left[i] + double(mix.right[i]) * mix.right[i];
        level[h]
            = to > from ? float(10.0 * std::log10(sum / double(2 * (to - from)) + 1e-20)) : -200.0f;
    }
    std::vector<float> sorted = level;
    std::sort(sorted.begin(), sorted.end());
    float loud = sorted[sorted.size() * 4 / 5]; // the level the full sections sit at
    std::vector<float> lift(hops);
    for (size_t h = 0; h < hops; ++h)
        lift[h] = std::clamp((loud - kQuietBelowDb - level[h]) * kLiftFraction, 0.0f, kMostLiftDb);
    // Smoothed forwards and backwards, so the fader starts moving a little
    // before a quiet section and never jumps.
    float coef = 1.0f - std::exp(-kHopSeconds / kRideSeconds);
    for (size_t h = 1; h < hops; ++h)
        lift[h] = lift[h - 1] + coef * (lift[h] - lift[h - 1]);
    for (size_t h = hops - 1; h-- > 0;)
        lift[h] = lift[h + 1] + coef * (lift[h] - lift[h + 1]);
    for (size_t i = 0; i < mix.frames(); ++i) {
        size_t h = i / hop;
        float x = float(i - h * hop) / float(hop);
        float db = lift[h] + x * (lift[std::min(h + 1, hops - 1)] - lift[h]);
        float g = dbToGain(db);
        mix.left[i] *= g;
        mix.right[i] *= g;
    }
}

} // namespace

double songSeconds(const Song& song)
{
    return (totalBars(song) + 1) * barSeconds(song) + kTailSeconds;
}

Stereo renderSong(const Song& song)
{
    Score score = compose(song);
    size_t frames = size_t(songSeconds(song) * kSampleRate);
    Buses buses(frames), part(frames);
    Rng rng(song.seed * 7 + 3);
    Buffer pump = pumpEnvelope(song, score.drums, frames);
    renderPart(song.pad, score.pad, kPadLevel, part, buses, rng, &pump);
    renderPart(song.bass, score.bass, kBassLevel, part, buses, rng, &pump);
    renderPart(song.arp, score.arp, kArpLevel, part, buses, rng, &pump);
    renderPart(song.lead, score.lead, kLeadLevel, part, buses, rng);
    renderPart(song.bell, score.bell, kBellLevel, part, buses, rng);
    renderPart(song.stab, score.stab, kStabLevel, part, buses, rng, &pump);
    DrumKit kit = makeDrumKit(song.kit, rng);
    for (const DrumHit& hit : score.drums)
        renderDrumHit(kit, hit, 1.0f, part);
    mixPart(part, kDrumLevel, buses);
    for (const Riser& riser : score.risers)
        renderRiser(riser, buses, rng);

    Stereo echo(frames);
    pingPongDelay(buses.delay, echo, float(song.delayBeats * 60.0 / song.bpm), song.delayFeedback,
        kEchoToneHz);
    for (size_t i = 0; i < frames; ++i) {
        buses.reverb.left[i] += echo.left[i] * kEchoIntoReverb;
        buses.reverb.right[i] += echo.right[i] * kEchoIntoReverb;
    }
    Stereo wet(frames);
    Reverb(song.reverbRoom, song.reverbDamp).process(buses.reverb, wet);

    Stereo mix(frames);
    for (size_t i = 0; i < frames; ++i) {
        mix.left[i]
            = buses.dry.left[i] + wet.left[i] * song.reverbReturn + echo.left[i] * song.delayReturn;
        mix.right[i] = buses.dry.right[i] + wet.right[i] * song.reverbReturn
            + echo.right[i] * song.delayReturn;
    }
    dcBlock(mix.left, kSubsonicHz);
    dcBlock(mix.right, kSubsonicHz);
    rideQuietSections(mix);
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
