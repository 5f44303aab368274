// Many runs at once: one worker process per core, each playing its share of
// the runs and sending back one line per run through a pipe. The lines come
// back in the order of the runs, whichever process finished first. With one
// core (and in WebAssembly, which cannot fork) the runs are played here, in
// order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sim {

// Calls play(i) for i in 0..count-1 across worker processes (forked: they
// share everything read so far) and returns each call's line in order of i.
// False, with what went wrong in failure, when a worker died or gave no
// line for a run.
bool runInParallel(int count, const std::function<std::string(int)>& play,
    std::vector<std::string>& lines, std::string& failure);

} // namespace sim
