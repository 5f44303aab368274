// The generator's own random source. Every sound and track seeds its own Rng,
// so the files come out byte-identical on every run and on every thread.
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(uint64_t seed)
        : state(seed)
    {
    }

    // splitmix64: tiny, fast and good enough for noise and musical choices.
    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform in [-1, 1): white noise.
    float noise() { return float(uniform() * 2.0 - 1.0); }
    // Integer in [0, n).
    int below(int n) { return int(uniform() * n); }
    bool chance(double p) { return uniform() < p; }

    uint64_t state;
};
