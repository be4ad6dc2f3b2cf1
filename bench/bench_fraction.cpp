#include "tools/arith/fractionlogic.h"

#include <benchmark/benchmark.h>

using namespace Arith;

// Every keystroke in a term recomputes from the four texts; the largest terms make the
// longest reduction.
static void UpdateFromTexts(benchmark::State &state, FractionTexts texts, FractionOperator op)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(UpdateFraction(texts, op));
}
BENCHMARK_CAPTURE(UpdateFromTexts, small, FractionTexts{"1", "2", "1", "3"}, FractionOperator::Add);
BENCHMARK_CAPTURE(UpdateFromTexts, largestTerms,
                  FractionTexts{"2147483647", "2147483646", "2147483645", "2147483644"},
                  FractionOperator::Add);
BENCHMARK_CAPTURE(UpdateFromTexts, lowestTerms,
                  FractionTexts{"-2147483648", "2147483647", "-2147483648", "-2147483647"},
                  FractionOperator::Subtract);

// Consecutive Fibonacci numbers take Euclid's algorithm the most steps.
static void ReduceFibonacci(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
                CalculateFraction(1134903170, 1, FractionOperator::Divide, 1836311903, 1));
}
BENCHMARK(ReduceFibonacci);

BENCHMARK_MAIN();
