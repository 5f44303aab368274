#include "main/titlescreen.h"

#include "content/assets.h"
#include "content/images.h"
#include "content/maps.h"
#include "content/title.h"
#include "main/gamepad.h"
#include "main/settings.h"
#include "main/window.h"
#include "world/world.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tether {

namespace {

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

// A stick or D-pad push as the arrow key it stands for, pressed alone.
void padArrow(TitleMenu& menu, SDLKey arrow)
{
    Uint8 keys[SDLK_LAST] = {};
    keys[arrow] = 1;
    titleKeyDown(menu, keys);
}

enum class TitleStep { stay, start, quit, windowLost };

// Takes one event of the title: whether it starts the game or ends it.
TitleStep takeTitleEvent(const SDL_Event& event, const Uint8* keys, TitleMenu& menu)
{
    switch (event.type) {
    case SDL_QUIT: return TitleStep::quit;
    case SDL_KEYDOWN:
        if (keys[SDLK_ESCAPE])
            return TitleStep::quit;
        if (isBound(Command::fullscreen, event.key.keysym.sym) && !toggleFullscreen())
            return TitleStep::windowLost;
        titleKeyDown(menu, keys);
        return TitleStep::stay;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
            titleClick(menu, event.button.x, event.button.y);
        return TitleStep::stay;
    default: break;
    }
    switch (takePadEvent(event)) {
    case PadPress::confirm:
    case PadPress::start: return TitleStep::start;
    case PadPress::left: padArrow(menu, SDLK_LEFT); break;
    case PadPress::right: padArrow(menu, SDLK_RIGHT); break;
    case PadPress::up: padArrow(menu, SDLK_UP); break;
    case PadPress::down: padArrow(menu, SDLK_DOWN); break;
    default: break;
    }
    return TitleStep::stay;
}

} // namespace

std::optional<ProgramEnd> titleScreen(
    SDL_Surface* target, char* shipSpritePath, int* chosenDifficulty, std::string* chosenMapPath)
{
    std::vector<MapListEntry> maps;
    switch (readMapList("maps/maplist", maps)) {
    case MapListResult::cannotOpen: return ProgramEnd {1, "Error opening data"};
    case MapListResult::noMaps: return ProgramEnd {0, "NO MAPS"};
    case MapListResult::ok: break;
    }
    SDL_Surface* titleImage = loadConverted("main/titlescreen.png");
    const int mapCount = static_cast<int>(maps.size());

    // The game draws its own pointer in a level; here the system's shows
    // where a click will land.
    SDL_ShowCursor(SDL_ENABLE);
    TitleMenu menu;
    for (;;) {
        SDL_PumpEvents();
        const Uint8* keys = SDL_GetKeyState(nullptr);
        bool start = false;
        SDL_Event event;
        while (pollEvent(&event)) {
            const bool windowWas = target == screen;
            const TitleStep step = takeTitleEvent(event, keys, menu);
            if (step == TitleStep::quit || step == TitleStep::windowLost) {
                SDL_FreeSurface(titleImage);
                SDL_ShowCursor(SDL_DISABLE);
                return step == TitleStep::quit ? ProgramEnd {} : ProgramEnd {1, noVideoMode()};
            }
            start = step == TitleStep::start || start;
            if (windowWas)
                target = screen; // F11 may have made a new one
        }
        SDL_BlitSurface(titleImage, nullptr, target, nullptr);
        wrapTitleMenu(menu, mapCount);
        const MapListEntry& chosen = maps[static_cast<size_t>(menu.mapChoice)];
        if (start || keys[SDLK_SPACE] || keys[SDLK_RETURN] || keys[SDLK_KP_ENTER]) {
            const char shipDigit = static_cast<char>('1' + menu.shipChoice);
            std::snprintf(shipSpritePath, 18, "sprites/ship%c.png", shipDigit);
            *chosenDifficulty = menu.shipChoice;
            *chosenMapPath = "maps/" + chosen.mapName;
            bossMapPath = "maps/" + chosen.bossMapName;
            bossMusic = chosen.bossMusic;
            SDL_FreeSurface(titleImage);
            SDL_ShowCursor(SDL_DISABLE);
            return std::nullopt;
        }
        drawTitleMenu(target, menu, keys, chosen.mapName);
        if (target == screen)
            presentScreen();
        else
            SDL_Flip(target);
        waitForInput();
    }
}

} // namespace tether
