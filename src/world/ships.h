// The three ships the player can choose, one row a ship: how the keys steer
// it, where its hook mount sits, whether its flame is seen, and what its
// enemies shrug off. The controls steer by this table and the pilot
// foresees its own ship by it; sizes, speeds and thrust come from the data
// file and are the same for all three.
#pragma once

#include "world/angles.h"

namespace tether {

enum class Steering {
    byVelocity, // never turns: the keys choose the velocity striven for
    byHeading, // turns toward the keys' direction and thrusts once it points there
    byRotation, // rotate and thrust, with reverse thrust and strafing
};

struct ShipTraits {
    Steering steering;
    // The hook mount, from the ship's centre: distance and angle off the
    // heading. It hands the ropes' pull on to the ship.
    float mountDistance, mountAngle;
    // The thrust flame is seen (the first ship's never is).
    bool flameShows;
    // Enemies are immune to shots and mines: only a crash, a sun or a black
    // hole kills them.
    bool enemiesShrugOffShots;
    // Rotate-and-thrust only: reverse and strafe thrust as shares of full
    // thrust, and the fixed turn rate in radians per ms. The other ships
    // turn at the data file's rotation speed.
    double reverseThrust, strafeThrust;
    float fixedTurnRate;
};

constexpr int shipCount = 3;

// Row n - 1 describes ship n, as the title screen and replays number them.
constexpr ShipTraits ships[shipCount] = {
    {Steering::byVelocity, 0.0f, 0.0f, false, false, 0.0, 0.0, 0.0f},
    {Steering::byHeading, 22.0f, piFloat, true, false, 0.0, 0.0, 0.0f},
    {Steering::byRotation, 17.0f, piFloat, true, true, 0.2, 0.5, 0.003f},
};

// The traits of the chosen ship, 0 to 2; anything else flies as the third.
constexpr const ShipTraits& shipTraits(int chosenShip)
{
    return chosenShip >= 0 && chosenShip < shipCount ? ships[chosenShip] : ships[shipCount - 1];
}

} // namespace tether
