#include "main/frametimes.h"

#include "main/program.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace tether {

namespace {

constexpr size_t maxTimedFrames = 1u << 20;
std::vector<float> frameMs;

} // namespace

bool timedProgramFrame(Program& program)
{
    const bool playing = std::holds_alternative<LevelInPlay>(program.screen)
        || std::holds_alternative<Playback>(program.screen);
    const auto started = std::chrono::steady_clock::now();
    const bool goesOn = programFrame(program);
    if (playing && frameMs.size() < maxTimedFrames)
        frameMs.push_back(std::chrono::duration<float, std::milli>(
            std::chrono::steady_clock::now() - started)
                              .count());
    return goesOn;
}

std::string frameTimesReport()
{
    std::vector<float> sorted = frameMs;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double share) {
        return sorted.empty()
            ? 0.0
            : static_cast<double>(sorted[static_cast<size_t>(share * (sorted.size() - 1))]);
    };
    char line[160];
    std::snprintf(line, sizeof line, "{\"frames\":%zu,\"medianMs\":%.3f,\"p95Ms\":%.3f}",
        sorted.size(), at(0.5), at(0.95));
    return line;
}

} // namespace tether
