// The window's side of input: the keys the player holds become the actions
// of world/input.h.
#pragma once

#include "world/input.h"

#include <SDL.h>

namespace tether {

// The game's keys as actions: arrows or W A S D, Q and E to strafe, Escape.
unsigned actionsFromKeys(const Uint8* keys);

} // namespace tether
