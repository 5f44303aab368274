// Gives the game's explosion and crash effects a silent two-second sample,
// with the channel groups set up, so tests can see which group plays what.
#pragma once

#include "world/sound.h"

#include <SDL_mixer.h>

#include <vector>

class SilentEffects {
public:
    SilentEffects()
    {
        tether::setUpChannels();
        chunk = Mix_QuickLoad_RAW(samples.data(), static_cast<Uint32>(samples.size()));
        tether::explodeSFX = tether::collideSFX = chunk;
    }
    ~SilentEffects()
    {
        Mix_HaltChannel(-1);
        tether::explodeSFX = tether::collideSFX = nullptr;
        Mix_FreeChunk(chunk);
    }
    SilentEffects(const SilentEffects&) = delete;
    SilentEffects& operator=(const SilentEffects&) = delete;

    // Channels now playing among first..last.
    static int playing(int first, int last)
    {
        int count = 0;
        for (int channel = first; channel <= last; ++channel)
            count += Mix_Playing(channel) ? 1 : 0;
        return count;
    }
    static int explosionsPlaying() { return playing(33, 40); }
    static int crashesPlaying() { return playing(21, 32); }

private:
    std::vector<Uint8> samples = std::vector<Uint8>(22050 * 4 * 2, 0);
    Mix_Chunk* chunk = nullptr;
};
