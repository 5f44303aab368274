// A fingerprint of the whole simulation state: equal worlds give equal
// hashes, and a run replayed from the same map, data file, seed and inputs
// must end on the same one, with or without a window. Tests compare it; the
// headless simulator prints it.
#pragma once

#include <cstdint>

namespace tether {

struct World;

// FNV-1a over every Object reachable from the registries and handles (its
// fields, with the Objects and Connectors it refers to given as their
// position in a fixed walk of the world, never as addresses), the
// connectors, the ropes, the registries' orders, the handles, the hook and
// level flags, the level's counters, the rules' generator and the contacts
// remembered.
uint64_t worldHash(const World& world);

} // namespace tether
