// The benchmarks: every file of bench/ registers its own, this runs them.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
