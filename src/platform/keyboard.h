// The keyboard as the platform reports it: which keys are held, and each
// key's name as the settings file and the help screen spell it. The desktop
// asks SDL (keyboard.cpp); the browser build has its own (web/src), since
// its SDL numbers keys otherwise and names none of them.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

// Once, before the first event (the browser's build teaches its SDL keys
// it does not know).
void startKeyboard();
// Held keys indexed by SDLKey, valid until the next pump of events.
const Uint8* heldKeys();
// The key's name in lower case, words spaced ("left shift"); "unknown key"
// for a key without one.
std::string nameOfKey(SDLKey key);
// Key codes run from 1 to below this bound.
int keyCodeBound();

} // namespace tether
