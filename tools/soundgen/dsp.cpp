// The longer DSP pieces: filter design, reverb, delay and the master stage.
#include "dsp.h"

#include <algorithm>

Biquad Biquad::highpass(double hz, double q)
{
    double w = 2.0 * M_PI * hz / kSampleRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double a0 = 1.0 + alpha;
    Biquad f;
    f.b0 = (1.0 + c) / 2.0 / a0;
    f.b1 = -(1.0 + c) / a0;
    f.b2 = f.b0;
    f.a1 = -2.0 * c / a0;
    f.a2 = (1.0 - alpha) / a0;
    return f;
}

Biquad Biquad::highShelf(double hz, double q, double gainDb)
{
    double a = std::pow(10.0, gainDb / 40.0), w = 2.0 * M_PI * hz / kSampleRate;
    double alpha = std::sin(w) / (2.0 * q), c = std::cos(w), sa = 2.0 * std::sqrt(a) * alpha;
    double a0 = (a + 1) - (a - 1) * c + sa;
    Biquad f;
    f.b0 = a * ((a + 1) + (a - 1) * c + sa) / a0;
    f.b1 = -2 * a * ((a - 1) + (a + 1) * c) / a0;
    f.b2 = a * ((a + 1) + (a - 1) * c - sa) / a0;
    f.a1 = 2 * ((a - 1) - (a + 1) * c) / a0;
    f.a2 = ((a + 1) - (a - 1) * c - sa) / a0;
    return f;
}

// Freeverb's tuning, in samples at 44.1 kHz; we run at half that rate.
static const int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
static const int kAllpassLengths[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kReverbInputGain = 0.015f;

Reverb::Reverb(float roomSize, float damping)
    : feedback(roomSize * 0.28f + 0.7f)
    , damp(damping * 0.4f)
{
    for (int side = 0; side < 2; ++side) {
        int spread = side * kStereoSpread;
        for (int len : kCombLengths) {
            Comb c;
            c.line.assign((len + spread) / 2, 0.0f);
            combs[side].push_back(c);
        }
        for (int len : kAllpassLengths) {
            Allpass a;
            a.line.assign((len + spread) / 2, 0.0f);
            allpasses[side].push_back(a);
        }
    }
}

void Reverb::process(const Stereo& send, Stereo& out)
{
    for (size_t i = 0; i < send.frames(); ++i) {
        float input = (send.left[i] + send.right[i]) * kReverbInputGain;
        for (int side = 0; side < 2; ++side) {
            float acc = 0.0f;
            for (Comb& c : combs[side]) {
                float y = c.line[c.pos];
                c.store = y * (1.0f - damp) + c.store * damp;
                c.line[c.pos] = input + c.store * feedback;
                if (++c.pos == c.line.size())
                    c.pos = 0;
                acc += y;
            }
            for (Allpass& a : allpasses[side]) {
                float buffered = a.line[a.pos];
                a.line[a.pos] = acc + buffered * 0.5f;
                acc = buffered - acc;
                if (++a.pos == a.line.size())
                    a.pos = 0;
            }
            (side == 0 ? out.left : out.right)[i] += acc;
        }
    }
}

void pingPongDelay(const Stereo& send, Stereo& out, float seconds, float feedback, float toneHz)
{
    size_t len = size_t(seconds * kSampleRate);
    Buffer lineL(len, 0.0f), lineR(len, 0.0f);
    OnePole toneL, toneR;
    toneL.set(toneHz);
    toneR.set(toneHz);
    size_t pos = 0;
    for (size_t i = 0; i < send.frames(); ++i) {
        float echoL = lineL[pos], echoR = lineR[pos];
        // Mono input enters on the left; each repeat crosses to the other side.
        lineL[pos] = (send.left[i] + send.right[i]) * 0.5f + toneR.lowpass(echoR) * feedback;
        lineR[pos] = toneL.lowpass(echoL) * feedback;
        out.left[i] += echoL;
        out.right[i] += echoR;
        if (++pos == len)
            pos = 0;
    }
}

void dcBlock(Buffer& samples, float hz)
{
    Biquad hp = Biquad::highpass(hz, 0.7071);
    for (float& s : samples)
        s = float(hp.process(s));
}

double integratedLoudness(const Stereo& signal)
{
    constexpr double kBlockSeconds = 0.4, kHopSeconds = 0.1;
    constexpr double kAbsoluteGate = -70.0, kRelativeGate = -10.0;
    Buffer weighted[2];
    const Buffer* planes[2] = {&signal.left, &signal.right};
    for (int c = 0; c < 2; ++c) {
        // The K-weighting curve: a shelf for the head's boost of the upper
        // mids, then a highpass for the ear's deafness to the lowest bass.
        Biquad shelf = Biquad::highShelf(1681.97, 0.7071752, 3.99984);
        Biquad hp = Biquad::highpass(38.13547, 0.5003270);
        weighted[c].resize(planes[c]->size());
        for (size_t i = 0; i < planes[c]->size(); ++i)
            weighted[c][i] = float(hp.process(shelf.process((*planes[c])[i])));
    }
    // Each 400 ms block is four 100 ms hops: sum the hops once, then blocks.
    size_t hop = size_t(kHopSeconds * kSampleRate);
    size_t hopsPerBlock = size_t(kBlockSeconds / kHopSeconds + 0.5);
    std::vector<double> hops;
    for (size_t start = 0; start + hop <= signal.frames(); start += hop) {
        double sum = 0.0;
        for (int c = 0; c < 2; ++c)
            for (size_t i = start; i < start + hop; ++i)
                sum += double(weighted[c][i]) * weighted[c][i];
        hops.push_back(sum);
    }
    std::vector<double> powers;
    for (size_t h = 0; h + hopsPerBlock <= hops.size(); ++h) {
        double sum = 0.0;
        for (size_t k = h; k < h + hopsPerBlock; ++k)
            sum += hops[k];
        powers.push_back(sum / double(hop * hopsPerBlock));
    }
    auto loudnessOf
        = [](double power) { return -0.691 + 10.0 * std::log10(std::max(power, 1e-20)); };
    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        int n = 0;
        for (double p : powers)
            if (loudnessOf(p) > gate) {
                sum += p;
                ++n;
            }
        return n ? sum / n : 0.0;
    };
    double relativeGate = loudnessOf(gatedMean(kAbsoluteGate)) + kRelativeGate;
    return loudnessOf(gatedMean(std::max(kAbsoluteGate, relativeGate)));
}

void limitPeaks(Stereo& signal, float ceiling, float releaseSeconds)
{
    constexpr float kLookAheadSeconds = 0.005f;
    size_t n = signal.frames(), ahead = size_t(kLookAheadSeconds * kSampleRate);
    // Lowest gain each frame may have, so that every peak within the next
    // look-ahead window lands on the ceiling; most frames need none.
    Buffer gain(n, 1.0f);
    for (size_t i = 0; i < n; ++i) {
        float peak = std::max(std::fabs(signal.left[i]), std::fabs(signal.right[i]));
        if (peak <= ceiling)
            continue;
        float need = ceiling / peak;
        for (size_t m = i + 1 >= ahead ? i + 1 - ahead : 0; m <= i; ++m)
            gain[m] = std::min(gain[m], need);
    }
    // Release: the gain climbs back exponentially, never above what is needed.
    float recover = 1.0f - std::exp(-1.0f / (releaseSeconds * kSampleRate));
    for (size_t i = 1; i < n; ++i)
        gain[i] = std::min(gain[i], gain[i - 1] + (1.0f - gain[i - 1]) * recover);
    // Averaging over the look-ahead window smooths the dip into a ramp; each
    // averaged frame stays at or below the need of the frame it lands on.
    double sum = 0.0;
    Buffer smooth(n);
    for (size_t i = 0; i < n; ++i) {
        sum += gain[i];
        if (i >= ahead)
            sum -= gain[i - ahead];
        smooth[i] = float(sum / double(std::min(i + 1, ahead)));
    }
    for (size_t i = 0; i < n; ++i) {
        signal.left[i] *= smooth[i];
        signal.right[i] *= smooth[i];
    }
}

float peakOf(const Buffer& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

float rmsOf(const Buffer& samples)
{
    double sum = 0.0;
    for (float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0.0f : float(std::sqrt(sum / samples.size()));
}

void scale(Buffer& samples, float gain)
{
    for (float& s : samples)
        s *= gain;
}
