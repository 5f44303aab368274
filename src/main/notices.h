// The small words at the top of a level: for its first seconds of play a
// hint on where the controls are ("F1 controls, P pause", by the keys
// bound), fading out; and for a moment, what a key just changed (a
// volume). Neither pauses anything, and both keep clear of the HUD.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

constexpr int hintShownMs = 4000; // of game time, then it fades
constexpr int hintFadeMs = 1000;
constexpr Uint32 noticeShownMs = 1500; // of real time: the level may be paused

// Shows text in the notice line from now.
void showNotice(const std::string& text);
// Draws the hint and the notice over the frame in screen.
void drawNotices(SDL_Surface* screen);
// The hint's opacity (255 solid, 0 gone) after gameTime ms of the level.
int hintAlpha(long long gameTime);

} // namespace tether
