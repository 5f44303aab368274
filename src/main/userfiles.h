// The player's own files: settings under $XDG_CONFIG_HOME/tether (or
// ~/.config/tether), best times and replays under $XDG_DATA_HOME/tether (or
// ~/.local/share/tether). Folders are made when first written to; a file is
// written whole to a temporary name beside it and renamed over the old one,
// so a crash or a full disk never leaves half a file.
#pragma once

#include <string>

namespace tether {

// The game's folder in the player's configuration or data folder; empty
// when neither the XDG variable nor HOME is set.
std::string configFolder();
std::string dataFolder();

// Writes text as the file at path (its folders made as needed). An empty
// answer when it worked, else what went wrong.
std::string writeFileSafely(const std::string& path, const std::string& text);

// The whole file at path, at most maxBytes of it; false when it cannot be
// read.
bool readSmallFile(const std::string& path, std::string& text, size_t maxBytes = 1 << 16);

} // namespace tether
