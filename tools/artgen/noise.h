// Seeded randomness for the art: the same seed draws the same picture on
// every machine, so a rebuild never changes an image by chance.
#pragma once

#include <cstdint>

// A small splitmix64 generator.
class Rng {
public:
    explicit Rng(uint64_t seed)
        : state_(seed)
    {
    }
    uint64_t next();
    float uniform(); // 0..1
    float range(float lo, float hi); // lo..hi
    int below(int n); // 0..n-1

private:
    uint64_t state_;
};

// Gradient noise in -1..1 that repeats every `period` lattice cells in both
// directions, so that textures built from it tile.
float periodicNoise(float x, float y, int period, uint32_t seed);
// Octaves of periodicNoise, each twice as fine and half as strong; the
// first octave has `period` cells across the tile.
float fbm(float x, float y, int period, int octaves, uint32_t seed);
