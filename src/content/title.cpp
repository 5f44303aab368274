// The title menu: how keys and clicks change the choices, and how the
// choices are drawn over the title picture.
#include "content/title.h"

#include <SDL_gfxPrimitives.h>

#include <cstdlib>

namespace tether {

namespace {

constexpr Uint32 frameColour = 0xffff00ff; // yellow, around the focused row
constexpr Uint32 dotColour = 0x000000ff; // black, on a held arrow
constexpr Uint32 nameColour = 0xffffffff;
constexpr Uint32 shipBoxColours[3] = {0x0000ffff, 0x00ffffff, 0xff0000ff};
constexpr int shipCount = 3;
constexpr int glyphWidth = 8; // the built-in font
// Ship box k spans (shipBoxLeft + shipBoxStep * k, shipBoxTop) to
// (shipBoxLeft + shipBoxStep * k + shipBoxWidth, shipBoxBottom).
constexpr int shipBoxLeft = 125, shipBoxStep = 200, shipBoxWidth = 150;
constexpr int shipBoxTop = 165, shipBoxBottom = 340;
// The arrows the title picture draws beside the map's name, centred on
// (47, 500) and (750, 500), and how far from its centre a click still
// hits one.
constexpr int leftArrowX = 47, rightArrowX = 750, arrowY = 500, arrowReach = 26;

void frame(SDL_Surface* screen, int x1, int y1, int x2, int y2, Uint32 colour)
{
    rectangleColor(screen, static_cast<Sint16>(x1), static_cast<Sint16>(y1),
        static_cast<Sint16>(x2), static_cast<Sint16>(y2), colour);
}

} // namespace

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
    for (int ship = 0; ship < shipCount; ++ship) {
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
    if (menu.shipChoice > shipCount - 1)
        menu.shipChoice = 0;
    if (menu.shipChoice < 0)
        menu.shipChoice = shipCount - 1;
    if (menu.menuRow > 1)
        menu.menuRow = 0;
    if (menu.menuRow < 0)
        menu.menuRow = 1;
    if (menu.mapChoice > mapCount - 1)
        menu.mapChoice = 0;
    if (menu.mapChoice < 0)
        menu.mapChoice = mapCount - 1;
}

void drawTitleMenu(
    SDL_Surface* screen, const TitleMenu& menu, const Uint8* keys, const std::string& mapName)
{
    if (menu.menuRow == 0) {
        frame(screen, 320, 105, 450, 160, frameColour);
    } else {
        frame(screen, 320, 375, 450, 435, frameColour);
        if (keys[SDLK_LEFT])
            filledCircleColor(screen, 47, 500, 5, dotColour);
        else if (keys[SDLK_RIGHT])
            filledCircleColor(screen, 750, 500, 5, dotColour);
    }
    const int left = shipBoxLeft + shipBoxStep * menu.shipChoice;
    frame(screen, left, shipBoxTop, left + shipBoxWidth, shipBoxBottom,
        shipBoxColours[menu.shipChoice]);
    const int nameX = 400 - glyphWidth / 2 * static_cast<int>(mapName.size());
    stringColor(screen, static_cast<Sint16>(nameX), 500, mapName.c_str(), nameColour);
}

} // namespace tether
