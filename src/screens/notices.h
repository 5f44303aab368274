// The small words at the top of a level: for its first seconds of play a
// hint on where the controls are ("F1 controls, P pause", by the keys
// bound), fading out; for a moment, what a key just changed (a volume's
// level as a bar, fading: render/marks.h); and while a replay plays back,
// its mark. None pauses anything, and all keep clear of the HUD.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

class Canvas;

constexpr int hintShownMs = 4000; // of game time, then it fades
constexpr int hintFadeMs = 1000;
constexpr Uint32 noticeShownMs = 1500; // of real time: the level may be paused

// Shows text in the notice line from now.
void showNotice(const std::string& text);
// Shows a volume's level (0 to volumeSteps) in the bar from now.
void showVolume(const std::string& label, int level);
// Marks every frame from now on as a replay's of map, played with ship
// (1, 2 or 3).
void markReplay(const std::string& map, int ship);
// Draws the hint, the notice, the volume bar and the replay's mark over the
// frame on the canvas (or in screen).
void drawNotices(Canvas& canvas);
void drawNotices(SDL_Surface* screen);
// The hint's opacity (255 solid, 0 gone) after gameTime ms of the level.
int hintAlpha(long long gameTime);

} // namespace tether
