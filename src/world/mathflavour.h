// Which math a level computes with (world/simmath.h).
#pragma once

namespace tether {

enum class MathFlavour {
    own, // ours: the same bits everywhere
    platform, // the C library's, as levels were played before our own
};

} // namespace tether
