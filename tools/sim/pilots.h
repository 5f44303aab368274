// Pilots: who plays a simulated level. A pilot is called once per frame with
// the frame's number of steps and answers with the frame's input; it may
// read the world (world/world.h) to decide, as a player reads the screen.
#pragma once

#include "world/input.h"

#include <cstdint>
#include <functional>
#include <string>

namespace sim {

using Pilot = std::function<tether::FrameInput(int steps)>;

// The pilot called name, with seed for whatever it draws at random; an
// empty function for a name no pilot has.
Pilot makePilot(const std::string& name, uint64_t seed);
// The names makePilot knows, for messages: "idle, ...".
std::string pilotNames();

} // namespace sim
