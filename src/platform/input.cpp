// The one place where keys become actions.
#include "platform/input.h"

#include "platform/settings.h"

namespace tether {

namespace {

bool anyHeld(const Uint8* keys, Command command)
{
    const SDLKey fixed = fixedKey(command);
    if (fixed != SDLK_UNKNOWN && keys[fixed])
        return true;
    for (SDLKey key : settings.keys[static_cast<int>(command)])
        if (keys[key])
            return true;
    return false;
}

} // namespace

unsigned actionsFromKeys(const Uint8* keys)
{
    static const struct {
        Command command;
        Action action;
    } bindings[] = {
        {Command::up, actionUp},
        {Command::down, actionDown},
        {Command::left, actionLeft},
        {Command::right, actionRight},
        {Command::strafeLeft, actionStrafeLeft},
        {Command::strafeRight, actionStrafeRight},
        {Command::leave, actionEscape},
    };
    unsigned actions = 0;
    for (const auto& binding : bindings)
        if (anyHeld(keys, binding.command))
            actions |= binding.action;
    return actions;
}

} // namespace tether
