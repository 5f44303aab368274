// The benchmarks: every file of bench/ registers its own, this runs them in
// the world the game's levels are played in.
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    tether::World world(tether::gameTuning());
    tether::WorldInUse inUse(world);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
