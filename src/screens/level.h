// The level cycle and its music. A run is a sequence of levels: the player
// picks a map on the title screen; winning it leads straight into its boss
// map; winning that, losing anywhere, or Escape returns to the title screen.
// A restart (R) plays the same map again with the same ship, as a new level
// with a new seed. A won map's summary is printed and shown on the victory
// screen (screens/results.h), a lost level's on the game-over screen
// (screens/lostsummary.h).
// Music plays on throughout, a new track whenever the last one has ended.
#pragma once

#include "screens/frame.h"
#include "screens/programend.h"

#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tether {

constexpr Uint32 endScreenMs = 5000; // how long victory and game over show

extern std::string mapPath; // the map of the level to play
extern char shipSpritePath[32]; // the chosen ship's image
extern Mix_Music* music; // the track last started; cleared when it ends
// Raised by the mixer's thread when a track has ended; the frame clears it.
extern std::atomic<bool> musicFinished;

// The track to start now: the boss track on a boss level, otherwise one of
// tracks 2 to 6 at random.
Mix_Music* trackToPlay();
// Once per frame: starts a track when none plays (the boss track on a boss
// level, otherwise one of tracks 2 to 6 at random).
void checkMusic();
// The mixer's music-finished hook: raises musicFinished, nothing more.
void musicDone();
// The victory or game-over screen: image over the last frame for holdMs,
// with the note's lines at the bottom-left (render/overlay.h). Key, button
// and pad presses meanwhile are dropped.
struct EndScreen {
    Uint32 start = 0; // the clock when the picture went up
    Uint32 holdMs = endScreenMs;
};
enum class EndScreenOutcome { holding, done, quit };
// Puts the picture up and starts its clock.
void openEndScreen(
    EndScreen& endScreen, SDL_Surface* image, const std::vector<std::string>& note = {});
// One frame of the end screen: done once its time is up. A quit meanwhile
// prints the level's frame statistics: the game ends (status 0).
EndScreenOutcome endScreenFrame(const EndScreen& endScreen);
// A map the level cycle cannot play, said in the window (why, in words, on
// black) for an end screen's time; a quit ends it at once.
void openRefusal(EndScreen& refusal, const std::string& why);
EndScreenOutcome refusalFrame(const EndScreen& refusal);
// The end screen a level's end calls for (null: none) and its note. A level
// played now has its victory counted (screens/results.h) or its loss told
// (screens/lostsummary.h); a replay played back has neither.
SDL_Surface* endPicture(FrameEnd how, bool playedNow, std::vector<std::string>& note);
// A restart's end: the world torn down, the same map next, boss or not.
void restartLevel();
// Pauses the engine, decides whether the boss level follows, and tears the
// world down.
void endLevel();
// The map's name as the map list gives it: its path without "maps/".
std::string mapName(const std::string& path);
// Starts the level on mapPath with the chosen ship (its number and its
// image, shipSpritePath) and seed: the map read, the ship assembled. Empty,
// or the message the game ends with (status 1) when the map cannot be read.
std::string enterLevel(uint64_t seed, std::string* why = nullptr);
// In the window every level gets a new seed from the clock.
uint64_t clockSeed();

} // namespace tether
