// The game's own 8 by 8 font for the software canvas: a DejaVu face rendered
// by FreeType in one bit at a small size, with its hinting, each glyph
// placed on a common baseline in its cell and tidied, then written out as a
// C++ table that the game compiles in (render/ownfont.h).
#pragma once

#include <string>
#include <vector>

// 256 glyphs of 8 rows, the leftmost pixel the top bit: printable ASCII,
// and the middle dot at 0xfa where the game's notices put it.
std::vector<unsigned char> drawFont8(const char* facePath);
// The table as the source of tether::ownFont; false when it cannot be written.
bool writeFont8Source(const std::vector<unsigned char>& font, const std::string& path);
