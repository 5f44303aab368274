// Bringing the game up: SDL, the mixer, the full-screen display, every
// asset, the data file and the engine sound. Errors end the process with
// status 1 and a message on standard output.
#pragma once

namespace tether {

constexpr int screenWidth = 800;
constexpr int screenHeight = 600;

void startUp();

} // namespace tether
