// The numbers the simulation plays by: the ship, hooks, rope nodes, mines,
// enemy classes and gun mounts. Plain numbers, no images: the content side
// fills them from the data file (content/tuning.h), and every value is zero
// until its record has been read.
#pragma once

#include "world/enemyclasses.h"

namespace tether {

constexpr int gunMountCount = 4;

// Every number, in one record: the content side fills it as it reads the
// data file (content/tuning.h) and a world is made with it; the simulation
// only reads it, through its world (world/world.h tuning()).
struct Tuning {
    // The player's ship.
    float shipRadius, shipMass;
    float shipMaxSpeed; // units per ms; the ship's speed cap
    float shipMaxThrust; // force of full thrust
    float shipRotationSpeed; // radians per ms, heading steering
    int shipReloadTime;

    // Mines: every mine is a 15-unit object; mineRadius is the radius of the
    // mine drawn in its image, in pixels.
    float mineRadius, mineMass, mineHealth;

    // Gun mounts as the data file gives them, in pixels of the owning enemy's
    // image from its top-left. Mount 0 belongs to class 1, mounts 1 and 2 to
    // class 2, mount 3 to class 3.
    float turretX[gunMountCount], turretY[gunMountCount];
    // The same mounts in world units from the enemy's centre, along and across
    // its heading: where the simulation puts the guns. The content side places
    // them once its images are loaded (content/tuning.h placeGunMounts).
    float gunMountAlong[gunMountCount], gunMountAcross[gunMountCount];

    // Per enemy class, index = class - 1.
    float enRadius[enemyClassCount], enMass[enemyClassCount];
    float enMaxSpeed[enemyClassCount], enMaxThrust[enemyClassCount];
    float enRotationSpeed[enemyClassCount];
    int enReloadTime[enemyClassCount];
    float enHealth[enemyClassCount];

    // Grappling hooks.
    float grapRadius, grapMass;
    float grapSpeed; // units per ms of outward travel
    float grapMaxDistance; // where a shot turns back
    float grapNumLinks; // links drawn along a hook's chain
    int grapReloadTime;

    // Rope nodes left by a tie-off.
    float nodeRadius, nodeMass, nodeMaxSpeed, nodeMaxThrust, nodeRotationSpeed;
    int nodeReloadTime;

    // Celestial bodies: base radii are the radius of the body drawn in the image.
    float planetBaseRadius;
    float sunBaseRadius;
    float blackholeBaseRadius;
};

} // namespace tether
