// Where the game plays from. It reads its data file, maps, images, sounds
// and music from its working directory; this picks that directory before
// anything is read, so the game starts from wherever it is launched.
#pragma once

namespace tether {

// The installed command (games/tether under some prefix) always moves into
// its game folder, share/games/tether under the same prefix. Any other copy
// of the game stays in the working directory when that holds a data file,
// and otherwise moves into the folder of its executable when that holds one.
// When neither does, nothing changes and start-up reports the missing data.
void enterGameFolder();

} // namespace tether
