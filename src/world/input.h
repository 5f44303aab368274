// What the player does in one frame, as the simulation takes it: the actions
// held (not keys: the controls and hooks never see an SDL key symbol), where
// the pointer is in the world, and the clicks in the order they came. The
// window's frame fills it from SDL's events and key state; the headless
// simulator, a pilot or a replay fill it themselves. Key bindings and a
// gamepad map into the same actions. A replay stores exactly this, plus the
// frame's number of steps.
#pragma once

#include <vector>

namespace tether {

// Actions, one bit each, held for all the steps of a frame.
enum Action : unsigned {
    actionUp = 1u << 0,
    actionDown = 1u << 1,
    actionLeft = 1u << 2,
    actionRight = 1u << 3,
    actionStrafeLeft = 1u << 4, // the third ship only
    actionStrafeRight = 1u << 5,
    actionEscape = 1u << 6, // ends the level at the frame's first step
};

enum class Click : int {
    fireHook, // the left button
    tieOff, // the right button
};

struct FrameInput {
    unsigned actions = 0; // Action bits
    // The pointer's position in the world for all the frame's steps: the
    // screen position plus the camera of the frame before.
    float pointerX = 0, pointerY = 0;
    std::vector<Click> clicks; // applied in order before the first step

    bool held(Action action) const { return (actions & action) != 0; }
};

} // namespace tether
