// Sound effects. Each is a handful of layers (a tone, shaped noise, struck
// metal) summed and saturated; the level is set afterwards from the table at
// the bottom, so the layers here only need to be right relative to each other.
#include "effects.h"

#include "rng.h"

namespace {

Buffer silence(float seconds)
{
    return Buffer(size_t(seconds * kSampleRate), 0.0f);
}
float timeOf(size_t i)
{
    return float(i) / kSampleRate;
}

// Struck metal: a few inharmonic partials, the higher ones dying faster.
struct Partial {
    float ratio, level, decay;
};
void addStruckMetal(
    Buffer& out, float start, float baseHz, const std::vector<Partial>& partials, float gain)
{
    size_t first = size_t(start * kSampleRate);
    for (const Partial& p : partials) {
        Osc osc;
        for (size_t i = first; i < out.size(); ++i) {
            float t = timeOf(i - first);
            float env = std::exp(-t / p.decay) * std::fmin(1.0f, t / 0.0005f);
            if (t > 0.001f && env < 1e-4f)
                break;
            out[i] += gain * p.level * env * osc.step(Wave::sine, baseHz * p.ratio);
        }
    }
}

// A burst of band-passed noise, for cracks, snaps and debris.
void addNoiseBurst(Buffer& out, Rng& rng, float start, float hz, float q, float decay, float gain)
{
    Svf filter;
    filter.set(hz, q);
    size_t first = size_t(start * kSampleRate);
    for (size_t i = first; i < out.size(); ++i) {
        float env = std::exp(-timeOf(i - first) / decay);
        if (env < 1e-4f)
            break;
        filter.process(rng.noise());
        out[i] += gain * env * filter.band;
    }
}

// The last few milliseconds ramp to zero so no effect ends on a click.
void fadeTail(Buffer& out, float seconds)
{
    size_t n = std::min(out.size(), size_t(seconds * kSampleRate));
    for (size_t i = 0; i < n; ++i)
        out[out.size() - 1 - i] *= float(i) / n;
}

constexpr float kTailFadeSeconds = 0.01f;

// Enemy gunshot: a crack, a chest thump and a short bark of noise whose
// colour falls from bright to dull, all over in a fifth of a second.
Buffer gunshot()
{
    Rng rng(101);
    Buffer out = silence(0.22f);
    Svf bark;
    Osc thump;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        bark.set(600.0f + 2600.0f * std::exp(-t / 0.025f), 1.2f);
        float n = rng.noise();
        bark.process(n);
        float crack = n * std::exp(-t / 0.002f);
        float body = bark.band * std::exp(-t / 0.035f) * 2.2f;
        // The thump is kept short: a volley of seventeen would turn a long
        // one into a drone.
        float low
            = thump.step(Wave::sine, 55.0f + 160.0f * std::exp(-t / 0.03f)) * std::exp(-t / 0.03f);
        out[i] = softClip(1.6f * (0.5f * crack + body + 0.7f * low));
    }
    fadeTail(out, kTailFadeSeconds);
    return out;
}

// Hook launch: a rising whip of air that snaps, then the hook's clank and
// the rattle of the line behind it.
Buffer grapple()
{
    Rng rng(202);
    Buffer out = silence(0.7f);
    constexpr float kSnapAt = 0.12f;
    Svf whip;
    Osc thunk;
    for (size_t i = 0; i < size_t(kSnapAt * kSampleRate); ++i) {
        float t = timeOf(i);
        whip.set(600.0f * std::pow(10.0f, t / kSnapAt), 3.0f);
        whip.process(rng.noise());
        float swell = 0.3f + 0.7f * (t / kSnapAt) * (t / kSnapAt);
        // The launcher's kick as the hook leaves: heard the moment you click.
        float kick
            = thunk.step(Wave::sine, 180.0f + 300.0f * std::exp(-t / 0.01f)) * std::exp(-t / 0.02f);
        out[i] += 1.4f * swell * whip.band + 0.7f * kick;
    }
    addNoiseBurst(out, rng, kSnapAt, 4000.0f, 1.0f, 0.004f, 1.2f);
    const std::vector<Partial> hook
        = {{1.0f, 1.0f, 0.12f}, {1.59f, 0.6f, 0.09f}, {2.14f, 0.5f, 0.07f}, {2.30f, 0.4f, 0.06f},
            {2.65f, 0.3f, 0.05f}, {3.16f, 0.25f, 0.04f}, {4.10f, 0.2f, 0.03f}};
    addStruckMetal(out, kSnapAt + 0.005f, 520.0f, hook, 0.5f);
    addNoiseBurst(out, rng, kSnapAt + 0.005f, 2200.0f, 2.0f, 0.01f, 0.6f);
    addStruckMetal(out, kSnapAt + 0.1f, 610.0f, hook, 0.22f);
    addStruckMetal(out, kSnapAt + 0.17f, 585.0f, hook, 0.12f);
    for (float& s : out)
        s = softClip(s);
    fadeTail(out, 0.15f);
    return out;
}

// Hull impact: a low thud, the hull ringing like a struck plate and a crunch.
// The ring sits in the mids, so a glancing blow played quietly still reads.
Buffer collide()
{
    Rng rng(303);
    Buffer out = silence(0.9f);
    Osc thud;
    OnePole crunchTone;
    crunchTone.set(2500.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        float low
            = thud.step(Wave::sine, 45.0f + 110.0f * std::exp(-t / 0.05f)) * std::exp(-t / 0.12f);
        float grit = rng.chance(0.3) ? rng.noise() : 0.0f;
        float crunch = crunchTone.lowpass(grit) * std::exp(-t / 0.03f);
        out[i] = low * std::fmin(1.0f, t / 0.001f) + 2.5f * crunch;
    }
    const std::vector<Partial> hull = {{1.0f, 1.0f, 0.25f}, {2.32f, 0.7f, 0.18f},
        {4.25f, 0.45f, 0.1f}, {6.63f, 0.25f, 0.06f}, {9.38f, 0.15f, 0.04f}};
    addStruckMetal(out, 0.0f, 170.0f, hull, 0.35f);
    addStruckMetal(out, 0.0f, 173.5f, hull, 0.25f); // a second plate, beating against the first
    for (float& s : out)
        s = softClip(1.3f * s);
    fadeTail(out, 0.2f);
    return out;
}

// Engine: a rumble of dark noise, a hiss of exhaust and a low hum with a
// slow flutter. The noise is rendered past the loop's end and that overhang
// is crossfaded into the start; every tone and the flutter complete whole
// cycles in the loop (whole hertz over two seconds).
Buffer thrust()
{
    constexpr int kFadeSamples = kSampleRate / 4;
    constexpr int kLoop = kThrustLoopSamples;
    Rng rng(404);
    Buffer noise(kLoop + kFadeSamples);
    OnePole rumble1, rumble2;
    Svf hiss;
    rumble1.set(260.0f);
    rumble2.set(260.0f);
    hiss.set(900.0f, 0.8f);
    // Let the filters settle first so the stream starts in its steady state.
    for (int i = 0; i < kSampleRate; ++i) {
        rumble2.lowpass(rumble1.lowpass(rng.noise()));
        hiss.process(rng.noise());
    }
    for (float& s : noise) {
        float rumble = rumble2.lowpass(rumble1.lowpass(rng.noise())) * 5.0f;
        hiss.process(rng.noise());
        s = rumble + 0.25f * hiss.band;
    }
    Buffer out(kLoop);
    for (int i = 0; i < kLoop; ++i) {
        float s = noise[size_t(i)];
        if (i < kFadeSamples) {
            // Equal-power crossfade: the two noise stretches are unrelated,
            // so their powers add and the level holds through the join.
            float a = float(i) / kFadeSamples * kPi * 0.5f;
            s = noise[size_t(i)] * std::sin(a) + noise[size_t(kLoop + i)] * std::cos(a);
        }
        float t = timeOf(size_t(i));
        float hum = 0.5f * std::sin(2 * kPi * 55.0f * t) + 0.25f * std::sin(2 * kPi * 110.0f * t)
            + 0.1f * std::sin(2 * kPi * 165.0f * t);
        float flutter = 1.0f + 0.15f * std::sin(2 * kPi * 6.0f * t);
        out[size_t(i)] = softClip(0.8f * flutter * (s + 0.4f * hum));
    }
    return out;
}

// The energy ball's shot: a growling downward sweep, a wobbling charge hum,
// a whoosh and a sub-bass kick, driven hard.
Buffer bfg()
{
    Rng rng(505);
    Buffer out = silence(1.7f);
    Osc carrier, modulator, hum;
    Svf humTone, whoosh;
    Osc sub;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        float sweepHz = 45.0f + 275.0f * std::exp(-t / 0.15f);
        float index = 3.0f * std::exp(-t / 0.3f);
        float mod = modulator.step(Wave::sine, sweepHz * 0.5f) * index;
        carrier.phase += mod * 0.02f;
        carrier.phase -= std::floor(carrier.phase);
        float growl = carrier.step(Wave::sine, sweepHz) * std::exp(-t / 0.45f);

        float wobble = 1.0f + 0.3f * std::sin(2 * kPi * 9.0f * t);
        humTone.set(200.0f + 700.0f * std::exp(-t / 0.2f), 2.0f);
        humTone.process(hum.step(Wave::saw, 70.0f * wobble));
        float charge = humTone.low * std::exp(-t / 0.35f);

        whoosh.set(300.0f + 2700.0f * std::exp(-t / 0.15f), 1.5f);
        whoosh.process(rng.noise());
        float air = whoosh.band * std::fmin(1.0f, t / 0.02f) * std::exp(-t / 0.25f);

        float boom = sub.step(Wave::sine, 50.0f) * std::exp(-t / 0.3f);
        float attack = std::fmin(1.0f, t / 0.005f);
        out[i]
            = softClip(1.8f * attack * (0.8f * growl + 0.5f * charge + 0.6f * air + 0.6f * boom));
    }
    fadeTail(out, 0.3f); // the growl is still dying away: ease it out
    return out;
}

// Explosion: a falling boom, a rumble whose colour darkens as it dies, and
// debris: small bright grains scattered over the next second and a half.
Buffer explode()
{
    Rng rng(606);
    Buffer out = silence(2.2f);
    Osc boom;
    Svf rumble;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        float low
            = boom.step(Wave::sine, 32.0f + 58.0f * std::exp(-t / 0.15f)) * std::exp(-t / 0.5f);
        rumble.set(150.0f + 1800.0f * std::exp(-t / 0.3f), 0.7f);
        float n = rng.noise();
        rumble.process(n);
        float roar = rumble.low * std::exp(-t / 0.6f);
        float crack = rumble.high * std::exp(-t / 0.01f);
        out[i] = std::fmin(1.0f, t / 0.002f) * (1.0f * low + 1.8f * roar + 0.6f * crack);
    }
    // Debris lands at random, thinning out: most early, a few stragglers.
    constexpr int kDebrisGrains = 60, kDebrisPings = 10;
    for (int g = 0; g < kDebrisGrains; ++g) {
        float at = 0.08f + float(-0.4 * std::log(1.0 - rng.uniform()));
        if (at > 1.8f)
            continue;
        float level = float(rng.range(0.1, 0.4)) * std::exp(-at / 0.8f);
        addNoiseBurst(
            out, rng, at, float(rng.range(800, 5000)), 3.0f, float(rng.range(0.005, 0.02)), level);
    }
    // ...and some of it is hull plating, ringing briefly as it strikes.
    for (int g = 0; g < kDebrisPings; ++g) {
        float at = 0.15f + float(-0.35 * std::log(1.0 - rng.uniform()));
        if (at > 1.7f)
            continue;
        const std::vector<Partial> shard
            = {{1.0f, 1.0f, 0.05f}, {2.76f, 0.5f, 0.03f}, {5.4f, 0.25f, 0.02f}};
        addStruckMetal(out, at, float(rng.range(700, 2200)), shard,
            float(rng.range(0.04, 0.12)) * std::exp(-at));
    }
    for (float& s : out)
        s = softClip(1.4f * s);
    fadeTail(out, kTailFadeSeconds);
    return out;
}

// Electric crackle: a buzzing arc that catches and drops out at random,
// sharp snaps over it and a zap as it strikes.
Buffer lightning()
{
    Rng rng(707);
    Buffer out = silence(0.9f);
    Osc buzzA, buzzB, zap;
    OnePole gateSmooth, jitter;
    gateSmooth.set(300.0f);
    jitter.set(30.0f);
    Svf snapTone;
    snapTone.set(3000.0f, 0.7f);
    float gate = 1.0f;
    size_t nextSwitch = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        if (i >= nextSwitch) {
            gate = rng.chance(0.7) ? float(rng.range(0.5, 1.0)) : 0.05f;
            nextSwitch = i + size_t(rng.range(0.01, 0.06) * kSampleRate);
        }
        float drift = 1.0f + 0.3f * jitter.lowpass(rng.noise());
        float buzz = 0.6f * buzzA.step(Wave::saw, 90.0f * drift)
            + 0.4f * buzzB.step(Wave::square, 141.0f * drift);
        float arc = buzz * gateSmooth.lowpass(gate);
        float snap = rng.chance(0.02) ? rng.noise() * 4.0f : 0.0f;
        snapTone.process(snap);
        float strike
            = zap.step(Wave::sine, 200.0f + 2800.0f * std::exp(-t / 0.015f)) * std::exp(-t / 0.04f);
        float env = std::fmin(1.0f, t / 0.003f) * std::exp(-t / 0.4f);
        out[i] = softClip(1.5f * (env * (0.7f * arc + snapTone.high) + 0.6f * strike));
    }
    fadeTail(out, 0.05f);
    return out;
}

} // namespace

// The hazard warning: two short rising chirps, a triangle with a little
// square for edge, high and clean so it cuts through explosions and the
// engine without sounding like any of them.
Buffer warning()
{
    Buffer out = silence(0.42f);
    Osc tone, edge;
    for (float start : {0.0f, 0.2f}) {
        const size_t first = size_t(start * kSampleRate);
        const size_t length = size_t(0.14f * kSampleRate);
        for (size_t i = 0; i < length && first + i < out.size(); ++i) {
            const float t = timeOf(i);
            const float hz = 760.0f + 500.0f * t / 0.14f;
            const float attack = std::min(1.0f, t / 0.006f);
            const float release = std::min(1.0f, (0.14f - t) / 0.03f);
            out[first + i] += attack * release
                * (0.8f * tone.step(Wave::triangle, hz) + 0.2f * edge.step(Wave::square, hz));
        }
    }
    return out;
}

const std::vector<Effect>& allEffects()
{
    // Peaks: up to 17 gunshots sound together, so theirs is lowest; the
    // engine plays under everything at 40/128; impacts and blasts get the
    // most, since the game turns them down itself when they should be soft.
    static const std::vector<Effect> effects = {
        {"sounds/Vqmachinesgunshot.wav", gunshot, 0.5f},
        {"sounds/VqGrapple.wav", grapple, 0.8f},
        {"sounds/VqCollide.wav", collide, 0.9f},
        {"sounds/VqThrust.wav", thrust, 0.7f},
        {"sounds/VqBfg.wav", bfg, 0.9f},
        {"sounds/Vqexplode.wav", explode, 0.9f},
        {"sounds/Vqlightning.wav", lightning, 0.75f},
        {"sounds/VqWarning.wav", warning, 0.6f},
    };
    return effects;
}
