#include "screens/commands.h"

#include "platform/audio.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/replay.h"
#include "platform/window.h"
#include "screens/ghost.h"
#include "screens/notices.h"

#include <algorithm>

namespace tether {

LevelRequests levelRequests;

namespace {

void takeKey(SDLKey key)
{
    // Escape ends the level at the frame's first step as if it were held
    // from now on, so that a tap let go before the frame read the keyboard
    // still leaves.
    if (isBound(Command::leave, key))
        levelRequests.leave = true;
    if (isBound(Command::pause, key))
        levelRequests.pause = true;
    if (isBound(Command::help, key))
        levelRequests.help = true;
    if (isBound(Command::restart, key))
        levelRequests.restart = true;
    if (isBound(Command::ghost, key))
        toggleGhost();
    if (isBound(Command::fullscreen, key) && !toggleFullscreen())
        levelRequests.windowLost = true;
    for (Command volume :
        {Command::musicDown, Command::musicUp, Command::effectsDown, Command::effectsUp})
        if (isBound(volume, key))
            changeVolume(volume);
}

// The window stops being played in: another window took the keyboard, or
// it was iconified. Only a window that had the focus can lose it, so a
// window that never gets it (under X without a window manager, where the
// focus follows the pointer) never pauses by itself.
bool focusLost(const SDL_ActiveEvent& active)
{
    return !active.gain && (active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE));
}

// A click of the pad's, as many in a frame as a replay holds.
void click(FrameInput& input, Click click)
{
    if (input.clicks.size() < static_cast<size_t>(maxClicksPerFrame))
        input.clicks.push_back(click);
}

void takePad(const SDL_Event& event, FrameInput& input)
{
    switch (takePadEvent(event)) {
    case PadPress::fire: click(input, Click::fireHook); break;
    case PadPress::letGo: click(input, Click::tieOff); break;
    case PadPress::start: levelRequests.pause = true; break;
    case PadPress::back: levelRequests.leave = true; break;
    default: break; // the sticks are read as held (heldActions, padAim)
    }
}

} // namespace

void takeLevelEvent(const SDL_Event& event, FrameInput& input)
{
    switch (event.type) {
    case SDL_KEYDOWN: takeKey(event.key.keysym.sym); break;
    case SDL_ACTIVEEVENT:
        if (focusLost(event.active))
            levelRequests.pause = true;
        break;
    default: takePad(event, input); break;
    }
}

unsigned heldActions(const Uint8* keys)
{
    return actionsFromKeys(keys) | padActions() | (levelRequests.leave ? actionEscape : 0u);
}

void changeVolume(Command command)
{
    const bool music = command == Command::musicDown || command == Command::musicUp;
    const int by = command == Command::musicUp || command == Command::effectsUp ? 1 : -1;
    int& volume = music ? settings.musicVolume : settings.effectsVolume;
    volume = std::max(0, std::min(volumeSteps, volume + by));
    applyVolumes();
    keepSetting(music ? "music_volume" : "effects_volume");
    showVolume(music ? "MUSIC" : "EFFECTS", volume);
}

} // namespace tether
