// The browser's gamepad, told to the game as joystick events (browserpad.cpp).
#pragma once

namespace tether {

// Reads the pad and queues events for what changed since the last frame.
void pollBrowserPad();

} // namespace tether
