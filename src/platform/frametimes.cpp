#include "platform/frametimes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace tether {

namespace {

constexpr size_t maxTimedFrames = 1u << 20;
std::vector<float> frameMs;

} // namespace

double frameClockMs()
{
#ifdef __EMSCRIPTEN__
    return emscripten_get_now();
#else
    return std::chrono::duration<double, std::milli>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

void keepFrameTime(double ms)
{
    if (frameMs.size() < maxTimedFrames)
        frameMs.push_back(static_cast<float>(ms));
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
