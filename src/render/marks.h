// Signs over a level's picture about the game around the level rather
// than the level itself: a volume's level as a small bar while a volume key
// changes it, and the mark of a replay being played back, so that nobody
// takes it for play. Both keep clear of the hint at the top's middle and of
// the HUD.
#pragma once

#include "render/canvas.h"

#include <SDL.h>

#include <string>

namespace tether {

constexpr Uint32 volumeBarShownMs = 1200; // of real time, solid; then it fades
constexpr Uint32 volumeBarFadeMs = 600;

// The bar's opacity (255 solid, 0 gone) ageMs after the volume changed.
Uint8 volumeBarAlpha(Uint32 ageMs);
// label ("MUSIC") and a bar of steps segments, the first level of them
// lit, centred below the hint at the top; faded by alpha.
void drawVolumeBar(Canvas& canvas, const std::string& label, int level, int steps, Uint8 alpha);
void drawVolumeBar(
    SDL_Surface* screen, const std::string& label, int level, int steps, Uint8 alpha);
// "REPLAY" large at the top-left, the map and the ship's name below it.
void drawReplayMark(Canvas& canvas, const std::string& map, const std::string& ship);
void drawReplayMark(SDL_Surface* screen, const std::string& map, const std::string& ship);

} // namespace tether
