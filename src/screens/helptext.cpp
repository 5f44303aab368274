#include "screens/helptext.h"

#include "platform/settings.h"
#include "render/overlay.h"

#include <cstdio>

namespace tether {

namespace {

const char* const shipNames[3] = {"DRIFT", "VECTOR", "CLASSIC"};

std::string keys(Command command)
{
    return keyLabel(command);
}

std::string steering()
{
    return keys(Command::up) + ", " + keys(Command::down) + ", " + keys(Command::left) + ", "
        + keys(Command::right);
}

} // namespace

std::string clockText(long long ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", ms / 60000, ms / 1000 % 60, ms / 100 % 10);
    return text;
}

std::string shipName(int ship)
{
    return shipNames[ship >= 0 && ship < 3 ? ship : 0];
}

std::vector<std::string> controlsText(int ship)
{
    std::vector<std::string> lines;
    lines.push_back("#Goal");
    lines.push_back("Destroy every enemy ship: hook one and swing it into a sun,");
    lines.push_back("a black hole, a mine or another ship");
    lines.push_back("#Radar");
    lines.push_back(radarLegend);
    const int which = ship >= 0 && ship < 3 ? ship : 0;
    lines.push_back(std::string("#Ship ") + std::to_string(which + 1) + ": " + shipNames[which]);
    switch (which) {
    case 0:
        lines.push_back(steering() + ": the direction to fly");
        lines.push_back("(the ship never turns; nothing held brakes)");
        break;
    case 1:
        lines.push_back(steering() + ": turn toward that direction,");
        lines.push_back("thrusting once the ship points roughly there");
        break;
    default:
        lines.push_back(keys(Command::left) + " / " + keys(Command::right) + ": turn   "
            + keys(Command::up) + ": thrust   " + keys(Command::down) + ": reverse");
        lines.push_back(
            keys(Command::strafeLeft) + " / " + keys(Command::strafeRight) + ": strafe");
        break;
    }
    lines.push_back("#Hooks");
    lines.push_back("Mouse: aim   Left button: fire a hook");
    lines.push_back("Right button: let go (two caught objects are tied together,");
    lines.push_back("one is left tied to a rope node)");
    lines.push_back("#Game");
    lines.push_back(keys(Command::pause) + ": pause   " + keys(Command::help)
        + ": these controls   " + keys(Command::restart) + ": restart the map   "
        + keys(Command::leave) + ": leave");
    lines.push_back(keys(Command::fullscreen) + ": full screen   " + keys(Command::musicDown) + " "
        + keys(Command::musicUp) + ": music volume   " + keys(Command::effectsDown) + " "
        + keys(Command::effectsUp) + ": effects volume   " + keys(Command::ghost) + ": ghost");
    lines.push_back("#Gamepad");
    lines.push_back("Left stick: steer   Right stick: aim   Right trigger: fire");
    lines.push_back("Left trigger: let go   Start: pause   Back: leave");
    return lines;
}

} // namespace tether
