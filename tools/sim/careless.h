// The careless pilot: a newcomer who flies straight at the nearest enemy and
// fires a hook at it once near, never minding the suns and black holes on
// the way. It plays the maps as the hazard warnings are meant for, so the
// warnings can be measured against the deaths it flies into.
#pragma once

#include "world/input.h"

#include <cstdint>

namespace sim {

// One frame's input, read from the world as it stands.
tether::FrameInput flyCarelessly(int64_t& lastShotMs);

} // namespace sim
