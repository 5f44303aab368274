// mapcheck: checks the game's content files before a player meets
// them. See --help, and command.cpp.
#include "command.h"

#include "content/tuning.h"
#include "content/worldinuse.h"
#include "world/world.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // The world each map is built in to be checked.
    tether::World world(tether::gameTuning());
    tether::WorldInUse inUse(world);
    std::string out, err;
    const int status = mapcheck::runCommand({argv + 1, argv + argc}, out, err);
    // Written whole: a report is never cut short by a byte it quotes.
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
