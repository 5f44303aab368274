// Bringing the game up: SDL, the mixer, the player's settings, the window
// (full screen unless they say otherwise), the gamepad, every asset, the
// data file, the engine sound and the volumes. Errors end the process with
// status 1 and a message on standard output. Without sound (--no-sound) the
// audio device is never opened: the mixer then plays nothing, and every
// mixer call the game makes is safe on an unopened mixer.
#pragma once

namespace tether {

constexpr int screenWidth = 800;
constexpr int screenHeight = 600;

extern bool soundEnabled; // false with --no-sound; set by the command line

void startUp();

} // namespace tether
