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

// A long session keeps an even sample of its frames rather than all of
// them: every frame until the sample is full, then every second one (half
// the sample dropped, evenly), then every fourth, and so on. The median and
// 95th percentile come from the sample, the count is every frame timed.
constexpr size_t maxKeptFrames = 1u << 20;
std::vector<float> frameMs;
unsigned long long framesTimed = 0;
unsigned long long keepEvery = 1;

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
    if (framesTimed++ % keepEvery != 0)
        return;
    frameMs.push_back(static_cast<float>(ms));
    if (frameMs.size() < maxKeptFrames)
        return;
    for (size_t i = 0; i < frameMs.size() / 2; ++i)
        frameMs[i] = frameMs[2 * i];
    frameMs.resize(frameMs.size() / 2);
    keepEvery *= 2;
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
    std::snprintf(line, sizeof line, "{\"frames\":%llu,\"medianMs\":%.3f,\"p95Ms\":%.3f}",
        framesTimed, at(0.5), at(0.95));
    return line;
}

} // namespace tether
