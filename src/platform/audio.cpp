// The mixer's side of sound. Everything here runs in the frame, after its
// physics steps: the world's sound events are played in the order the rules
// raised them, each placed as the ship heard it at that moment.
#include "platform/audio.h"
#include "content/worldinuse.h"

#include "content/regularfile.h"
#include "platform/settings.h"
#include "render/presentation.h"
#include "world/events.h"
#include "world/finite.h"
#include "world/object.h"
#include "world/world.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace tether {

Mix_Chunk* shot1SFX;
Mix_Chunk* grappleSFX;
Mix_Chunk* collideSFX;
Mix_Chunk* thrustSFX;
Mix_Chunk* bfgSFX;
Mix_Chunk* explodeSFX;
Mix_Chunk* lightningSFX;
Mix_Chunk* warningSFX;

int thrustChannel = 0;
int shot1Channel = -1;
int grappleChannel = -1;
int collideChannel = -1;

namespace {

// Read as every file of the game is: only a regular file, within the bound
// (opening a pipe by name would block start-up for ever). The mixer copies
// the samples out, so the bytes go when the chunk is made.
Mix_Chunk* loadSound(const char* path)
{
    std::string bytes;
    if (readRegularFile(path, bytes, maxContentFileBytes) != FileRead::ok)
        return nullptr;
#ifdef __EMSCRIPTEN__
    // The page's mixer fetches its sounds by name from the page's files.
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
#endif
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

constexpr int mixerMaxVolume = 128;

// A crash: on a crash channel, its volume set by its damage.
void playCrash(float dmg, float dx, float dist)
{
    if (!(dist < hearingRange))
        return;
    int channel = Mix_GroupAvailable(collideTag);
    if (channel == -1)
        channel = Mix_GroupOldest(collideTag);
    channel = Mix_PlayChannelTimed(channel, collideSFX, 0, -1);
    if (channel == -1)
        return;
    collideChannel = channel;
    Mix_Volume(channel, crashVolume(dmg));
    positionChannel(channel, dx, dist);
}

// One crackle at a time: a busy channel is left alone.
void crackle()
{
    if (Mix_Playing(lightningChannel) == 0)
        Mix_PlayChannelTimed(lightningChannel, lightningSFX, 0, -1);
}

void play(const WorldEvent& e)
{
    switch (e.sound) {
    case Sound::gunshot: playSFX(shot1SFX, shot1Tag, e.dx, e.dist); break;
    case Sound::bfgShot: playSFX(bfgSFX, shot1Tag, e.dx, e.dist); break;
    case Sound::crackle: crackle(); break;
    case Sound::crash: playCrash(e.amount, e.dx, e.dist); break;
    case Sound::explosion: playSFX(explodeSFX, explodeTag, e.dx, e.dist); break;
    case Sound::leftHookLaunch:
        grappleChannel = Mix_PlayChannelTimed(leftHookChannel, grappleSFX, 0, -1);
        break;
    case Sound::rightHookLaunch:
        grappleChannel = Mix_PlayChannelTimed(rightHookChannel, grappleSFX, 0, -1);
        break;
    }
}

} // namespace

// The mixer's angle is 0 straight ahead and 90 to the right. Only the
// horizontal offset enters it, through atan of the raw offset in world
// units, so anything not almost straight above or below is panned fully.
// The distance byte runs 0..254 over the hearing range.
Sint16 panAngle(float dx)
{
    return static_cast<Sint16>(truncated(std::atan(static_cast<double>(dx)) * 57.29577951308232));
}

Uint8 distanceByte(float dist)
{
    return static_cast<Uint8>(truncated(dist * 0.255f) & 0xff);
}

void positionChannel(int channel, float dx, float dist)
{
    // The mixer takes a negative angle's size alone (-30 as 30: the right),
    // so the left is given as the rest of the turn (330).
    const Sint16 angle = panAngle(dx);
    if (!Mix_SetPosition(
            channel, angle < 0 ? static_cast<Sint16>(angle + 360) : angle, distanceByte(dist)))
        std::printf("Mix_SetPosition: %s\n", Mix_GetError());
}

int playSFX(Mix_Chunk* chunk, int tag, float dx, float dist)
{
    if (dist >= hearingRange)
        return -1;
    int channel = Mix_GroupAvailable(tag);
    if (channel == -1)
        channel = Mix_GroupOldest(tag);
    channel = Mix_PlayChannelTimed(channel, chunk, 0, -1);
    if (channel == -1)
        return -1;
    positionChannel(channel, dx, dist);
    return channel;
}

int crashVolume(float dmg)
{
    // The mixer takes 0..128; a NaN or negative damage is silence and an
    // enormous one is full volume, never an overflowed int.
    if (!(dmg > 0))
        return 0;
    if (dmg >= mixerMaxVolume)
        return mixerMaxVolume;
    return static_cast<int>(dmg);
}

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
    warningSFX = loadSound("sounds/VqWarning.wav");
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

void applyVolumes()
{
    Mix_VolumeMusic(mixerMaxVolume * settings.musicVolume / volumeSteps);
    for (Mix_Chunk* effect :
        {shot1SFX, grappleSFX, collideSFX, thrustSFX, bfgSFX, explodeSFX, lightningSFX, warningSFX})
        if (effect)
            Mix_VolumeChunk(effect, mixerMaxVolume * settings.effectsVolume / volumeSteps);
}

namespace {
bool pausedChannels[mixChannelCount]; // paused by pauseAllSound, resumed by resumeAllSound
} // namespace

void pauseAllSound()
{
    for (int channel = 0; channel < mixChannelCount; ++channel) {
        pausedChannels[channel] = Mix_Playing(channel) && !Mix_Paused(channel);
        if (pausedChannels[channel])
            Mix_Pause(channel);
    }
    Mix_PauseMusic();
}

void resumeAllSound()
{
    for (int channel = 0; channel < mixChannelCount; ++channel)
        if (pausedChannels[channel])
            Mix_Resume(channel);
    Mix_ResumeMusic();
}

void playSoundEvents()
{
    World& world = tether::world();
    for (int i = 0; i < world.worldEvents.count; ++i)
        if (world.worldEvents.events[i].kind == EventKind::sound)
            play(world.worldEvents.events[i]);
}

void updateThrustSound()
{
    World& world = tether::world();
    if (!world.ship || !world.ship->flame)
        return;
    if (thrustSinceLastFrame(*world.ship->flame))
        Mix_Resume(thrustChannel);
    else
        Mix_Pause(thrustChannel);
}

} // namespace tether
