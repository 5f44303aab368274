#include "main/level.h"

#include "content/assets.h"
#include "content/maps.h"
#include "world/sound.h"
#include "world/world.h"

#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tether {

std::string mapPath;
char shipSpritePath[32] = "sprites/ship1.png";

namespace {

// Until the title screen exists: the first map of the list with ship 1.
void chooseFirstMap()
{
    std::vector<MapListEntry> entries;
    switch (readMapList("maps/maplist", entries)) {
    case MapListResult::cannotOpen:
        std::fputs("Error opening data", stdout);
        std::exit(1);
    case MapListResult::noMaps:
        std::fputs("NO MAPS", stdout);
        std::exit(0);
    case MapListResult::ok:
        break;
    }
    difficulty = 0;
    mapPath = "maps/" + entries.front().mapName;
    bossMapPath = "maps/" + entries.front().bossMapName;
    bossMusic = entries.front().bossMusic;
}

void loadShipImage()
{
    SDL_FreeSurface(shipSprite);
    shipSprite = IMG_Load(shipSpritePath);
}

} // namespace

void endLevel(FrameEnd)
{
    Mix_Pause(thrustChannel);
    clearWorld();
    closeLevelMap();
}

void runLevelCycle()
{
    for (;;) {
        gameOver = false;
        chooseFirstMap();
        loadShipImage();
        loadLevelMap(mapPath);
        assembleShip();
        endLevel(playLevel());
    }
}

} // namespace tether
