// The desktop's keyboard: SDL 1.2's key state and key names.
#include "platform/keyboard.h"

namespace tether {

void startKeyboard() { }

const Uint8* heldKeys()
{
    return SDL_GetKeyState(nullptr);
}

std::string nameOfKey(SDLKey key)
{
    return SDL_GetKeyName(key);
}

int keyCodeBound()
{
    return SDLK_LAST;
}

} // namespace tether
