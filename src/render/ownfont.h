// The game's own 8 by 8 font, drawn by tools/artgen from a DejaVu face and
// compiled in from the file it writes: 256 glyphs of 8 rows, the leftmost
// pixel the top bit (printable ASCII drawn, the rest blank). The software
// canvas writes with it; the desktop keeps SDL_gfx's.
#pragma once

namespace tether {

extern const unsigned char ownFont[256 * 8];

} // namespace tether
