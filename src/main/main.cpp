// Tether: the process entry. Reads the command line, moves into the game's
// folder, brings the game up, then plays level after level until the player
// quits, or plays a replay back.
#include "main/gamefolder.h"
#include "main/level.h"
#include "main/options.h"
#include "main/playback.h"
#include "main/recorder.h"
#include "main/startup.h"

#include <SDL.h>

int main(int argc, char** argv)
{
    switch (tether::readCommandLine(argc, argv)) {
    case tether::CommandLine::answered: return 0;
    case tether::CommandLine::badUsage: return 2;
    case tether::CommandLine::play: break;
    }
    tether::enterGameFolder();
    tether::rememberDataFile();
    if (!tether::replayToPlay.empty())
        return tether::playReplayInWindow();
    tether::startUp();
    tether::runLevelCycle();
}
