#include "main/startup.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/gamepad.h"
#include "platform/settings.h"
#include "platform/window.h"
#include "render/screencanvas.h"
#include "screens/recorder.h"
#include "world/world.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tether {

bool soundEnabled = true;

namespace {

// A closed terminal (SIGHUP) ends the game as SIGTERM and a window close
// do: SDL turns SIGTERM into a quit event, which a level answers by saving
// its replay. SDL's handler re-arms itself for the signal it caught, so it
// serves SIGHUP too. A SIGHUP ignored from the start (nohup) stays ignored.
void quitOnHangUp()
{
    struct sigaction hangUp, term;
    if (sigaction(SIGHUP, nullptr, &hangUp) != 0 || hangUp.sa_handler == SIG_IGN)
        return;
    if (sigaction(SIGTERM, nullptr, &term) == 0 && term.sa_handler != SIG_DFL
        && term.sa_handler != SIG_IGN)
        sigaction(SIGHUP, &term, nullptr);
}

} // namespace

std::string startUp()
{
    // A developer's switch: our software canvas on the desktop, as the
    // browser draws.
    chooseDrawing(drawingNamed(std::getenv("TETHER_DRAWING")));
    // Silent, the game leaves the audio subsystem alone: probing a broken
    // sound server can hang.
    const Uint32 audio = soundEnabled ? SDL_INIT_AUDIO : 0;
    if (SDL_Init(SDL_INIT_TIMER | audio | SDL_INIT_VIDEO) < 0)
        return std::string("Unable to init SDL: ") + SDL_GetError() + "\n";
    std::atexit(SDL_Quit);
    quitOnHangUp();
    // A quit in a level or on its end screen ends the game there; the
    // level is torn down on the way out as at a level end, so that nothing
    // the game made is left behind (a sanitizer build checks it).
    std::atexit([] {
        clearWorld(world());
        closeLevelMap();
    });
    if (soundEnabled && Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0)
        return "Unable to open audio!\nStart the game with --no-sound to play without sound.\n";
    // The channels are allocated even without a device: the mixer's channel
    // calls then find idle channels (with none, Mix_Volume(-1) divides by
    // zero).
    setUpChannels();
    loadSettings(); // key names come from SDL: after SDL_Init
    if (std::string noWindow = openWindow(); !noWindow.empty())
        return noWindow;
    onDisplayLost(saveRecording); // the level in progress is kept
    openGamepad();
    if (soundEnabled)
        loadMusic(); // unopened, the mixer could not play a track anyway
    loadSounds(); // unopened, the mixer loads none: every effect stays empty
    loadImages();
    SDL_ShowCursor(SDL_DISABLE); // the game draws its own pointer
    if (std::string noData = loadGameData(); !noData.empty())
        return noData;
    startEngineSound();
    applyVolumes();
    world().bossLevel = false;
    return "";
}

} // namespace tether
