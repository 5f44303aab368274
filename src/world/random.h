// The game's random sources. The rules draw only from their own generator,
// seeded when a level starts, so what enemies do follows from the map, the
// data file, the seed and the player's inputs alone; how many frames were
// drawn, or what drawing and music drew, can no longer change it. Drawing and
// music have a generator of their own (render/presentation.h).
//
// xorshift64* (Vigna): a 64-bit state, three shifts and a multiply per draw,
// no allocation, and a state small enough to hash and to copy.
#pragma once

#include <cstdint>

namespace tether {

class Random {
public:
    explicit Random(uint64_t seed = 1) { reseed(seed); }

    // Any seed, 0 included, gives a good start: it is spread by splitmix64
    // first, and a zero state (which xorshift never leaves) is avoided.
    void reseed(uint64_t seed);
    // The next 64 random bits.
    uint64_t next();
    // 0..32767, the range the rules were written for ("% 4 + 1").
    int next15() { return static_cast<int>(next() >> 49); }
    // Uniform in [0, 1]: a 15-bit draw times 1/32767 in single precision.
    float unit() { return static_cast<float>(next15()) * (1.0f / 32767.0f); }

    uint64_t state;
};

} // namespace tether
