// Levels: the map list that the title screen offers, the map files that
// populate the world, and the assembly of the player's ship.
#pragma once

#include "content/report.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace tether {

// One entry of "maps/maplist": a map, the boss map that follows it when it
// is won, and the boss level's music track (1..13).
struct MapListEntry {
    std::string mapName;
    std::string bossMapName;
    int bossMusic = 0;
};

enum class MapListResult { ok, cannotOpen, noMaps };

// Reads a map list: a count, then that many records of map name, boss map
// name and boss music (cannotOpen when the file cannot be read, as loadMap). Only complete records
// up to the count are kept, so the list never offers an entry that was not read; a list that offers
// nothing is noMaps.
MapListResult readMapList(const std::string& path, std::vector<MapListEntry>& entries);
// The same from a stream (never cannotOpen). An entry whose map or boss map
// name leaves the game's folder ("../../x") is read and not offered. With a
// report, each record read and each problem met is noted with its line.
MapListResult readMapList(
    std::istream& in, std::vector<MapListEntry>& entries, ContentReport* report = nullptr);

// Reads the map at path and populates the world from its records, in order.
// Reading stops at a number that cannot be read; what was read before stays.
// Returns false, with nothing made, when the file cannot be read: missing,
// not a regular file (a folder, a pipe, a device) or beyond the bound of
// content files (content/regularfile.h).
bool loadMap(const std::string& path);
// Populates the world from a map read from in, as loadMap does; with a
// report, each record read and each problem met is noted with its line.
// Afterwards the world has room for what it holds (content/limits.h).
void readMap(std::istream& in, ContentReport* report = nullptr);
// The level cycle's map loading: empty when read, else the message the
// game ends with (status 1): "Error opening map" for a file that cannot be
// read, a line of its own for a map whose enemies overlap at the start.
// why, when given, is then told why in words for the window.
std::string loadLevelMap(const std::string& path, std::string* why = nullptr);
// Enemies of the world's map that overlap at the start, in words (the
// first pair and how many pairs); empty when none do. Such a pile is
// thrown apart at once, and its contacts cost the game whole frames.
std::string enemiesOverlapping();
// Creates the ship with its hook mount, hooks and thrust flame at the spawn
// point, the mount placed as the chosen ship has it (world/ships.h).
void assembleShip();
// Frees the images made for the level's objects.
void closeLevelMap();

} // namespace tether
