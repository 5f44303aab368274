// Reading a file the game was given by name. Only a regular file is read (a
// link is followed to one): a pipe would block the game, a device such as
// /dev/zero would never end, and a folder has no text. A file is read whole
// but never past a bound that no real file of its kind reaches, so a huge
// file is refused with a message instead of filling the memory or being cut.
#pragma once

#include <cstddef>
#include <string>

namespace tether {

// Bounds a real file never comes near: the data file, a map list or a map
// (the largest shipped map is a few kilobytes), a replay (an hour of play
// is about 20 MB), the player's settings and best times.
constexpr std::size_t maxContentFileBytes = 64u << 20;
constexpr std::size_t maxReplayFileBytes = 256u << 20;
constexpr std::size_t maxPlayerFileBytes = 16u << 20;

enum class FileRead {
    ok,
    missing,    // nothing of that name
    notRegular, // a folder, a pipe, a device or a socket
    unreadable, // there, but the game may not read it
    tooLarge,   // longer than the bound
};

// Reads the whole regular file at path into text, at most maxBytes of it;
// text is left empty unless the answer is ok.
FileRead readRegularFile(const std::string& path, std::string& text, std::size_t maxBytes);

// Why a file could not be read, as a phrase that follows its name:
// "is not a regular file", "is longer than 16 MB".
std::string whyUnread(FileRead result, std::size_t maxBytes);

} // namespace tether
