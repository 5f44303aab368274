// The gamepad in the browser: the page's Gamepad API read once a frame and
// told to the game as the joystick events the desktop's pad gives (the
// layout platform/gamepad.cpp reads: sticks and triggers as six axes, the D-pad
// as a hat, A, the shoulders, Back and Start as buttons), so the game plays
// the same with a pad in both. Browsers show a pad only once a button is
// pressed on it with the page in front, so it is looked for every frame.
#include "browserpad.h"

#include <SDL.h>
#include <emscripten.h>

#include <cmath>

namespace tether {

namespace {

constexpr int axisCount = 6, buttonCount = 8;

// The first pad in the browser's standard layout: 6 axes (-32768..32767,
// triggers from 0), the hat's bits, 8 buttons; false when there is none.
// clang-format off
EM_JS(int, readBrowserPad, (int* axes, int* hat, int* buttons), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    let pad = null;
    for (const p of pads)
        if (p && p.connected && p.mapping === 'standard') {
            pad = p;
            break;
        }
    if (!pad)
        return 0;
    const axis = (v) => Math.max(-32768, Math.min(32767, Math.round((v || 0) * 32767)));
    const button = (i) => (pad.buttons[i] ? pad.buttons[i].value : 0);
    const held = (i) => (pad.buttons[i] && pad.buttons[i].pressed ? 1 : 0);
    const values = [axis(pad.axes[0]), axis(pad.axes[1]), axis(button(6)), axis(pad.axes[2]),
        axis(pad.axes[3]), axis(button(7))];
    for (let i = 0; i < 6; ++i)
        HEAP32[(axes >> 2) + i] = values[i];
    HEAP32[hat >> 2] = held(12) * 1 | held(15) * 2 | held(13) * 4 | held(14) * 8;
    const fromStandard = [0, -1, -1, -1, 4, 5, 8, 9]; // A, -, -, -, LB, RB, Back, Start
    for (let i = 0; i < 8; ++i)
        HEAP32[(buttons >> 2) + i] = fromStandard[i] >= 0 ? held(fromStandard[i]) : 0;
    return 1;
});
// clang-format on

struct Seen {
    int axes[axisCount] = {};
    int hat = 0;
    int buttons[buttonCount] = {};
};
Seen seen;

void push(SDL_Event& event)
{
    SDL_PushEvent(&event);
}

} // namespace

void pollBrowserPad()
{
    Seen now;
    if (!readBrowserPad(now.axes, &now.hat, now.buttons))
        now = Seen {}; // a pad gone rests
    for (int a = 0; a < axisCount; ++a)
        if (now.axes[a] != seen.axes[a]) {
            SDL_Event event {};
            event.type = SDL_JOYAXISMOTION;
            event.jaxis.which = 0;
            event.jaxis.axis = static_cast<Uint8>(a);
            event.jaxis.value = static_cast<Sint16>(now.axes[a]);
            push(event);
        }
    if (now.hat != seen.hat) {
        SDL_Event event {};
        event.type = SDL_JOYHATMOTION;
        event.jhat.which = 0;
        event.jhat.hat = 0;
        event.jhat.value = static_cast<Uint8>(now.hat);
        push(event);
    }
    for (int b = 0; b < buttonCount; ++b)
        if (now.buttons[b] != seen.buttons[b]) {
            SDL_Event event {};
            event.type = now.buttons[b] ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
            event.jbutton.which = 0;
            event.jbutton.button = static_cast<Uint8>(b);
            event.jbutton.state = now.buttons[b] ? SDL_PRESSED : SDL_RELEASED;
            push(event);
        }
    seen = now;
}

} // namespace tether
