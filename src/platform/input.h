// The window's side of input: the keys the player holds become the actions
// of world/input.h, through the key bindings of platform/settings.h.
#pragma once

#include "world/input.h"

#include <SDL.h>

namespace tether {

// The actions whose keys are held (by default arrows or W A S D, Q and E to
// strafe, Escape to leave).
unsigned actionsFromKeys(const Uint8* keys);

} // namespace tether
