// The content checker: reads the data file, map list and map files with the
// game's own readers (src/content) and reports, with file names and line
// numbers, what the readers met and everything the game would silently
// skip, stop at, get wrong or hold within its bounds.
#pragma once

#include "content/report.h"

#include <set>
#include <string>
#include <vector>

namespace mapcheck {

struct Finding {
    std::string file;
    int line = 0; // 0 when it concerns the whole file
    bool error = true; // errors break the level; warnings are worth a look
    std::string message;
};

// What the data file provides that maps rely on.
struct DataFacts {
    bool read = false;
    std::set<int> enemyClasses; // classes with a record
    float enemyRadius[12] = {};
    float shipRadius = 0;
    bool mine = false, planet = false, sun = false, blackhole = false;
    bool ship = false; // a ship record with a positive radius and mass
    float mineRadius = 0, planetBaseRadius = 0, sunBaseRadius = 0;
};

class Checker {
public:
    // Checks the data file; image paths are taken relative to gameDir.
    void checkData(const std::string& path, const std::string& gameDir);
    // Checks a map list and every map it names (under the list's folder).
    void checkMapList(const std::string& path);
    // Checks one map file.
    void checkMap(const std::string& path);

    const std::vector<Finding>& findings() const { return found; }
    int errorCount() const;

private:
    void report(const std::string& file, int line, bool error, const std::string& message);
    // The whole file at path, as the game reads it (a regular file within
    // its bound); false, with a finding that says why and that the game
    // prints gameSays, when it cannot be read.
    bool readWhole(const std::string& path, std::string& text, const char* gameSays);
    // What the data file as a whole lacks or asks too much of.
    void checkDataWhole(const std::string& path, const std::vector<tether::ContentRecord>& records);
    // The map played headless from its start with nobody at the controls.
    void checkIdleStart(const std::string& path, const std::vector<int>& bodyLines,
        const std::vector<int>& hostileLines);

    DataFacts data;
    std::set<std::string> mapsChecked;
    std::vector<Finding> found;
};

// Control bytes (a NUL, the escapes that retitle or clear a terminal) and
// DEL shown as \xHH: what a file holds is quoted, never played on the
// reader's terminal, and a NUL cannot end the report.
std::string escaped(const std::string& text);

// "file:line: error: message" (or warning), one per line, escaped.
std::string format(const Finding& f);

} // namespace mapcheck
