// Which rules a level plays by. Every change to a rule (anything that moves
// a thing otherwise, and so changes a world hash) since the released 1.0.0
// is a version of its own, kept for ever: a replay names the rules it was
// recorded with and plays by them, so that every replay a release wrote
// still reproduces. A rule that differs asks the world's rules, as the math
// does (world/simmath.h) and the enemies' chase does (ai/ai.cpp).
#pragma once

#include "world/mathflavour.h"

namespace tether {

enum class RulesVersion {
    // The released 1.0.0: the C library's math; an enemy chases the ship
    // straight, pressing against a planet, sun or black hole in its way.
    released100,
    // Development builds after 1.0.0: enemies bend round a body in their way
    // at its rim; still the C library's math. Their replays, like 1.0.0's,
    // say version 1 (platform/replay.cpp tells them apart).
    detourPlatformMath,
    // 1.1.0: the game's own math, the same bits everywhere, and the detour.
    ownMath,
};

// What a level plays by unless a replay names older rules.
constexpr RulesVersion currentRules = RulesVersion::ownMath;

constexpr MathFlavour mathOf(RulesVersion rules)
{
    return rules == RulesVersion::released100 || rules == RulesVersion::detourPlatformMath
        ? MathFlavour::platform
        : MathFlavour::own;
}

// Whether an enemy goes round a body in its way (ai/ai.cpp: detour).
constexpr bool enemiesGoRoundBodies(RulesVersion rules)
{
    return rules != RulesVersion::released100;
}

} // namespace tether
