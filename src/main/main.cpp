// Tether: the process entry. Reads the command line, moves into the game's
// folder, brings the game up, then plays level after level until the player
// quits, or plays a replay back.
#include "main/display.h"
#include "main/gamefolder.h"
#include "main/level.h"
#include "main/options.h"
#include "main/playback.h"
#include "main/recorder.h"
#include "main/startup.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
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
    tether::enterGameFolder();
    tether::rememberDataFile();
    if (!tether::replayToPlay.empty())
        return tether::playReplayInWindow();
    tether::startUp();
    tether::runLevelCycle();
}
