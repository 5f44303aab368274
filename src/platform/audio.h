// Sound: the mixer's channel plan, the effects, and playing what the world
// told. The rules never call the mixer; they raise sound events (world/
// events.h) with where their source was relative to the ship, and the frame
// plays them here after its steps, in the order raised. Effects are panned
// by their horizontal offset from the ship and attenuated by their distance
// from it.
#pragma once

#include <SDL_mixer.h>

namespace tether {

// Channel plan: 64 mixing channels.
constexpr int mixChannelCount = 64;
constexpr int leftHookChannel = 1; // hook launches
constexpr int rightHookChannel = 2;
constexpr int lightningChannel = 3; // one crackle at a time
constexpr int shot1Tag = 1; // channels 4..20: enemy weapons
constexpr int collideTag = 2; // channels 21..32: crashes
constexpr int explodeTag = 3; // channels 33..40: explosions
constexpr int warningChannel = 41; // the hazard warning, heard alone

extern Mix_Chunk* shot1SFX;
extern Mix_Chunk* grappleSFX;
extern Mix_Chunk* collideSFX;
extern Mix_Chunk* thrustSFX;
extern Mix_Chunk* bfgSFX;
extern Mix_Chunk* explodeSFX;
extern Mix_Chunk* lightningSFX;
extern Mix_Chunk* warningSFX; // a sun or black hole on the ship's course

extern int thrustChannel; // the engine loop; channel 0
extern int shot1Channel; // -1 until used
extern int grappleChannel; // channel of the last hook launch sound
extern int collideChannel; // channel of the last crash

// Sources this far from the ship or farther are not heard.
constexpr float hearingRange = 1000.0f;

// Plays chunk once on a channel of the group tag (the longest-playing one is
// cut off when all are busy), panned by the source's horizontal offset dx
// from the ship and attenuated by its distance dist. Returns the channel,
// or -1 when nothing was played.
int playSFX(Mix_Chunk* chunk, int tag, float dx, float dist);
// The mixer's angle (degrees, 0 ahead, 90 right) and distance byte (0 near,
// 254 at the edge of hearing) for a source at dx, dist from the ship.
Sint16 panAngle(float dx);
Uint8 distanceByte(float dist);
// Pans a playing channel like playSFX; a mixer failure is printed.
void positionChannel(int channel, float dx, float dist);
// The mixer volume (0..128) of a crash doing dmg damage.
int crashVolume(float dmg);

// Allocates the 64 channels and tags the three groups.
void setUpChannels();
// Loads the eight effects.
void loadSounds();
// Starts the engine loop on channel 0 at volume 40, paused; from then on it
// is only paused and resumed.
void startEngineSound();

// Sets the music's and the effects' volumes from the settings (0 to 10 of
// the mixer's full volume; the effects through each effect's own volume,
// so the channels' volumes for crashes and the engine stay as they are).
void applyVolumes();
// While the game is paused: every playing channel and the music stop where
// they are, and go on from there on resuming (the engine only if it was
// running).
void pauseAllSound();
void resumeAllSound();

// Plays the sound events the world raised since the queue was last cleared.
void playSoundEvents();
// Once per frame, before drawing: the engine runs while the ship's flame
// had thrust since the last frame (render/presentation.h), and is paused
// otherwise.
void updateThrustSound();

} // namespace tether
