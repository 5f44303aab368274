// Tether: the process entry. Reads the command line, moves into the game's
// folder, brings the game up, then plays level after level until the player
// quits, or plays a replay back.
#include "main/display.h"
#include "main/gamefolder.h"
#include "main/level.h"
#include "main/options.h"
#include "main/playback.h"
#include "main/programend.h"
#include "main/recorder.h"
#include "main/startup.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <string>

namespace {

// The game brought up, then level after level until the player quits.
tether::ProgramEnd playGame()
{
    if (std::string notUp = tether::startUp(); !notUp.empty())
        return tether::ProgramEnd {1, notUp};
    return tether::runLevelCycle();
}

} // namespace

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
    tether::enterGameFolder();
    tether::rememberDataFile();
    const tether::ProgramEnd end
        = tether::replayToPlay.empty() ? playGame() : tether::playReplayInWindow();
    // Every error and the title's "NO MAPS" come back here, to be told once.
    std::fputs(end.message.c_str(), stdout);
    std::fflush(stdout);
    return end.status;
}
