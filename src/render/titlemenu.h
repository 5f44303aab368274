// The title menu drawn over the title picture: the frame round the focused
// row, the dot on a held arrow, the box round the chosen ship and the map's
// name (content/title.h has the menu and where its parts lie).
#pragma once

#include "content/title.h"
#include "render/canvas.h"

#include <SDL.h>

#include <string>

namespace tether {

// keys: the whole keyboard state, for the held arrow's dot.
void drawTitleMenu(
    Canvas& canvas, const TitleMenu& menu, const Uint8* keys, const std::string& mapName);
void drawTitleMenu(
    SDL_Surface* screen, const TitleMenu& menu, const Uint8* keys, const std::string& mapName);

} // namespace tether
