// The tuning of every kind of thing, read once at start-up from the data
// file "data". Every value is zero and every image null until its record
// has been read.
#pragma once

#include "content/report.h"
#include "world/enemyclasses.h"

#include <SDL.h>

#include <string>

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

// Gun mounts, in pixels of the owning enemy's image from its top-left.
// Mount 0 belongs to class 1, mounts 1 and 2 to class 2, mount 3 to class 3.
extern float turretX[gunMountCount], turretY[gunMountCount];
extern SDL_Surface* turretSprites[gunMountCount];

// Per enemy class, index = class - 1.
extern float enRadius[enemyClassCount], enMass[enemyClassCount];
extern float enMaxSpeed[enemyClassCount], enMaxThrust[enemyClassCount];
extern float enRotationSpeed[enemyClassCount];
extern int enReloadTime[enemyClassCount];
extern float enHealth[enemyClassCount];
extern SDL_Surface* enemySprites[enemyClassCount];

// Grappling hooks.
extern float grapRadius, grapMass;
extern float grapSpeed; // units per ms of outward travel
extern float grapMaxDistance; // where a shot turns back
extern float grapNumLinks; // links drawn along a hook's chain
extern int grapReloadTime;
extern SDL_Surface* gHook;

// Rope nodes left by a tie-off.
extern float nodeRadius, nodeMass, nodeMaxSpeed, nodeMaxThrust, nodeRotationSpeed;
extern int nodeReloadTime;
extern SDL_Surface* nodeSprite;

// Celestial bodies: base radii are the radius of the body drawn in the image.
extern float planetBaseRadius;
extern SDL_Surface* planetSprite;
extern float sunBaseRadius;
extern SDL_Surface* sunSprite;
extern float blackholeBaseRadius;

// Reads a data file from in: records until the first word that is not a
// keyword, or a value that cannot be read. With a report, every record read
// and every problem met is noted in it with its line; the reading itself is
// the same.
void readData(std::istream& in, ContentReport* report = nullptr);
// Reads the data file at path. Reading stops at the first word that is not
// a keyword, or when a value cannot be read. Returns false only when the
// file cannot be read: missing, not a regular file (a folder, a pipe, a
// device) or beyond the bound of content files (content/regularfile.h);
// nothing is changed then.
bool readDataFile(const std::string& path);

// Start-up's reading of "data": empty when read, else the message the game
// ends with (status 1), "Error opening data".
std::string loadGameData();

} // namespace tether
