// The title screen: the title picture and its menu (content/title.h)
// until the player starts, with the keyboard (arrows, Space or Return), the
// mouse (a click on a ship or an arrow) or the gamepad (stick or D-pad, A
// or Start). F11 switches full screen here too.
#pragma once

#include "content/maps.h"
#include "content/title.h"
#include "screens/programend.h"

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

namespace tether {

// The title while it stands: its picture, the map list and the menu.
struct TitleState {
    SDL_Surface* image = nullptr;
    std::vector<MapListEntry> maps;
    TitleMenu menu;
};

// What the player chose: the ship's image, the ship (0 to 2) and
// the map. The chosen map's boss map and music go to bossMapPath and
// bossMusic (world/world.h).
struct TitleChoice {
    char shipSpritePath[32] = "sprites/ship1.png";
    int chosenShip = 0;
    std::string mapPath;
};

enum class TitleOutcome { waiting, started, ended };

// Reads the map list and puts the title up on its first ship and map. A
// map list that cannot be opened ends the game with "Error opening data"
// (status 1), one with no maps with "NO MAPS" (status 0).
std::optional<ProgramEnd> openTitle(TitleState& title);
// One frame of the title: its events, then its picture. Every key press
// counts, even one let go within the frame. Started (Space or Return
// pressed or held, the pad's A or Start): choice is written and the title
// closed. Ended (Escape or a quit: status 0; F11 finding no video mode:
// noVideoMode(), status 1): end is written and the title closed. Waiting:
// nothing changes on the title until the next input comes.
TitleOutcome titleFrame(TitleState& title, TitleChoice& choice, ProgramEnd& end);
// Takes the title down (openTitle's picture and the system pointer).
void closeTitle(TitleState& title);

} // namespace tether
