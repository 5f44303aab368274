// tether-sim's command line: what to play, how, and how often.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct Options {
    std::string data = "data"; // the data file; relative paths are the caller's
    std::vector<int> ships = {1}; // 1..3, in order
    uint64_t seed = 1;
    std::string pilot = "idle";
    std::string replay; // a replay to reproduce instead
    int64_t atMs = -1; // --at: where the replay's ship is at this game time; -1 none
    std::string record; // where to write the run's replay
    double minutes = 10; // game time at most per run
    int runs = 0; // --runs K; 0: one run each, in this process, without a table
    std::vector<std::string> maps; // map names, or "maplist"
};

enum class Parsed {
    run,
    answered, // --help or --version printed: status 0
    badUsage, // explained on standard error: status 2
};

Parsed readOptions(const std::vector<std::string>& args, Options& options);

} // namespace sim
