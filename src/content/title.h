// The title screen's menu: choose one of three ships (which is also the
// control scheme, `chosenShip` in world/world.h) and one map of "maps/maplist", then Space
// or Return. The screen's loop, which reads keys, clicks and the gamepad,
// is screens/titlescreen.h; the menu is drawn by render/titlemenu.h.
#pragma once

#include <SDL.h>

#include <string>

namespace tether {

// Where the title picture has its parts. Ship box k spans
// (shipBoxLeft + shipBoxStep * k, shipBoxTop) to
// (shipBoxLeft + shipBoxStep * k + shipBoxWidth, shipBoxBottom).
constexpr int titleShipCount = 3;
constexpr int shipBoxLeft = 125, shipBoxStep = 200, shipBoxWidth = 150;
constexpr int shipBoxTop = 165, shipBoxBottom = 340;
// The arrows beside the map's name, centred on (47, 500) and (750, 500),
// and how far from its centre a click still hits one.
constexpr int leftArrowX = 47, rightArrowX = 750, arrowY = 500, arrowReach = 26;

// The menu's state while the title screen runs.
struct TitleMenu {
    int shipChoice = 0; // 0..2
    int menuRow = 0; // 0: ship row, 1: map row
    int mapChoice = 0; // 0..mapCount-1
};

// A key went down: the whole keyboard state decides what changes. Right
// wins over Left, Up over Down; Up and Down both move to the other row.
void titleKeyDown(TitleMenu& menu, const Uint8* keys);
// A click at (x, y) on the title picture: on a ship's box it chooses that
// ship, on an arrow beside the map's name it moves the map choice; the
// row clicked gets the focus. Elsewhere nothing changes.
void titleClick(TitleMenu& menu, int x, int y);
// Wraps every choice around its range.
void wrapTitleMenu(TitleMenu& menu, int mapCount);

} // namespace tether
