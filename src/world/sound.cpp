#include "world/sound.h"

namespace tether {

Mix_Chunk* shot1SFX;
Mix_Chunk* grappleSFX;
Mix_Chunk* collideSFX;
Mix_Chunk* thrustSFX;
Mix_Chunk* bfgSFX;
Mix_Chunk* explodeSFX;
Mix_Chunk* lightningSFX;

int thrustChannel = 0;
int shot1Channel = -1;
int grappleChannel = -1;
int collideChannel = -1;

namespace {

Mix_Chunk* loadSound(const char* path)
{
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

} // namespace

void setUpChannels()
{
    Mix_AllocateChannels(mixChannelCount);
    Mix_GroupChannels(4, 20, shot1Tag);
    Mix_GroupChannels(21, 32, collideTag);
    Mix_GroupChannels(33, 40, explodeTag);
}

void loadSounds()
{
    shot1SFX = loadSound("sounds/Vqmachinesgunshot.wav");
    grappleSFX = loadSound("sounds/VqGrapple.wav");
    collideSFX = loadSound("sounds/VqCollide.wav");
    thrustSFX = loadSound("sounds/VqThrust.wav");
    bfgSFX = loadSound("sounds/VqBfg.wav");
    explodeSFX = loadSound("sounds/Vqexplode.wav");
    lightningSFX = loadSound("sounds/Vqlightning.wav");
    shot1Channel = -1;
    grappleChannel = -1;
    thrustChannel = 0;
    collideChannel = -1;
}

void startEngineSound()
{
    thrustChannel = 0;
    Mix_Volume(0, 40);
    // Without an engine sound nothing plays; the channel stays 0, so that
    // pausing and resuming it never reaches the other channels (-1 would
    // mean all of them).
    int channel = Mix_PlayChannelTimed(0, thrustSFX, -1, -1);
    if (channel >= 0)
        thrustChannel = channel;
    Mix_Pause(thrustChannel);
}

} // namespace tether
