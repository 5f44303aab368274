// The title screen's loop: the title picture and its menu (content/title.h)
// until the player starts, with the keyboard (arrows, Space or Return), the
// mouse (a click on a ship or an arrow) or the gamepad (stick or D-pad, A
// or Start). F11 switches full screen here too.
#pragma once

#include "main/programend.h"

#include <SDL.h>

#include <optional>
#include <string>

namespace tether {

// Runs the title screen until Space or Return (or the pad's A or Start);
// writes the ship image path (the buffer holds at least 18 characters),
// the difficulty, the map path, and the boss map and music of the chosen
// map, and answers nothing. Escape or a quit end the game (status 0); a
// map list that cannot be opened ends it with "Error opening data" (status
// 1), one with no maps with "NO MAPS" (status 0); F11 finding no video mode
// with noVideoMode() (status 1). Each call starts on the first ship and map.
std::optional<ProgramEnd> titleScreen(
    SDL_Surface* screen, char* shipSpritePath, int* difficulty, std::string* mapPath);

} // namespace tether
