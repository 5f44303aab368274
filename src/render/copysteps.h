// The steps by which drawing keeps its copies of images, shared by both
// canvases' keepers (render/kept.h for the desktop's, render/softcopies.h
// for ours), so that both turn a sprite to the very same heading.
//
// Headings are taken in steps of a 720th of a turn (half a degree: at the
// rim of a 180-pixel planet the step moves a pixel by 0.4 at most), chain
// links by whole pixels of length and quarter degrees of slope.
#pragma once

#include "world/angles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tether {

constexpr int turnSteps = 720; // headings a sprite is kept at, a full turn
constexpr int slopeSteps = 720; // slopes a chain link is kept at, half a turn
constexpr size_t keptImageBudget = 48u * 1024 * 1024; // bytes of pixels, per canvas

// angle's nearest step of stepsPerTurn over a turn of `turn`, in
// [0, stepsPerTurn); 0 for an angle that is not finite.
inline int64_t stepOf(double angle, double stepsPerTurn, double turn)
{
    if (!std::isfinite(angle))
        return 0;
    const double steps = std::nearbyint(angle * (stepsPerTurn / turn));
    const double wrapped = std::fmod(steps, stepsPerTurn);
    return static_cast<int64_t>(wrapped < 0 ? wrapped + stepsPerTurn : wrapped);
}

// A heading's step, and the clockwise degrees it turns a sprite by (our
// angles grow clockwise on screen, the rotation's counter-clockwise).
inline int64_t headingStep(float angle)
{
    return stepOf(angle, turnSteps, 2 * pi);
}
inline double headingDegrees(int64_t step)
{
    return -360.0 * static_cast<double>(step) / turnSteps;
}

// A stretched link's length in whole pixels stands for its stretch.
inline int64_t linkPixels(int linkWidth, float stretch)
{
    const double length = std::nearbyint(static_cast<double>(linkWidth) * stretch);
    return static_cast<int64_t>(std::max(1.0, std::min(length, 1e6)));
}

// Slopes run over a half turn from -pi/2 to pi/2: a step index of its own
// sign, so that no link is turned half a turn round.
inline int64_t slopeStep(float slope)
{
    const double step = std::isfinite(slope) ? std::nearbyint(slope * (slopeSteps / pi)) : 0.0;
    return static_cast<int64_t>(std::max(-1.0 * slopeSteps, std::min(step, 1.0 * slopeSteps)));
}
inline double slopeDegrees(int64_t step)
{
    return 180.0 * static_cast<double>(step) / slopeSteps;
}

} // namespace tether
