// Tether: the process entry. Brings the game up, then plays level after
// level until the player quits.
#include "main/level.h"
#include "main/startup.h"

#include <SDL.h>

int main(int, char**)
{
    tether::startUp();
    tether::runLevelCycle();
}
