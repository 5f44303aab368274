// Fuzzes the game's readers of hand-written content: the data file, a map
// (loaded, populated, the ship assembled, a few physics steps, torn down)
// and the map list. The first byte of the input picks the reader; the rest
// is the file. Whatever a content author writes must never crash the game.
#include "content/maps.h"
#include "content/tuning.h"
#include "main/session.h"
#include "world/object.h"
#include "world/world.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tether;

namespace {

std::string scratchFile()
{
    return "/tmp/tether-fuzz-" + std::to_string(getpid());
}

void writeScratch(const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(scratchFile().c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(800, 600, 32, 0);
    // Tuning as the shipped data file gives it, so maps build real objects.
    readDataFile(TETHER_GAME_DIR "/data");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    writeScratch(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        readDataFile(scratchFile());
        readDataFile(TETHER_GAME_DIR "/data"); // back to sane tuning
        break;
    case 1: {
        worldW = worldH = 2000.0f;
        loadMap(scratchFile());
        assembleShip();
        FrameInput input;
        input.pointerX = ship->x + 50;
        input.pointerY = ship->y;
        for (int step = 0; step < 20; ++step)
            physicsStep(input);
        clearWorld();
        closeLevelMap();
        break;
    }
    default: {
        std::vector<MapListEntry> entries;
        readMapList(scratchFile(), entries);
        break;
    }
    }
    return 0;
}
