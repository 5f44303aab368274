// The mapcheck command line, as a function the tests can call.
#pragma once

#include <string>
#include <vector>

namespace mapcheck {

// Runs mapcheck on args (without the program name); what it prints goes to
// out (findings, the summary, --help, --version) and err (usage errors).
// Returns the exit status: 0 clean, 1 an error (or, with --strict, a
// warning), 2 bad usage.
int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace mapcheck
