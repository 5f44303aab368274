// A keyboard state for tests: all keys up unless pressed.
#pragma once

#include <SDL.h>

#include <array>
#include <initializer_list>

struct TestKeys {
    std::array<Uint8, SDLK_LAST> state {};
    TestKeys() = default;
    TestKeys(std::initializer_list<SDLKey> held)
    {
        for (SDLKey k : held)
            state[k] = 1;
    }
    const Uint8* data() const { return state.data(); }
};
