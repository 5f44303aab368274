// The frame-times report of a long session: every frame counted, and its
// median and 95th percentile still those of the whole session once more
// frames were timed than are kept.
#include "platform/frametimes.h"

#include <gtest/gtest.h>

#include <string>

using namespace tether;

TEST(FrameTimes, ALongSessionCountsEveryFrameAndSamplesAllOfIt)
{
    // Three million frames, more than twice what is kept: the first
    // million took 2 ms each, the next two million 10 ms. A sample of the
    // first frames alone would put the median at 2 ms.
    for (long i = 0; i < 3000000; ++i)
        keepFrameTime(i < 1000000 ? 2.0 : 10.0);
    EXPECT_EQ(frameTimesReport(), "{\"frames\":3000000,\"medianMs\":10.000,\"p95Ms\":10.000}");
    // A fourth million at 30 ms: the slowest quarter.
    for (long i = 0; i < 1000000; ++i)
        keepFrameTime(30.0);
    EXPECT_EQ(frameTimesReport(), "{\"frames\":4000000,\"medianMs\":10.000,\"p95Ms\":30.000}");
}
