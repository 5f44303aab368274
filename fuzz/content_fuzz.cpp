// Fuzzes the game's readers of hand-written content: the data file, a map
// (loaded, populated, the ship assembled, a few physics steps, torn down),
// the map list, the player's settings and best-times files and a replay
// (read, checked against the data file, every frame's input taken out). The
// first byte of the input picks the reader; the rest is the file. Whatever
// a content author or a player's disk holds must never crash the game.
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/replay.h"
#include "platform/settings.h"
#include "screens/results.h"
#include "screens/session.h"
#include "world/object.h"
#include "world/world.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace tether;

namespace {

std::string scratchFile()
{
    return "/tmp/tether-fuzz-" + std::to_string(getpid());
}

// The settings are read from the player's config folder: one of our own.
std::string scratchConfig()
{
    return scratchFile() + "-config";
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
    setenv("XDG_CONFIG_HOME", scratchConfig().c_str(), 1);
    mkdir(scratchConfig().c_str(), 0700);
    mkdir((scratchConfig() + "/tether").c_str(), 0700);
    // Tuning as the shipped data file gives it, so maps build real objects.
    readDataFile(TETHER_GAME_DIR "/data");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    writeScratch(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0:
        readDataFile(scratchFile());
        readDataFile(TETHER_GAME_DIR "/data"); // back to sane tuning
        break;
    case 1: {
        // A world of its own for each map, as the game's first.
        World level(gameTuning());
        WorldInUse inUse(level);
        loadMap(scratchFile());
        assembleShip();
        FrameInput input;
        input.pointerX = level.ship->x + 50;
        input.pointerY = level.ship->y;
        for (int step = 0; step < 20; ++step)
            physicsStep(world(), input);
        clearWorld(world());
        closeLevelMap();
        break;
    }
    case 2: {
        std::vector<MapListEntry> entries;
        readMapList(scratchFile(), entries);
        break;
    }
    case 3: {
        std::ofstream(settingsPath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(data + 1), std::streamsize(size - 1));
        loadSettings();
        settings = Settings();
        // The same bytes as a best-times file, which a player may edit too.
        readBestTimes(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
        break;
    }
    default: {
        std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
        Replay replay;
        if (readReplay(in, replay).empty()) {
            checkReplayFits(replay, replay.dataHash);
            for (size_t i = 0; i < replay.frames.size(); ++i)
                replayFrameInput(replay, i);
        }
        break;
    }
    }
    return 0;
}
