// Many runs at once: one worker thread per core, each playing its share of
// the runs in a world of its own (world/world.h), and the runs' lines
// returned in the order of the runs, whichever finished first. With one core
// (and in WebAssembly, built here without threads) the runs are played on
// the calling thread, in order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sim {

// Calls play(i) for i in 0..count-1 across worker threads, each with a world
// of its own in use, and returns each call's line in order of i. False, with
// what went wrong in failure, when a thread could not be started.
bool runInParallel(int count, const std::function<std::string(int)>& play,
    std::vector<std::string>& lines, std::string& failure);

} // namespace sim
