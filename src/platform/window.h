// The game's window: full screen or a window, with the game's 800 by 600
// picture (`screen`, content/assets.h) shown at its own size or at twice it.
// At twice the size the game draws into a picture of its own, and each
// flip doubles every pixel into the window (scaleTwice); mouse events are
// brought back to the picture's coordinates, so the rest of the game never
// knows the scale. Full screen falls back to a window when another program
// holds the display's input (platform/display.h), and to scale 1, with a line
// on standard output, when the screen is too small for twice the size
// (full screen or a window alike).
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

// The game's picture, in pixels.
constexpr int screenWidth = 800;
constexpr int screenHeight = 600;

extern int windowScale; // 1 or 2: window pixels per picture pixel

// Opens the window as the settings say (platform/settings.h); empty, or when no
// mode works the message the game ends with (status 1): noVideoMode().
std::string openWindow();
// Full screen to window and back (F11), kept in the settings. The picture
// is kept; the caller draws and presents the next frame as usual. False
// when neither mode works any more: the game ends with noVideoMode().
bool toggleFullscreen();
// "Unable to set 800x600 video: <SDL's reason>" and a line break.
std::string noVideoMode();
bool isFullscreen();
// Shows the frame just drawn (render/screencanvas.h): the software canvas's
// pixels through showPixels (platform/showpixels.h), the desktop's picture
// through flipScreen.
void presentScreen();
// Shows the picture in the window: a flip, or the doubling and a flip.
void flipScreen();
// SDL_PollEvent, with mouse positions in picture coordinates.
int pollEvent(SDL_Event* event);
// Brings an event's mouse position from window to picture coordinates.
void toPictureCoordinates(SDL_Event& event);
// Writes every pixel of from as a 2 by 2 block into to (32 bits a pixel
// both; to at least twice from's size).
void scaleTwice(SDL_Surface* from, SDL_Surface* to);

} // namespace tether
