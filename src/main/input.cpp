// The one place where keys become actions.
#include "main/input.h"

namespace tether {

unsigned actionsFromKeys(const Uint8* keys)
{
    unsigned actions = 0;
    if (keys[SDLK_UP] || keys[SDLK_w])
        actions |= actionUp;
    if (keys[SDLK_DOWN] || keys[SDLK_s])
        actions |= actionDown;
    if (keys[SDLK_LEFT] || keys[SDLK_a])
        actions |= actionLeft;
    if (keys[SDLK_RIGHT] || keys[SDLK_d])
        actions |= actionRight;
    if (keys[SDLK_q])
        actions |= actionStrafeLeft;
    if (keys[SDLK_e])
        actions |= actionStrafeRight;
    if (keys[SDLK_ESCAPE])
        actions |= actionEscape;
    return actions;
}

} // namespace tether
