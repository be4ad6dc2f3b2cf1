#include "tools/arith/serieslogic.h"

#include <benchmark/benchmark.h>

using namespace Arith;

// Each keystroke in the n boxes computes once; the largest n allowed is the worst case.
static void TriangularSum(benchmark::State &state, QString text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TriangularSumText(text));
}
BENCHMARK_CAPTURE(TriangularSum, small, QStringLiteral("100"));
BENCHMARK_CAPTURE(TriangularSum, largest, QStringLiteral("999999999"));
BENCHMARK_CAPTURE(TriangularSum, fractional, QStringLiteral("9999999.9"));

static void Factorial(benchmark::State &state, QString text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FactorialText(text));
}
BENCHMARK_CAPTURE(Factorial, largest, QStringLiteral("99"));
BENCHMARK_CAPTURE(Factorial, beyond32Bits, QStringLiteral("1e300"));

// A value accepted into a long series: the workings grow, the results are read back.
static void AcceptIntoLongSeries(benchmark::State &state)
{
    RunningSeries series;
    for (int i = 0; i < 1000; ++i)
        series = *AcceptValue(series, QStringLiteral("1.5"));
    for (auto _ : state)
        benchmark::DoNotOptimize(AcceptValue(series, QStringLiteral("1.5")));
}
BENCHMARK(AcceptIntoLongSeries);

BENCHMARK_MAIN();
