#include "content/title.h"

#include "content/images.h"
#include "content/maps.h"
#include "world/world.h"

#include <SDL_gfxPrimitives.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tether {

namespace {

constexpr Uint32 frameColour = 0xffff00ff; // yellow, around the focused row
constexpr Uint32 dotColour = 0x000000ff; // black, on a held arrow
constexpr Uint32 nameColour = 0xffffffff;
constexpr Uint32 shipBoxColours[3] = {0x0000ffff, 0x00ffffff, 0xff0000ff};
constexpr int shipCount = 3;
constexpr int glyphWidth = 8; // the built-in font

void frame(SDL_Surface* screen, int x1, int y1, int x2, int y2, Uint32 colour)
{
    rectangleColor(screen, static_cast<Sint16>(x1), static_cast<Sint16>(y1),
        static_cast<Sint16>(x2), static_cast<Sint16>(y2), colour);
}

// Nothing on the title changes without input: between passes, sleep until
// an event waits, and leave it for the next pass to read.
void waitForInput()
{
    SDL_Event event;
    for (;;) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
            return;
        SDL_Delay(10);
    }
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
    const int left = 125 + 200 * menu.shipChoice;
    frame(screen, left, 165, left + 150, 340, shipBoxColours[menu.shipChoice]);
    const int nameX = 400 - glyphWidth / 2 * static_cast<int>(mapName.size());
    stringColor(screen, static_cast<Sint16>(nameX), 500, mapName.c_str(), nameColour);
}

void titleScreen(
    SDL_Surface* screen, char* shipSpritePath, int* chosenDifficulty, std::string* chosenMapPath)
{
    SDL_Surface* titleImage = loadConverted("main/titlescreen.png");
    std::vector<MapListEntry> maps;
    switch (readMapList("maps/maplist", maps)) {
    case MapListResult::cannotOpen: std::fputs("Error opening data", stdout); std::exit(1);
    case MapListResult::noMaps: std::fputs("NO MAPS", stdout); std::exit(0);
    case MapListResult::ok: break;
    }
    const int mapCount = static_cast<int>(maps.size());

    TitleMenu menu;
    for (;;) {
        SDL_PumpEvents();
        const Uint8* keys = SDL_GetKeyState(nullptr);
        SDL_BlitSurface(titleImage, nullptr, screen, nullptr);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT)
                std::exit(0);
            if (event.type == SDL_KEYDOWN) {
                if (keys[SDLK_ESCAPE])
                    std::exit(0);
                titleKeyDown(menu, keys);
            }
        }
        wrapTitleMenu(menu, mapCount);
        const MapListEntry& chosen = maps[static_cast<size_t>(menu.mapChoice)];
        if (keys[SDLK_SPACE]) {
            const char shipDigit = static_cast<char>('1' + menu.shipChoice);
            std::snprintf(shipSpritePath, 18, "sprites/ship%c.png", shipDigit);
            *chosenDifficulty = menu.shipChoice;
            *chosenMapPath = "maps/" + chosen.mapName;
            bossMapPath = "maps/" + chosen.bossMapName;
            bossMusic = chosen.bossMusic;
            SDL_FreeSurface(titleImage);
            return;
        }
        drawTitleMenu(screen, menu, keys, chosen.mapName);
        SDL_Flip(screen);
        waitForInput();
    }
}

} // namespace tether
