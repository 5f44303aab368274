// The title menu's marks, in the colours and at the places the title
// picture was drawn for.
#include "render/titlemenu.h"

#include "render/sdlcanvas.h"

namespace tether {

namespace {

constexpr uint32_t frameColour = 0xffff00ff; // yellow, around the focused row
constexpr uint32_t dotColour = 0x000000ff; // black, on a held arrow
constexpr uint32_t nameColour = 0xffffffff;
constexpr uint32_t shipBoxColours[titleShipCount] = {0x0000ffff, 0x00ffffff, 0xff0000ff};
constexpr int glyphWidth = 8; // the canvas's font
constexpr int dotRadius = 5;

} // namespace

void drawTitleMenu(
    Canvas& canvas, const TitleMenu& menu, const Uint8* keys, const std::string& mapName)
{
    if (menu.menuRow == 0) {
        canvas.outline(320, 105, 450, 160, frameColour);
    } else {
        canvas.outline(320, 375, 450, 435, frameColour);
        if (keys[SDLK_LEFT])
            canvas.disc(leftArrowX, arrowY, dotRadius, dotColour);
        else if (keys[SDLK_RIGHT])
            canvas.disc(rightArrowX, arrowY, dotRadius, dotColour);
    }
    const int ship = menu.shipChoice;
    const int left = shipBoxLeft + shipBoxStep * ship;
    canvas.outline(left, shipBoxTop, left + shipBoxWidth, shipBoxBottom, shipBoxColours[ship]);
    const int nameX = 400 - glyphWidth / 2 * static_cast<int>(mapName.size());
    canvas.text(nameX, arrowY, mapName.c_str(), nameColour);
}

#ifndef TETHER_NO_SDL_GFX
void drawTitleMenu(
    SDL_Surface* screen, const TitleMenu& menu, const Uint8* keys, const std::string& mapName)
{
    SdlCanvas canvas(screen);
    drawTitleMenu(canvas, menu, keys, mapName);
}
#endif

} // namespace tether
