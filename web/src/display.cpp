// The display in the browser: the page's canvas is always there, so nothing
// is missing, and it is never lost.
#include "platform/display.h"

namespace tether {

Uint32 displayModeFlags()
{
    return SDL_SWSURFACE;
}

std::string missingDisplay()
{
    return "";
}

void onDisplayLost(void (*)()) { }

} // namespace tether
