// Splitmix64 and a periodic Perlin-style gradient noise.
#include "noise.h"

#include <cmath>

uint64_t Rng::next()
{
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

float Rng::uniform()
{
    return (next() >> 40) / float(1 << 24);
}
float Rng::range(float lo, float hi)
{
    return lo + (hi - lo) * uniform();
}
int Rng::below(int n)
{
    return int(uniform() * n) % n;
}

namespace {

uint32_t hash3(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

// 256 evenly spread unit gradients, picked by hash.
struct Gradients {
    float x[256], y[256];
    Gradients()
    {
        for (int i = 0; i < 256; i++) {
            x[i] = std::cos(i * 6.2831853f / 256);
            y[i] = std::sin(i * 6.2831853f / 256);
        }
    }
};
const Gradients kGradients;

// The dot product of the gradient at lattice point (wx, wy), already
// wrapped into the period, with the offset from it.
float gradientDot(uint32_t wx, uint32_t wy, uint32_t seed, float dx, float dy)
{
    uint32_t g = hash3(wx, wy, seed) & 255;
    return kGradients.x[g] * dx + kGradients.y[g] * dy;
}

int wrap(int i, int period)
{
    i %= period;
    return i < 0 ? i + period : i;
}

float fade(float t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

float periodicNoise(float x, float y, int period, uint32_t seed)
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    int x0 = wrap(ix, period), y0 = wrap(iy, period);
    int x1 = x0 + 1 == period ? 0 : x0 + 1, y1 = y0 + 1 == period ? 0 : y0 + 1;
    float n00 = gradientDot(x0, y0, seed, fx, fy);
    float n10 = gradientDot(x1, y0, seed, fx - 1, fy);
    float n01 = gradientDot(x0, y1, seed, fx, fy - 1);
    float n11 = gradientDot(x1, y1, seed, fx - 1, fy - 1);
    float u = fade(fx), v = fade(fy);
    float top = n00 + (n10 - n00) * u, bottom = n01 + (n11 - n01) * u;
    return (top + (bottom - top) * v) * 1.41f;
}

float fbm(float x, float y, int period, int octaves, uint32_t seed)
{
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; o++) {
        sum += amp * periodicNoise(x, y, period, seed + o * 101);
        norm += amp;
        x *= 2;
        y *= 2;
        period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}
