// Instrument synthesis. A note's voice lives only for that note: oscillators
// start at random phases (so stacked copies don't phase in lockstep), the
// filter sweeps from its envelope, and the result is added into the buses.
#include "instruments.h"

#include <algorithm>

namespace {

constexpr int kMaxUnison = 4;
// Envelopes, vibrato and the filter cutoff move slowly next to the audio:
// they are computed once per control block and ramped between.
constexpr int kControlSamples = 8;

size_t firstFrame(double seconds)
{
    return size_t(std::max(0.0, seconds) * kSampleRate);
}

} // namespace

void renderNote(const Patch& p, const NoteEvent& note, Buses& buses, Rng& rng)
{
    size_t first = firstFrame(note.start);
    size_t total = buses.dry.frames();
    if (first >= total)
        return;
    float gate = float(note.length);
    size_t count = std::min(total - first, size_t(p.amp.length(gate) * kSampleRate));

    int unison = std::clamp(p.unison, 1, kMaxUnison);
    Osc osc[kMaxUnison], osc2, modulator;
    float ratio[kMaxUnison], gainL[kMaxUnison], gainR[kMaxUnison];
    for (int k = 0; k < unison; ++k) {
        osc[k].phase = float(rng.uniform());
        float spread = unison > 1 ? float(k) / float(unison - 1) - 0.5f : 0.0f;
        ratio[k] = std::exp2(spread * p.detune / 1200.0f);
        float pan = std::clamp(p.pan + note.pan + spread * 2.0f * p.width, -1.0f, 1.0f);
        gainL[k] = panLeft(pan) / std::sqrt(float(unison));
        gainR[k] = panRight(pan) / std::sqrt(float(unison));
    }
    osc2.phase = float(rng.uniform());
    float centreL = panLeft(std::clamp(p.pan + note.pan, -1.0f, 1.0f));
    float centreR = panRight(std::clamp(p.pan + note.pan, -1.0f, 1.0f));
    float baseHz = midiToHz(note.pitch);
    // A sub-octave that would sink below what speakers play folds up one.
    float interval2
        = note.pitch + p.interval2 < float(kLowestPitch) ? p.interval2 + 12.0f : p.interval2;
    float ratio2 = std::exp2(interval2 / 12.0f);
    bool stereoFilter = unison > 1 && p.width > 0.0f;

    // A centred voice is summed to mono and filtered once; only a spread
    // unison voice needs a filter per side.
    Svf filterL, filterR;
    float hz = baseHz, amp = 0.0f, ampStep = 0.0f, fmIndex = 0.0f;
    float driveIn = 1.0f + p.drive, driveOut = 1.0f / std::sqrt(driveIn);
    float ampEnd = p.amp.value(0.0f, gate) * note.velocity * p.gain;
    for (size_t i = 0; i < count; ++i) {
        if (i % kControlSamples == 0) {
            float t = float(i) / kSampleRate;
            hz = baseHz;
            if (p.glide > 0.0f && note.from > 0.0f)
                hz *= std::exp2((note.from - note.pitch) * std::exp(-t / p.glide) / 12.0f);
            if (p.vibrato > 0.0f) {
                float depth
                    = p.vibrato * std::fmin(1.0f, t / 0.4f); // vibrato blooms after the attack
                hz *= std::exp2(depth * std::sin(2.0f * kPi * p.vibratoRate * t) / 12.0f);
            }
            float cutoff = p.cutoff + p.envAmount * note.velocity * std::exp(-t / p.filterDecay);
            filterL.set(cutoff, p.resonance);
            if (stereoFilter)
                filterR.set(cutoff, p.resonance);
            fmIndex = p.fmIndex * std::exp(-t / p.fmDecay);
            amp = ampEnd;
            ampEnd = p.amp.value(t + float(kControlSamples) / kSampleRate, gate) * note.velocity
                * p.gain;
            ampStep = (ampEnd - amp) / kControlSamples;
        }
        float left = 0.0f, right = 0.0f;
        if (p.fmRatio > 0.0f) {
            float m = modulator.step(Wave::sine, hz * p.fmRatio) * fmIndex;
            float phase = osc[0].phase;
            osc[0].step(Wave::sine, hz);
            left = right = std::sin(2.0f * kPi * phase + m);
        } else if (stereoFilter) {
            for (int k = 0; k < unison; ++k) {
                float v = osc[k].step(p.wave, hz * ratio[k]);
                left += v * gainL[k];
                right += v * gainR[k];
            }
        } else {
            for (int k = 0; k < unison; ++k)
                left += osc[k].step(p.wave, hz * ratio[k]);
            left = right = left / std::sqrt(float(unison));
        }
        if (p.mix2 > 0.0f) {
            float v = osc2.step(p.wave2, hz * ratio2) * p.mix2;
            left += v;
            right += v;
        }
        if (p.drive > 0.0f) {
            left = softClip(left * driveIn) * driveOut;
            right = stereoFilter ? softClip(right * driveIn) * driveOut : left;
        }
        float outL, outR;
        filterL.process(left);
        if (stereoFilter) {
            filterR.process(right);
            outL = filterL.low;
            outR = filterR.low;
        } else {
            outL = filterL.low * centreL;
            outR = filterL.low * centreR;
        }
        amp += ampStep;
        size_t f = first + i;
        buses.dry.left[f] += outL * amp;
        buses.dry.right[f] += outR * amp;
        buses.reverb.left[f] += outL * amp * p.reverb;
        buses.reverb.right[f] += outR * amp * p.reverb;
        buses.delay.left[f] += outL * amp * p.delay;
        buses.delay.right[f] += outR * amp * p.delay;
    }
}

namespace {

Buffer drumBuffer(float seconds)
{
    return Buffer(size_t(seconds * kSampleRate), 0.0f);
}

// A pitched drum: a sine whose pitch falls fast from `punch` times above
// its resting pitch, the thump of a kick or a tom.
Buffer pitchedDrum(float hz, float punch, float decay, float seconds, Rng& rng, float click)
{
    Buffer out = drumBuffer(seconds);
    Osc body;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float pitch = hz * (1.0f + punch * std::exp(-t / 0.03f));
        float v = body.step(Wave::sine, pitch) * std::exp(-t / decay);
        v += click * rng.noise() * std::exp(-t / 0.003f);
        out[i] = softClip(1.5f * v);
    }
    return out;
}

// Hats and cymbals: six square waves at unrelated pitches clash into a
// metallic shimmer; with noise for the sizzle and the low end removed, it
// rings for `decay`.
Buffer metalNoise(float hz, float decay, float seconds, Rng& rng)
{
    static const float clash[] = {205.3f, 304.4f, 369.6f, 522.7f, 540.0f, 800.0f};
    Buffer out = drumBuffer(seconds);
    Svf tone;
    tone.set(hz, 0.9f);
    Osc metal[6];
    for (Osc& o : metal)
        o.phase = float(rng.uniform());
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float ring = 0.0f;
        for (int k = 0; k < 6; ++k)
            ring += metal[k].step(Wave::square, clash[k] * 1.5f);
        tone.process(0.6f * rng.noise() + 0.12f * ring);
        out[i] = (tone.high * 0.7f + tone.band * 0.5f) * std::exp(-t / decay)
            * std::fmin(1.0f, t / 0.0005f);
    }
    return out;
}

Buffer snare(const Kit& kit, Rng& rng)
{
    Buffer out = drumBuffer(0.35f);
    Osc a, b;
    Svf rattle;
    rattle.set(3200.0f, 0.7f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float tone = (a.step(Wave::triangle, kit.snareHz * (1.0f + 0.5f * std::exp(-t / 0.01f)))
                         + 0.5f * b.step(Wave::sine, kit.snareHz * 1.5f))
            * std::exp(-t / 0.06f);
        rattle.process(rng.noise());
        float wires = (rattle.band + 0.4f * rattle.high) * std::exp(-t / 0.12f) * kit.snareNoise;
        out[i] = softClip(1.2f * (0.7f * tone + 1.3f * wires));
    }
    return out;
}

// Hand clap: three quick smacks and a short room tail.
Buffer clap(Rng& rng)
{
    Buffer out = drumBuffer(0.3f);
    Svf tone;
    tone.set(1400.0f, 1.2f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kSampleRate;
        float env = std::exp(-t / 0.1f) * 0.6f;
        for (float at : {0.0f, 0.011f, 0.022f})
            if (t >= at)
                env += std::exp(-(t - at) / 0.006f);
        tone.process(rng.noise());
        out[i] = tone.band * env * 1.4f;
    }
    return out;
}

} // namespace

DrumKit makeDrumKit(const Kit& kit, Rng& rng)
{
    DrumKit d;
    d.hits[drumKick] = pitchedDrum(kit.kickHz, 3.0f * kit.kickPunch, 0.2f, 0.45f, rng, 0.25f);
    d.hits[drumSnare] = snare(kit, rng);
    d.hits[drumClap] = clap(rng);
    d.hits[drumClosedHat] = metalNoise(kit.hatHz, 0.025f, 0.12f, rng);
    d.hits[drumOpenHat] = metalNoise(kit.hatHz, 0.2f, 0.5f, rng);
    d.hits[drumCrash] = metalNoise(kit.hatHz * 0.6f, 0.9f, 2.5f, rng);
    d.hits[drumTomLow] = pitchedDrum(kit.kickHz * 2.2f, 0.6f, 0.22f, 0.45f, rng, 0.1f);
    d.hits[drumTomHigh] = pitchedDrum(kit.kickHz * 3.2f, 0.6f, 0.18f, 0.4f, rng, 0.1f);
    // Each hit is cut to a fixed length; ease its last stretch down so the
    // cut never clicks, however long the drum was still ringing.
    constexpr float kFadeFraction = 0.3f;
    for (Buffer& b : d.hits) {
        size_t fade = size_t(float(b.size()) * kFadeFraction);
        for (size_t i = 0; i < fade; ++i) {
            float x = float(i) / float(fade);
            b[b.size() - 1 - i] *= x * x;
        }
        scale(b, kit.gain);
    }
    return d;
}

void renderDrumHit(const DrumKit& kit, const DrumHit& hit, float gain, Buses& buses)
{
    // Where each drum sits in the stereo picture and how much room it gets.
    static const float pans[drumKinds] = {0.0f, 0.05f, 0.0f, 0.3f, 0.3f, -0.35f, -0.4f, 0.35f};
    static const float rooms[drumKinds] = {0.03f, 0.25f, 0.3f, 0.05f, 0.1f, 0.25f, 0.2f, 0.2f};
    static const float levels[drumKinds] = {0.85f, 0.75f, 0.7f, 0.3f, 0.3f, 0.3f, 0.7f, 0.7f};
    const Buffer& sound = kit.hits[hit.kind];
    size_t first = firstFrame(hit.time), total = buses.dry.frames();
    float level = gain * hit.velocity * levels[hit.kind];
    float l = panLeft(pans[hit.kind]) * level, r = panRight(pans[hit.kind]) * level;
    float room = rooms[hit.kind];
    for (size_t i = 0; i < sound.size() && first + i < total; ++i) {
        size_t f = first + i;
        buses.dry.left[f] += sound[i] * l;
        buses.dry.right[f] += sound[i] * r;
        buses.reverb.left[f] += sound[i] * l * room;
        buses.reverb.right[f] += sound[i] * r * room;
    }
}

void renderRiser(const Riser& riser, Buses& buses, Rng& rng)
{
    constexpr float kRiserGain = 0.12f;
    constexpr float kRiserCutSeconds = 0.03f;
    size_t first = firstFrame(riser.start), total = buses.dry.frames();
    size_t count = size_t(riser.length * kSampleRate);
    Svf sweep;
    for (size_t i = 0; i < count && first + i < total; ++i) {
        float x = float(i) / float(count);
        if (i % kControlSamples == 0)
            sweep.set(400.0f * std::pow(15.0f, x), 2.0f);
        sweep.process(rng.noise());
        // Swells to the downbeat, then drops away in the last few
        // milliseconds rather than stopping dead.
        float cut = std::fmin(1.0f, float(count - i) / (kRiserCutSeconds * kSampleRate));
        float v = sweep.band * x * x * cut * kRiserGain;
        size_t f = first + i;
        // Wider as it rises: the two sides drift apart in level.
        buses.dry.left[f] += v * (1.0f - 0.3f * x);
        buses.dry.right[f] += v;
        buses.reverb.left[f] += v * 0.5f;
        buses.reverb.right[f] += v * 0.5f;
    }
}
