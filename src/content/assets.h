// The images and music loaded once at start-up and kept for the whole run.
// Sound effects and mixer channels belong to platform/audio.h; the images that
// the data file names belong to content/tuning.h. Any entry may be null when
// its file is missing; whoever draws it skips it then.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace tether {

constexpr int musicTrackCount = 13;
constexpr int backgroundLayerCount = 4;

extern SDL_Surface* screen; // the 800 by 600 video surface

extern Mix_Music* musicTracks[musicTrackCount]; // index n-1: "music/track<n>.ogg"

extern SDL_Surface* digits[11]; // 0..9, then the percent sign
extern SDL_Surface* nullSprite; // image of small shots
extern SDL_Surface* flames[3]; // thrust flame frames
extern SDL_Surface* bfgflames[10]; // explosion frames of an expired BFG ball
extern SDL_Surface* explosions[10];
extern SDL_Surface* shredder;
extern SDL_Surface* bfgshot;
extern SDL_Surface* mineSprite; // every mine gets its own scaled copy
extern SDL_Surface* shieldSprite; // the damage flash
extern SDL_Surface* hudImage;
extern SDL_Surface* radarImage;
extern SDL_Surface* gameOverImage;
extern SDL_Surface* victoryImage;
extern SDL_Surface* cursorImage;
extern SDL_Surface* chainImage; // rope links, and the player's hook mount
extern SDL_Surface* backgroundLayers[backgroundLayerCount]; // nearest first
extern float layerDivisors[backgroundLayerCount]; // parallax divisors
extern SDL_Surface* shipSprite; // the player's ship, reloaded every level

// Loads the thirteen music tracks.
void loadMusic();
// Loads every image of the table above except the ship, with its treatment,
// and fills the layer divisors.
void loadImages();

} // namespace tether
