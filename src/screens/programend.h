// How the program ends: the status main returns and the message it prints
// on standard output first (empty for a plain quit). Screens and start-up
// hand it back up to main instead of ending the process themselves.
#pragma once

#include <string>

namespace tether {

struct ProgramEnd {
    int status = 0;
    std::string message; // printed as it stands: its line break, if any, included
};

} // namespace tether
