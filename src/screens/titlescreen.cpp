#include "screens/titlescreen.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "content/images.h"
#include "content/maps.h"
#include "content/title.h"
#include "platform/gamepad.h"
#include "platform/keyboard.h"
#include "platform/settings.h"
#include "platform/window.h"
#include "render/screencanvas.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"
#include "render/titlemenu.h"
#include "world/world.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tether {

namespace {

// A stick or D-pad push as the arrow key it stands for, pressed alone.
void padArrow(TitleMenu& menu, SDLKey arrow)
{
    Uint8 keys[SDLK_LAST] = {};
    keys[arrow] = 1;
    titleKeyDown(menu, keys);
}

enum class TitleStep { stay, start, quit, windowLost };

bool startsTheGame(SDLKey key)
{
    return key == SDLK_SPACE || key == SDLK_RETURN || key == SDLK_KP_ENTER;
}

// Takes one event of the title: whether it starts the game or ends it.
// A key press examines the whole keyboard as it stands, with the pressed
// key counted as held: a tap let go before the frame read the keyboard (a
// press and release within one frame) is still a press.
TitleStep takeTitleEvent(const SDL_Event& event, const Uint8* keys, TitleMenu& menu)
{
    switch (event.type) {
    case SDL_QUIT: return TitleStep::quit;
    case SDL_KEYDOWN: {
        const SDLKey pressed = event.key.keysym.sym;
        if (keys[SDLK_ESCAPE] || pressed == SDLK_ESCAPE)
            return TitleStep::quit;
        if (isBound(Command::fullscreen, pressed) && !toggleFullscreen())
            return TitleStep::windowLost;
        if (startsTheGame(pressed))
            return TitleStep::start;
        Uint8 held[SDLK_LAST];
        std::copy(keys, keys + SDLK_LAST, held);
        if (pressed > SDLK_UNKNOWN && pressed < SDLK_LAST)
            held[pressed] = 1;
        titleKeyDown(menu, held);
        return TitleStep::stay;
    }
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

std::optional<ProgramEnd> openTitle(TitleState& title)
{
    title = TitleState {};
    switch (readMapList("maps/maplist", title.maps)) {
    case MapListResult::cannotOpen: return ProgramEnd {1, "Error opening data"};
    case MapListResult::noMaps: return ProgramEnd {0, "NO MAPS"};
    case MapListResult::ok: break;
    }
    title.image = loadConverted("main/titlescreen.png");
    forgetSoftPicture(title.image); // anything kept for a freed image at its address
    // The game draws its own pointer in a level; here the system's shows
    // where a click will land.
    SDL_ShowCursor(SDL_ENABLE);
    return std::nullopt;
}

void closeTitle(TitleState& title)
{
    forgetSoftPicture(title.image); // its memory may hold another image next
    SDL_FreeSurface(title.image);
    title.image = nullptr;
    SDL_ShowCursor(SDL_DISABLE);
}

TitleOutcome titleFrame(TitleState& title, TitleChoice& choice, ProgramEnd& end)
{
    SDL_PumpEvents();
    const Uint8* keys = heldKeys();
    bool start = false;
    SDL_Event event;
    while (pollEvent(&event)) {
        const TitleStep step = takeTitleEvent(event, keys, title.menu);
        if (step == TitleStep::quit || step == TitleStep::windowLost) {
            closeTitle(title);
            end = step == TitleStep::quit ? ProgramEnd {} : ProgramEnd {1, noVideoMode()};
            return TitleOutcome::ended;
        }
        start = step == TitleStep::start || start;
    }
    wrapTitleMenu(title.menu, static_cast<int>(title.maps.size()));
    const MapListEntry& chosen = title.maps[static_cast<size_t>(title.menu.mapChoice)];
    if (start || keys[SDLK_SPACE] || keys[SDLK_RETURN] || keys[SDLK_KP_ENTER]) {
        const char shipDigit = static_cast<char>('1' + title.menu.shipChoice);
        std::snprintf(
            choice.shipSpritePath, sizeof choice.shipSpritePath, "sprites/ship%c.png", shipDigit);
        choice.chosenShip = title.menu.shipChoice;
        choice.mapPath = "maps/" + chosen.mapName;
        world().bossMapPath = "maps/" + chosen.bossMapName;
        world().bossMusic = chosen.bossMusic;
        closeTitle(title);
        return TitleOutcome::started;
    }
    // The canvas asked for now: F11 may have made a new picture.
    Canvas& canvas = screenCanvas();
    canvas.blit(pictureOf(title.image), 0, 0);
    drawTitleMenu(canvas, title.menu, keys, chosen.mapName);
    presentScreen();
    return TitleOutcome::waiting;
}

} // namespace tether
