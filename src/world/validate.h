// The world's own bookkeeping checked between frames: every handle points
// into the world, the registries agree with each other, nothing dead is
// left listed, every kind and enemy class is one the tables know. Content
// cannot break these (a wild number in a map or the data file makes a
// strange level, never a broken world), so a problem found here is a fault
// in the rules. Debug builds (the sanitizer build among them) check every
// frame and stop at the first fault with what was wrong (TETHER_ASSERT).
#pragma once

#include <string>
#include <vector>

namespace tether {

struct World;

// What is wrong with world, one line a fault; empty when nothing is. Meant
// for a world between frames (after the dead are removed), as a level
// leaves simulateFrame.
std::vector<std::string> validateWorld(const World& world);

// Stops the program with the faults found (debug builds only).
[[noreturn]] void worldCheckFailed(const char* where, const std::vector<std::string>& faults);
[[noreturn]] void assertionFailed(const char* condition, const char* file, int line);

} // namespace tether

// A rule's own assumption, checked in debug builds and gone from release
// builds: where a wrong kind or class would otherwise fall back silently.
#ifdef NDEBUG
#define TETHER_ASSERT(condition) static_cast<void>(0)
#define TETHER_CHECK_WORLD(world, where) static_cast<void>(0)
#else
#define TETHER_ASSERT(condition)                                                                   \
    ((condition) ? static_cast<void>(0) : ::tether::assertionFailed(#condition, __FILE__, __LINE__))
#define TETHER_CHECK_WORLD(world, where)                                                           \
    do {                                                                                           \
        const std::vector<std::string> tetherFaults = ::tether::validateWorld(world);              \
        if (!tetherFaults.empty())                                                                 \
            ::tether::worldCheckFailed(where, tetherFaults);                                       \
    } while (false)
#endif
