// A level from its map to its end: the content loads it, the simulation
// plays it, and drawing's copies of its images go with it.
#include "screens/session.h"
#include "content/worldinuse.h"

#include "content/maps.h"
#include "render/screencanvas.h"
#include "world/world.h"

namespace tether {

bool startLevel(const std::string& mapPath, int shipChoice, uint64_t seed)
{
    stopLevel();
    world().gameOver = false;
    world().chosenShip = shipChoice;
    if (!loadMap(mapPath))
        return false;
    assembleShip();
    resetLevel(world(), seed);
    return true;
}

void stopLevel()
{
    clearWorld(world());
    closeLevelMap();
    // Drawing's copies of the level's images go with them.
    forgetImageCopies();
}

} // namespace tether
