// The pilots by name. A new pilot is one line in the table.
#include "pilots.h"

#include "careless.h"

#include "ai/pilot.h"
#include "content/worldinuse.h"

#include <utility>
#include <vector>

namespace sim {

namespace {

using tether::FrameInput;

const std::vector<std::pair<std::string, std::function<Pilot(uint64_t seed)>>>& pilots()
{
    static const std::vector<std::pair<std::string, std::function<Pilot(uint64_t seed)>>> table = {
        // Touches nothing: the ship drifts where gravity takes it.
        {"idle", [](uint64_t) { return [](int) { return FrameInput {}; }; }},
        // Plays like a competent player from what the screen shows (ai/pilot.h).
        {"bot",
            [](uint64_t seed) {
                return [p = tether::newPilot(seed)](int) mutable {
                    return tether::flyPilot(
                        tether::world(), p, tether::seePilotView(tether::world()));
                };
            }},
        // Flies straight at the nearest enemy, minding no sun or black hole.
        {"careless",
            [](uint64_t) {
                int64_t lastShot = -1000000; // no hook fired yet
                return [lastShot](int) mutable { return flyCarelessly(lastShot); };
            }},
    };
    return table;
}

} // namespace

Pilot makePilot(const std::string& name, uint64_t seed)
{
    for (const auto& [pilotName, make] : pilots())
        if (pilotName == name)
            return make(seed);
    return {};
}

std::string pilotNames()
{
    std::string names;
    for (const auto& entry : pilots())
        names += (names.empty() ? "" : ", ") + entry.first;
    return names;
}

} // namespace sim
