// The message of a window that cannot be opened, the same on every
// platform (platform/window.h).
#include "platform/window.h"


#include <cstdio>

namespace tether {

std::string noVideoMode()
{
    char message[256];
    std::snprintf(message, sizeof message, "Unable to set %dx%d video: %s\n", screenWidth,
        screenHeight, SDL_GetError());
    return message;
}

} // namespace tether
