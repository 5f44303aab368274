// The grab test asks the X server directly, on a connection of its own,
// whether another client holds the pointer or the keyboard: it grabs both on
// the root window and lets go at once. libX11 is opened at run time (SDL
// does the same), so nothing links against it and a machine without X
// never needs it.
#include "platform/display.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tether {

namespace {

// Whether SDL will open the X display: the driver it picks first when none
// is named, and only when there is a display to open.
bool usesX11()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && *driver && std::strcmp(driver, "x11") != 0)
        return false;
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

struct Xlib {
    void* library = nullptr;
    decltype(&XOpenDisplay) openDisplay = nullptr;
    decltype(&XCloseDisplay) closeDisplay = nullptr;
    decltype(&XGrabPointer) grabPointer = nullptr;
    decltype(&XUngrabPointer) ungrabPointer = nullptr;
    decltype(&XGrabKeyboard) grabKeyboard = nullptr;
    decltype(&XUngrabKeyboard) ungrabKeyboard = nullptr;
    decltype(&XDefaultRootWindow) rootWindow = nullptr;
    decltype(&XSetIOErrorHandler) setIOErrorHandler = nullptr;
    decltype(&XSync) sync = nullptr;

    bool open()
    {
        library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        find(openDisplay, "XOpenDisplay");
        find(closeDisplay, "XCloseDisplay");
        find(grabPointer, "XGrabPointer");
        find(ungrabPointer, "XUngrabPointer");
        find(grabKeyboard, "XGrabKeyboard");
        find(ungrabKeyboard, "XUngrabKeyboard");
        find(rootWindow, "XDefaultRootWindow");
        find(setIOErrorHandler, "XSetIOErrorHandler");
        find(sync, "XSync");
        return openDisplay && closeDisplay && grabPointer && ungrabPointer && grabKeyboard
            && ungrabKeyboard && rootWindow && sync;
    }
    template <typename F> void find(F& f, const char* name)
    {
        f = reinterpret_cast<F>(dlsym(library, name));
    }
    ~Xlib()
    {
        if (library && !keepLoaded)
            dlclose(library);
    }
    bool keepLoaded = false; // a handler of ours is in it
};

XIOErrorHandler handlerBefore = nullptr; // SDL's, which ends in Xlib's
void (*runBeforeExit)() = nullptr;

int displayLost(Display* display)
{
    if (void (*run)() = runBeforeExit) {
        runBeforeExit = nullptr; // once, even if saving touches X again
        run();
    }
    if (handlerBefore)
        return handlerBefore(display);
    std::fprintf(stderr, "The connection to the X server was lost\n");
    _exit(1); // Xlib's own handler ends the process without returning too
}

// The one connection of our own to the X server, opened by the display
// check at start-up and kept for the whole run. An X server started
// without -noreset resets when its last client leaves: a check that closed
// its connection before SDL opened one could find the server gone (1 start
// in 10 failed so). Kept open, it is also the grab test's connection.
Xlib checkingX;
Display* checkingDisplay = nullptr;

Display* ourDisplay()
{
    if (checkingDisplay)
        return checkingDisplay;
    if (!checkingX.library && !checkingX.open())
        return nullptr;
    checkingX.keepLoaded = true; // the connection lives to the end of the process
    checkingDisplay = checkingX.openDisplay(nullptr);
    return checkingDisplay;
}

// True when another client holds the pointer or the keyboard of the display.
bool inputHeldElsewhere()
{
    Display* display = ourDisplay();
    if (!display)
        return false; // SDL will fail to open it too, and say so
    Xlib& x = checkingX;
    const Window root = x.rootWindow(display);
    const int pointer = x.grabPointer(
        display, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (pointer == GrabSuccess)
        x.ungrabPointer(display, CurrentTime);
    const int keyboard
        = x.grabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (keyboard == GrabSuccess)
        x.ungrabKeyboard(display, CurrentTime);
    // The connection stays open: the let-go must reach the server now, or
    // SDL's own grab would find ours.
    x.sync(display, False);
    return pointer == AlreadyGrabbed || pointer == GrabFrozen || keyboard == AlreadyGrabbed
        || keyboard == GrabFrozen;
}

} // namespace

std::string missingDisplay()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && *driver)
        return "";
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return "No display: DISPLAY is not set (SDL_VIDEODRIVER chooses another video driver)";
    if (!checkingX.library && !checkingX.open())
        return "No display: the X library (libX11.so.6) cannot be loaded";
    if (!ourDisplay())
        return "No display: nothing answers at DISPLAY " + std::string(name);
    return "";
}

void onDisplayLost(void (*beforeExit)())
{
    if (!usesX11())
        return;
    static Xlib x;
    if (!x.library && !x.open())
        return;
    if (!x.setIOErrorHandler)
        return;
    x.keepLoaded = true;
    runBeforeExit = beforeExit;
    const XIOErrorHandler before = x.setIOErrorHandler(displayLost);
    if (before != displayLost)
        handlerBefore = before;
}

Uint32 displayModeFlags()
{
    if (!usesX11() || !inputHeldElsewhere())
        return SDL_FULLSCREEN;
    std::printf("Another program holds the screen's pointer and keyboard: playing in a window\n");
    std::fflush(stdout);
    return 0;
}

} // namespace tether
