// The title screen: choose one of three ships (which is also the control
// scheme, `difficulty`) and one map of "maps/maplist", then Space.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

// The menu's state while the title screen runs.
struct TitleMenu {
    int shipChoice = 0; // 0..2
    int menuRow = 0; // 0: ship row, 1: map row
    int mapChoice = 0; // 0..mapCount-1
};

// A key went down: the whole keyboard state decides what changes. Right
// wins over Left, Up over Down; Up and Down both move to the other row.
void titleKeyDown(TitleMenu& menu, const Uint8* keys);
// Wraps every choice around its range.
void wrapTitleMenu(TitleMenu& menu, int mapCount);
// Draws the row frame, the held-arrow dot, the ship box and the map name
// over the title picture already on screen.
void drawTitleMenu(
    SDL_Surface* screen, const TitleMenu& menu, const Uint8* keys, const std::string& mapName);

// Runs the title screen until Space; writes the ship image path (the buffer
// holds at least 18 characters), the difficulty, the map path, and the boss
// map and music of the chosen map. Escape or a quit end the process with
// status 0; a map list that cannot be opened prints "Error opening data"
// (status 1), one with no maps "NO MAPS" (status 0).
void titleScreen(SDL_Surface* screen, char* shipSpritePath, int* difficulty, std::string* mapPath);

} // namespace tether
