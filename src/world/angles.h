// Pi, in the two precisions the game works in: headings are floats, while
// turning arithmetic wraps angle differences by the double value.
#pragma once

namespace tether {

constexpr double pi = 3.141592653589793;
constexpr float piFloat = 3.1415927f; // pi rounded to single precision

} // namespace tether
