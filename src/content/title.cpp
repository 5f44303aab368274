// The title menu: how keys and clicks change the choices.
#include "content/title.h"

#include <cstdlib>

namespace tether {

void titleKeyDown(TitleMenu& menu, const Uint8* keys)
{
    int& choice = menu.menuRow == 0 ? menu.shipChoice : menu.mapChoice;
    if (keys[SDLK_RIGHT])
        ++choice;
    else if (keys[SDLK_LEFT])
        --choice;
    if (keys[SDLK_UP])
        ++menu.menuRow;
    else if (keys[SDLK_DOWN])
        --menu.menuRow;
}

void titleClick(TitleMenu& menu, int x, int y)
{
    for (int ship = 0; ship < titleShipCount; ++ship) {
        const int left = shipBoxLeft + shipBoxStep * ship;
        if (x >= left && x <= left + shipBoxWidth && y >= shipBoxTop && y <= shipBoxBottom) {
            menu.shipChoice = ship;
            menu.menuRow = 0;
            return;
        }
    }
    if (std::abs(y - arrowY) > arrowReach)
        return;
    if (std::abs(x - leftArrowX) <= arrowReach) {
        --menu.mapChoice;
        menu.menuRow = 1;
    } else if (std::abs(x - rightArrowX) <= arrowReach) {
        ++menu.mapChoice;
        menu.menuRow = 1;
    }
}

void wrapTitleMenu(TitleMenu& menu, int mapCount)
{
    if (menu.shipChoice > titleShipCount - 1)
        menu.shipChoice = 0;
    if (menu.shipChoice < 0)
        menu.shipChoice = titleShipCount - 1;
    if (menu.menuRow > 1)
        menu.menuRow = 0;
    if (menu.menuRow < 0)
        menu.menuRow = 1;
    if (menu.mapChoice > mapCount - 1)
        menu.mapChoice = 0;
    if (menu.mapChoice < 0)
        menu.mapChoice = mapCount - 1;
}

} // namespace tether
