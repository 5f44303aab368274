// The player's own files: settings under $XDG_CONFIG_HOME/tether (or
// ~/.config/tether), best times and replays under $XDG_DATA_HOME/tether (or
// ~/.local/share/tether). Folders are made when first written to; a file is
// written whole to a temporary name beside it, flushed to the disk and
// renamed over the old one, so a crash or a full disk never leaves half a
// file. A link is written through to its target, and a target that is not a
// regular file (a device, a pipe, a folder) is never replaced. Two copies of
// the game share these files: a read-change-write of one is done holding
// its lock (PlayerFileLock), so neither loses what the other wrote.
#pragma once

#include "content/regularfile.h"

#include <chrono>
#include <string>

namespace tether {

// The game's folder in the player's configuration or data folder; empty
// when neither the XDG variable nor HOME is set.
std::string configFolder();
std::string dataFolder();

// Reads one of the player's files whole (only a regular file, at most
// maxPlayerFileBytes).
FileRead readPlayerFile(const std::string& path, std::string& text);

// A file written to its temporary name and flushed, not yet in place: two
// files that must change together (a best time and its replay) are both
// prepared before either is put in place.
struct PreparedFile {
    std::string path; // where it goes: the target when path was a link
    std::string temporary; // empty when nothing was prepared
};

// Writes text to a temporary file beside path's target (its folders made
// as needed). The answer is empty when it worked, else what went wrong.
std::string prepareFile(const std::string& path, const std::string& text, PreparedFile& prepared);
// Renames the prepared file into place; empty when it worked.
std::string putInPlace(PreparedFile& prepared);
// Removes the prepared file, if any.
void discardPrepared(PreparedFile& prepared);

// prepareFile then putInPlace.
std::string writeFileSafely(const std::string& path, const std::string& text);

// How long a copy of the game waits for another to finish with a file:
// far longer than any save takes, short enough that a frozen copy holding
// the lock costs the player no more than a pause.
constexpr std::chrono::milliseconds lockPatience {1500};

// What a change not saved because another copy holds the lock says.
constexpr const char* anotherCopySaving = "another copy of the game is saving";

// Holds "<path>.lock" locked (flock) while it lives, so that another copy
// of the game waits to read and write the file at path. A lock that cannot
// be had (a read-only folder) is not waited for: the write that follows
// tells what is wrong. A lock another process holds is waited for at most
// lockPatience; then busy is set and the write must be given up.
struct PlayerFileLock {
    explicit PlayerFileLock(const std::string& path);
    ~PlayerFileLock();
    PlayerFileLock(const PlayerFileLock&) = delete;
    PlayerFileLock& operator=(const PlayerFileLock&) = delete;
    int fd = -1;
    bool busy = false; // another process held the lock all the while
};

} // namespace tether
