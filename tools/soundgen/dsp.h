// Building blocks shared by the effects and the music: oscillators, filters,
// envelopes, the reverb and delay buses, and the master-stage tools that set
// every file's level. Everything runs at the game's mixing rate.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

constexpr int kSampleRate = 22050; // the rate the game opens the mixer at
constexpr float kPi = 3.14159265358979f;

using Buffer = std::vector<float>;

// A stereo signal kept as two planes, the way the buses are mixed.
struct Stereo {
    Buffer left, right;
    explicit Stereo(size_t frames = 0)
        : left(frames, 0.0f)
        , right(frames, 0.0f)
    {
    }
    size_t frames() const { return left.size(); }
};

inline float midiToHz(float note)
{
    return 440.0f * std::exp2((note - 69.0f) / 12.0f);
}
inline float dbToGain(float db)
{
    return std::pow(10.0f, db / 20.0f);
}
inline float gainToDb(float gain)
{
    return 20.0f * std::log10(std::max(gain, 1e-9f));
}

// Equal-power pan: -1 is hard left, +1 hard right.
inline float panLeft(float pan)
{
    return std::cos((pan + 1.0f) * kPi * 0.25f);
}
inline float panRight(float pan)
{
    return std::sin((pan + 1.0f) * kPi * 0.25f);
}

// PolyBLEP correction: rounds off the step of a saw or square over one sample
// so the harmonics above Nyquist fold back far quieter than a naive edge.
inline float polyBlep(float t, float dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

enum class Wave { sine, triangle, saw, square, pulse25 };

// A band-limited oscillator; the phase runs in cycles, [0, 1).
struct Osc {
    float phase = 0.0f;

    float step(Wave wave, float hz)
    {
        float dt = hz / kSampleRate;
        float t = phase;
        phase += dt;
        if (phase >= 1.0f)
            phase -= 1.0f;
        switch (wave) {
        case Wave::sine: return std::sin(2.0f * kPi * t);
        case Wave::triangle: return 1.0f - 4.0f * std::fabs(t - 0.5f);
        case Wave::saw: return 2.0f * t - 1.0f - polyBlep(t, dt);
        case Wave::square:
        case Wave::pulse25: {
            float width = wave == Wave::square ? 0.5f : 0.25f;
            float t2 = t + (1.0f - width);
            if (t2 >= 1.0f)
                t2 -= 1.0f;
            return (t < width ? 1.0f : -1.0f) + polyBlep(t, dt) - polyBlep(t2, dt);
        }
        }
        return 0.0f;
    }
};

// Trapezoidal state-variable filter: stays stable and in tune when its
// cutoff sweeps fast, which the plucks and the bass envelopes need.
struct Svf {
    float ic1 = 0.0f, ic2 = 0.0f;
    float a1 = 0.0f, a2 = 0.0f, a3 = 0.0f, k = 1.0f;
    float low = 0.0f, band = 0.0f, high = 0.0f;

    void set(float hz, float q)
    {
        hz = std::fmin(std::fmax(hz, 10.0f), kSampleRate * 0.45f);
        float g = std::tan(kPi * hz / kSampleRate);
        k = 1.0f / q;
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    void process(float x)
    {
        float v3 = x - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        low = v2;
        band = v1;
        high = x - k * v1 - v2;
    }
};

// One-pole smoother / lowpass; also gives a highpass as input minus output.
struct OnePole {
    float y = 0.0f, coef = 0.0f;
    void set(float hz) { coef = 1.0f - std::exp(-2.0f * kPi * hz / kSampleRate); }
    float lowpass(float x) { return y += coef * (x - y); }
    float highpass(float x) { return x - lowpass(x); }
};

// RBJ biquad, used where a filter's exact response matters (loudness).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
    static Biquad highpass(double hz, double q);
    static Biquad highShelf(double hz, double q, double gainDb);
    double process(double x)
    {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// Attack-decay-sustain-release, in seconds; value() is sampled per sample at
// time t since note-on, with the note released at `gate` seconds.
struct Adsr {
    float attack = 0.005f, decay = 0.1f, sustain = 1.0f, release = 0.1f;

    float value(float t, float gate) const
    {
        float held = t < gate ? t : gate;
        float level;
        if (held < attack)
            level = held / attack;
        else
            level = sustain + (1.0f - sustain) * std::exp(-(held - attack) / decay);
        if (t < gate)
            return level;
        return level * std::exp(-(t - gate) / release * 4.0f); // -35 dB at `release`
    }
    float length(float gate) const { return gate + release * 1.5f; }
};

// Soft saturation that keeps small signals linear: a rational fit of tanh,
// within 2% of it and several times cheaper, reaching exactly 1 at |x| = 3.
inline float softClip(float x)
{
    if (x > 3.0f)
        return 1.0f;
    if (x < -3.0f)
        return -1.0f;
    float x2 = x * x;
    return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

// Freeverb-style room: eight damped combs into four allpasses per side, the
// delay lengths halved for our 22.05 kHz rate and offset between the sides.
class Reverb {
public:
    Reverb(float roomSize, float damping);
    void process(const Stereo& send, Stereo& out);

private:
    struct Comb {
        Buffer line;
        size_t pos = 0;
        float store = 0.0f;
    };
    struct Allpass {
        Buffer line;
        size_t pos = 0;
    };
    std::vector<Comb> combs[2];
    std::vector<Allpass> allpasses[2];
    float feedback, damp;
};

// Tempo-synced ping-pong echo, darkened on every repeat like a tape echo.
void pingPongDelay(const Stereo& send, Stereo& out, float seconds, float feedback, float toneHz);

// Removes DC and sub-audio rumble that would only eat headroom.
void dcBlock(Buffer& samples, float hz);

// Integrated loudness in LUFS (K-weighted, 400 ms blocks, absolute and
// relative gates), so the tracks can be matched by how loud they sound
// rather than by their peaks.
double integratedLoudness(const Stereo& signal);

// Look-ahead peak limiter: the gain dips smoothly just before a peak so no
// sample ends above `ceiling`, and comes back within `releaseSeconds`.
void limitPeaks(Stereo& signal, float ceiling, float releaseSeconds);

float peakOf(const Buffer& samples);
float rmsOf(const Buffer& samples);
void scale(Buffer& samples, float gain);
