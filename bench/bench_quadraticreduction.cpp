#include "tools/functions/quadraticequationlogic.h"

#include <benchmark/benchmark.h>

#include <limits>

using namespace Functions;

// The equation is solved on every keystroke, exactly: small textbook numbers, a reduction near
// the 32-bit limit, long decimals and an irrational pair must all answer at once.
static void Solve(benchmark::State &state, QuadraticTexts typed)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveQuadraticEquation(typed));
}
BENCHMARK_CAPTURE(Solve, textbook, QuadraticTexts{"1", "2", "-7", "0"});
BENCHMARK_CAPTURE(Solve, lowest32Bit, QuadraticTexts{"-1073741824", "2147483648", "0", "0"});
BENCHMARK_CAPTURE(Solve, longDecimals,
                  QuadraticTexts{"0.123456789012345678901234567890", "-1/3", "7e-30", "2.5"});
BENCHMARK_CAPTURE(Solve, complexFractions, QuadraticTexts{"3/7", "-2/9", "5/11", "0"});
BENCHMARK_CAPTURE(Solve, surds, QuadraticTexts{"2", "4", "-1", "0"});
// The longest radicand factored for the simplest radical form, and one far too long for it.
BENCHMARK_CAPTURE(Solve, longestSurd, QuadraticTexts{"1/7", "1e97/3", "1/11", "0"});
BENCHMARK_CAPTURE(Solve, surdTooLong, QuadraticTexts{"1/7", "1e4000/3", "1/11", "0"});

static void Factor(benchmark::State &state)
{
    const qint32 lowest = std::numeric_limits<qint32>::min();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReductionFactor(lowest, -2147483647));
}
BENCHMARK(Factor);

BENCHMARK_MAIN();
