// Tether: the process entry. Reads the command line, moves into the game's
// folder, then runs the game's screens frame by frame (main/program.h) until
// the game ends, and tells how it ended.
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "main/options.h"
#include "main/program.h"
#include "platform/display.h"
#include "platform/frametimes.h"
#include "platform/gamefolder.h"
#include "screens/recorder.h"
#include "world/world.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    // A write to a standard output nobody reads any more (the game piped
    // into a program that has ended) fails instead of ending the game.
    std::signal(SIGPIPE, SIG_IGN);
    switch (tether::readCommandLine(argc, argv)) {
    case tether::CommandLine::answered: return 0;
    case tether::CommandLine::badUsage: return 2;
    case tether::CommandLine::play: break;
    }
    if (const std::string missing = tether::missingDisplay(); !missing.empty()) {
        std::printf("%s\n", missing.c_str());
        return 1;
    }
    // The one world the game's levels are played in, in turn. It outlives
    // main: the handler that tears a level down at exit (main/startup.cpp)
    // runs after main has returned.
    static tether::World world(tether::gameTuning());
    tether::worldInUse() = &world;
    tether::enterGameFolder();
    tether::rememberDataFile();
    tether::Program program
        = tether::replayToPlay.empty() ? tether::gameProgram() : tether::playbackProgram();
    while (tether::programFrame(program)) { }
    const tether::ProgramEnd end = program.end.value_or(tether::ProgramEnd {});
    // Every error and the title's "NO MAPS" come back here, to be told once.
    std::fputs(end.message.c_str(), stdout);
    // For comparing builds: how long the frames took (not a player's line).
    if (std::getenv("TETHER_FRAME_TIMES"))
        std::printf("Frame times: %s\n", tether::frameTimesReport().c_str());
    std::fflush(stdout);
    return end.status;
}
