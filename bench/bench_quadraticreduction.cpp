#include "tools/functions/quadraticequationlogic.h"

#include <benchmark/benchmark.h>

#include <limits>

using namespace Functions;

// The reduction runs on every keystroke; label values near the 32-bit limit must not cost
// more than small ones.
static void ReduceFraction(benchmark::State &state, RootFraction shown)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceRootFraction(shown));
}
BENCHMARK_CAPTURE(ReduceFraction, small, RootFraction{"-2", "-16", "2"});
BENCHMARK_CAPTURE(ReduceFraction, lowest32Bit, RootFraction{"-2147483648", "0", "-2147483648"});

static void Factor(benchmark::State &state)
{
    const qint32 lowest = std::numeric_limits<qint32>::min();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReductionFactor(lowest, -2147483647));
}
BENCHMARK(Factor);

BENCHMARK_MAIN();
