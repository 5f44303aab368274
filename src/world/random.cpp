// The rules' generator and the xorshift64* step.
#include "world/random.h"

namespace tether {

void Random::reseed(uint64_t seed)
{
    uint64_t z = seed + 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    z ^= z >> 31;
    state = z ? z : 0x9e3779b97f4a7c15ull;
}

uint64_t Random::next()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545f4914f6cdd1dull;
}

} // namespace tether
