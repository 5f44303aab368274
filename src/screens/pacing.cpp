#include "screens/pacing.h"

#include "platform/settings.h"

#include <SDL.h>

namespace tether {

Uint32 frameDelay()
{
    if (settings.maxFps <= 0)
        return 0;
    const double period = 1000.0 / settings.maxFps; // ms
    // Frames are due at even steps from one another, so the rate holds on
    // average although SDL sleeps in whole milliseconds. After a pause (an
    // end screen, the title) or a run of slow frames the schedule starts
    // again from now rather than rushing to catch up.
    static double due = 0;
    const double now = SDL_GetTicks();
    due += period;
    if (due < now - period || due > now + period)
        due = now;
    return due > now ? static_cast<Uint32>(due - now) : 0;
}

} // namespace tether
