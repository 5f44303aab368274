// A number of the data file or a map, read the same by every C++ library.
// The libraries' own `in >> f` disagree at the edges: one reads "0x1p3" as
// 8 and takes "inf" and "nan", the other reads the "0" and stops at the
// "x", and refuses the words; a level must load the same on the desktop and
// in the browser. So the game reads decimal numbers only, the way the
// desktop always has: an optional sign, digits with at most one point, and
// an exponent after digits.
#pragma once

#include <istream>

namespace tether {

// Reads one float as `in >> value` does with GNU's library: leading white
// space skipped, the characters above taken, then a failure (value 0, the
// stream failed) when they make no whole number, and the largest float
// with its sign (the stream failed too) when the number is beyond it.
// True when a number was read.
bool readFloat(std::istream& in, float& value);

} // namespace tether
