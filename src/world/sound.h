// Sound effects and the mixer's channel plan. Effects are panned by their
// horizontal offset from the ship and attenuated by their distance from it.
#pragma once

#include <SDL_mixer.h>

namespace tether {

// Channel plan: 64 mixing channels.
constexpr int mixChannelCount = 64;
constexpr int leftHookChannel = 1;  // hook launches
constexpr int rightHookChannel = 2;
constexpr int lightningChannel = 3; // one crackle at a time
constexpr int shot1Tag = 1;         // channels 4..20: enemy weapons
constexpr int collideTag = 2;       // channels 21..32: crashes
constexpr int explodeTag = 3;       // channels 33..40: explosions

extern Mix_Chunk* shot1SFX;
extern Mix_Chunk* grappleSFX;
extern Mix_Chunk* collideSFX;
extern Mix_Chunk* thrustSFX;
extern Mix_Chunk* bfgSFX;
extern Mix_Chunk* explodeSFX;
extern Mix_Chunk* lightningSFX;

extern int thrustChannel;  // the engine loop; channel 0
extern int shot1Channel;   // -1 until used
extern int grappleChannel; // channel of the last hook launch sound
extern int collideChannel;

// Allocates the 64 channels and tags the three groups.
void setUpChannels();
// Loads the seven effects.
void loadSounds();
// Starts the engine loop on channel 0 at volume 40, paused; from then on it
// is only paused and resumed.
void startEngineSound();

} // namespace tether
