// The numbers the simulation plays by: the ship, hooks, rope nodes, mines,
// enemy classes and gun mounts. Plain numbers, no images: the content side
// fills them from the data file (content/tuning.h), and every value is zero
// until its record has been read.
#pragma once

#include "world/enemyclasses.h"

namespace tether {

constexpr int gunMountCount = 4;

// The player's ship.
extern float shipRadius, shipMass;
extern float shipMaxSpeed; // units per ms; the ship's speed cap
extern float shipMaxThrust; // force of full thrust
extern float shipRotationSpeed; // radians per ms, heading steering
extern int shipReloadTime;

// Mines: every mine is a 15-unit object; mineRadius is the radius of the
// mine drawn in its image, in pixels.
extern float mineRadius, mineMass, mineHealth;

// Gun mounts as the data file gives them, in pixels of the owning enemy's
// image from its top-left. Mount 0 belongs to class 1, mounts 1 and 2 to
// class 2, mount 3 to class 3.
extern float turretX[gunMountCount], turretY[gunMountCount];
// The same mounts in world units from the enemy's centre, along and across
// its heading: where the simulation puts the guns. The content side places
// them once its images are loaded (content/tuning.h placeGunMounts).
extern float gunMountAlong[gunMountCount], gunMountAcross[gunMountCount];

// Per enemy class, index = class - 1.
extern float enRadius[enemyClassCount], enMass[enemyClassCount];
extern float enMaxSpeed[enemyClassCount], enMaxThrust[enemyClassCount];
extern float enRotationSpeed[enemyClassCount];
extern int enReloadTime[enemyClassCount];
extern float enHealth[enemyClassCount];

// Grappling hooks.
extern float grapRadius, grapMass;
extern float grapSpeed; // units per ms of outward travel
extern float grapMaxDistance; // where a shot turns back
extern float grapNumLinks; // links drawn along a hook's chain
extern int grapReloadTime;

// Rope nodes left by a tie-off.
extern float nodeRadius, nodeMass, nodeMaxSpeed, nodeMaxThrust, nodeRotationSpeed;
extern int nodeReloadTime;

// Celestial bodies: base radii are the radius of the body drawn in the image.
extern float planetBaseRadius;
extern float sunBaseRadius;
extern float blackholeBaseRadius;

} // namespace tether
