// The gamepad: SDL's first joystick, read from its events. SDL 1.2 knows
// no pad layouts, so the game takes the one Linux gives the common pads of
// the Xbox kind: axes 0 and 1 the left stick, 2 the left trigger, 3 and 4
// the right stick, 5 the right trigger; buttons 0 A, 1 B, 4 and 5 the left
// and right shoulders, 6 Back, 7 Start; hat 0 the D-pad. A pad becomes the
// same actions, pointer and clicks as the keyboard and mouse (platform/input.h,
// world/input.h): the left stick or D-pad steer as the arrows do, the right
// stick puts the pointer around the ship, the right trigger or shoulder
// fires a hook, the left ones let go, Start pauses, Back leaves the level;
// on the title screen the stick or D-pad move as the arrows and A starts.
#pragma once

#include <SDL.h>

namespace tether {

// What a pad event asks for, beyond the held stick.
enum class PadPress {
    none,
    fire, // right trigger or shoulder
    letGo, // left trigger or shoulder
    start,
    back,
    confirm, // A
    up, // the stick or D-pad pushed from the middle to a side
    down,
    left,
    right,
};

// Opens the first joystick, if there is one, and has SDL queue its events.
void openGamepad();
// Takes a joystick event (others are ignored) into the pad's state and
// tells what it pressed.
PadPress takePadEvent(const SDL_Event& event);
// The Action bits the left stick and the D-pad hold.
unsigned padActions();
// While the right stick is pushed out of its dead zone: true, with (x, y)
// the pointer's place around (centreX, centreY) in the stick's direction.
bool padAim(int centreX, int centreY, int& x, int& y);
// Forgets every stick, trigger and button (the pad was unplugged, or a
// test starts afresh).
void resetPad();

} // namespace tether
