// The memory of lasting contacts: which pairs of objects bounced off each
// other lately, so that a contact hurts once, when it begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tether {

struct World;

class Object;

// How long a pair stays in contact after its last bounce (ms). After a
// bounce the pair just touches; a steady push (a taut rope, thrust, an
// enemy's chase) drives it back in within a step or two, and each of those
// would count as a fresh impact. Apart for longer, the next touch is new.
constexpr int64_t contactMemory = 100;

struct Contact {
    const Object* a; // the lower address first
    const Object* b;
    int64_t step; // the last step they bounced in
};

// A pair of objects, the lower address first, and its hash.
struct ContactPair {
    const Object* a;
    const Object* b;
    bool operator==(const ContactPair& other) const { return a == other.a && b == other.b; }
};
// Objects lie a fixed size apart in memory, so plain sums of their
// addresses collide in long chains: each address's bits are mixed first, in
// 64 bits even where addresses have 32 (WebAssembly).
struct ContactPairHash {
    std::size_t operator()(const ContactPair& p) const
    {
        const auto mix = [](uint64_t x) {
            x ^= x >> 33;
            x *= 0xff51afd7ed558ccdull;
            x ^= x >> 33;
            return x;
        };
        const std::uintptr_t a = reinterpret_cast<std::uintptr_t>(p.a);
        const std::uintptr_t b = reinterpret_cast<std::uintptr_t>(p.b);
        return static_cast<std::size_t>(mix(a) ^ (mix(b) * 0x9e3779b97f4a7c15ull));
    }
};

// The pairs remembered, oldest contact first, and where each stands in that
// list (an index by pair: usually the list is short, but a pile of a few
// hundred enemies pressed together keeps tens of thousands of pairs, and a
// scan for each of them made a step take minutes). A world keeps one.
struct ContactMemory {
    std::vector<Contact> contacts;
    std::unordered_map<ContactPair, std::size_t, ContactPairHash> placeOf;
};

// The functions below act on the contacts of the world they are given.

// Notes that a and b bounce at step now; true when they were in contact
// within the last contactMemory steps.
bool lastingContact(World& world, const Object* a, const Object* b, int64_t now);

// Forgets the pairs apart for longer than contactMemory at step now.
void ageContacts(World& world, int64_t now);

// Forgets every pair of the objects about to be freed, given in ascending
// address order (an address may be reused by a newcomer, which must not
// inherit its contacts).
void forgetContactsOf(World& world, const std::vector<Object*>& gone);

// Forgets everything: a level starts or ends.
void forgetAllContacts(World& world);

// The pairs remembered, oldest contact first (the world's hash reads them).
const std::vector<Contact>& rememberedContacts(const World& world);

} // namespace tether
