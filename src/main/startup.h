// Bringing the game up: SDL, the mixer, the player's settings, the window
// (full screen unless they say otherwise), the gamepad, every asset, the
// data file, the engine sound and the volumes. An error stops it there and
// comes back as the message the game ends with (status 1). Without sound
// (--no-sound) the audio device is never opened: the mixer then plays
// nothing, and every mixer call the game makes is safe on an unopened mixer.
#pragma once

#include <string>

namespace tether {

extern bool soundEnabled; // false with --no-sound; set by the command line

// Empty when the game is up, else the message to print before ending.
std::string startUp();

} // namespace tether
