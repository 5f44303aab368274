#include "platform/gamepad.h"

#include "world/input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tether {

namespace {

constexpr int leftStickX = 0, leftStickY = 1, leftTrigger = 2;
constexpr int rightStickX = 3, rightStickY = 4, rightTrigger = 5;
constexpr int axisCount = 6;
constexpr int buttonA = 0, leftShoulder = 4, rightShoulder = 5, buttonBack = 6, buttonStart = 7;

// A stick's value runs from -32768 to 32767. Inside the dead zone a worn
// stick that does not quite centre steers nothing; a push counts as an
// arrow press on the title once past pushedAt, and again only after it came
// back inside the dead zone.
constexpr int deadZone = 8000;
constexpr int pushedAt = 16000;
// Triggers rest at -32768 on some drivers and at 0 on others: pressed past
// triggerDown, let go below triggerUp, which covers both.
constexpr int triggerDown = 8192, triggerUp = 4096;
constexpr float aimRadius = 150; // pixels from the ship the right stick aims at

struct PadState {
    int axes[axisCount] = {};
    Uint8 hat = SDL_HAT_CENTERED;
    bool stickPushed = false; // the left stick is out past pushedAt
    bool triggerHeld[2] = {}; // left, right
};
PadState pad;

PadPress stickPress()
{
    const int x = pad.axes[leftStickX], y = pad.axes[leftStickY];
    const int far = std::max(std::abs(x), std::abs(y));
    if (pad.stickPushed) {
        pad.stickPushed = far >= deadZone;
        return PadPress::none;
    }
    if (far < pushedAt)
        return PadPress::none;
    pad.stickPushed = true;
    if (std::abs(x) >= std::abs(y))
        return x > 0 ? PadPress::right : PadPress::left;
    return y > 0 ? PadPress::down : PadPress::up;
}

PadPress triggerPress(int which, int value, PadPress press)
{
    bool& held = pad.triggerHeld[which];
    if (!held && value > triggerDown) {
        held = true;
        return press;
    }
    if (held && value < triggerUp)
        held = false;
    return PadPress::none;
}

PadPress hatPress(Uint8 hat)
{
    pad.hat = hat;
    switch (hat) {
    case SDL_HAT_UP: return PadPress::up;
    case SDL_HAT_DOWN: return PadPress::down;
    case SDL_HAT_LEFT: return PadPress::left;
    case SDL_HAT_RIGHT: return PadPress::right;
    default: return PadPress::none; // a diagonal or the middle
    }
}

PadPress buttonPress(int button)
{
    switch (button) {
    case buttonA: return PadPress::confirm;
    case leftShoulder: return PadPress::letGo;
    case rightShoulder: return PadPress::fire;
    case buttonBack: return PadPress::back;
    case buttonStart: return PadPress::start;
    default: return PadPress::none;
    }
}

} // namespace

void openGamepad()
{
#ifdef __EMSCRIPTEN__
    // The browser's pad comes as events the page makes (web/src/browserpad.cpp).
    return;
#endif
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0 || SDL_NumJoysticks() < 1)
        return; // no pad: the game plays with keys and mouse, as ever
    SDL_JoystickOpen(0);
    SDL_JoystickEventState(SDL_ENABLE);
}

PadPress takePadEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_JOYAXISMOTION: {
        const int axis = event.jaxis.axis;
        if (event.jaxis.which != 0 || axis >= axisCount)
            return PadPress::none;
        pad.axes[axis] = event.jaxis.value;
        if (axis == leftTrigger)
            return triggerPress(0, event.jaxis.value, PadPress::letGo);
        if (axis == rightTrigger)
            return triggerPress(1, event.jaxis.value, PadPress::fire);
        if (axis == leftStickX || axis == leftStickY)
            return stickPress();
        return PadPress::none;
    }
    case SDL_JOYHATMOTION:
        return event.jhat.which == 0 && event.jhat.hat == 0 ? hatPress(event.jhat.value)
                                                            : PadPress::none;
    case SDL_JOYBUTTONDOWN:
        return event.jbutton.which == 0 ? buttonPress(event.jbutton.button) : PadPress::none;
    default: return PadPress::none;
    }
}

unsigned padActions()
{
    unsigned actions = 0;
    const int x = pad.axes[leftStickX], y = pad.axes[leftStickY];
    if (y < -deadZone || (pad.hat & SDL_HAT_UP))
        actions |= actionUp;
    if (y > deadZone || (pad.hat & SDL_HAT_DOWN))
        actions |= actionDown;
    if (x < -deadZone || (pad.hat & SDL_HAT_LEFT))
        actions |= actionLeft;
    if (x > deadZone || (pad.hat & SDL_HAT_RIGHT))
        actions |= actionRight;
    return actions;
}

bool padAim(int centreX, int centreY, int& x, int& y)
{
    const float dx = static_cast<float>(pad.axes[rightStickX]);
    const float dy = static_cast<float>(pad.axes[rightStickY]);
    const float length = std::hypot(dx, dy);
    if (length < deadZone)
        return false;
    x = centreX + static_cast<int>(std::lround(dx / length * aimRadius));
    y = centreY + static_cast<int>(std::lround(dy / length * aimRadius));
    return true;
}

void resetPad()
{
    pad = PadState {};
}

} // namespace tether
