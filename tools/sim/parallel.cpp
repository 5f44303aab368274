#include "parallel.h"

#include "content/tuning.h"
#include "content/worldinuse.h"
#include "world/world.h"

#include <algorithm>
#include <system_error>
#include <thread>

#ifndef __EMSCRIPTEN__
#include <unistd.h>
#endif

namespace sim {

namespace {

// A worker: plays runs first, first + step, ... in a world of its own, and
// files each line under its run (each run's slot is written by one worker).
void work(int first, int step, int count, const std::function<std::string(int)>& play,
    std::vector<std::string>& lines)
{
    tether::World own(tether::gameTuning());
    tether::WorldInUse inUse(own);
    for (int i = first; i < count; i += step)
        lines[static_cast<size_t>(i)] = play(i);
}

} // namespace

bool runInParallel(int count, const std::function<std::string(int)>& play,
    std::vector<std::string>& lines, std::string& failure)
{
    lines.assign(static_cast<size_t>(std::max(count, 0)), "");
#ifdef __EMSCRIPTEN__
    const long cores = 1;
#else
    const long cores = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
#endif
    if (cores == 1 || count <= 1) {
        for (int i = 0; i < count; ++i)
            lines[static_cast<size_t>(i)] = play(i);
        return true;
    }
    const int workerCount = static_cast<int>(std::min<long>(cores, count));
    std::vector<std::thread> workers;
    for (int w = 0; w < workerCount; ++w) {
        try {
            workers.emplace_back(work, w, workerCount, count, std::cref(play), std::ref(lines));
        } catch (const std::system_error& error) {
            failure = std::string("cannot start a thread: ") + error.what();
            break;
        }
    }
    for (std::thread& worker : workers)
        worker.join();
    return failure.empty();
}

} // namespace sim
