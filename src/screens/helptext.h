// The goal, the radar's legend, then the controls as the pause screen lists them: those of the
// chosen ship (each handles differently), the hooks, the game's own keys by their bindings
// (platform/settings.h), and the gamepad.
#pragma once

#include <string>
#include <vector>

namespace tether {

// The lines for ship (0, 1 or 2); a line starting with '#' heads a group
// (render/overlay.h).
std::vector<std::string> controlsText(int ship);
// The ship's name as the title shows it ("VECTOR"), for ship 0, 1 or 2.
std::string shipName(int ship);
// Game time as "m:ss.t".
std::string clockText(long long ms);

} // namespace tether
