// The data file "data", read once at start-up: the tuning of every kind of
// thing into the simulation's numbers (world/tuning.h) and the images beside
// them. Every value is zero and every image null until its record has been
// read.
#pragma once

#include "content/report.h"
#include "world/enemyclasses.h"
#include "world/tuning.h"

#include <SDL.h>

#include <string>

namespace tether {

// The images the data file names beside its numbers (world/tuning.h):
// the drawing side's, null until read. Gun mounts 0..3 and enemy classes
// are indexed as there.
extern SDL_Surface* turretSprites[gunMountCount];
extern SDL_Surface* enemySprites[enemyClassCount];
extern SDL_Surface* gHook; // hooks and black holes
extern SDL_Surface* nodeSprite;
extern SDL_Surface* planetSprite;
extern SDL_Surface* sunSprite;

// The game's tuning, as the data file gives it: every world the game makes
// plays by it (World's constructor), and reads it only. The data file's
// reader writes it, and tests that set up a world by hand.
const Tuning& gameTuning();
Tuning& writableTuning();

// Reads a data file from in: records until the first word that is not a
// keyword, or a value that cannot be read. With a report, every record read
// and every problem met is noted in it with its line; the reading itself is
// the same.
void readData(std::istream& in, ContentReport* report = nullptr);
// Places the gun mounts in world units (gunMountAlong, gunMountAcross) from
// their pixels and the size of their enemy class's image: readData does it
// once it has read; anything that changes those images by hand does it again.
void placeGunMounts();
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
