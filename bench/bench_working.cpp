#include "tools/arith/numberworking.h"
#include "tools/functions/rootworking.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace Arith;
using namespace Functions;

// The working is rebuilt on every keystroke while it is shown: each of these is the largest
// input its window accepts, or the one with the most steps.

static void PrimeLadder(benchmark::State &state, QString number)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PrimeFactorizationWorking(number));
}
BENCHMARK_CAPTURE(PrimeLadder, textbook, QStringLiteral("360"));
BENCHMARK_CAPTURE(PrimeLadder, largestPrime, QStringLiteral("99999989"));
BENCHMARK_CAPTURE(PrimeLadder, mostFactors, QStringLiteral("67108864"));

static void CommonLadder(benchmark::State &state, QList<quint64> numbers)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DivisorMultipleWorking(numbers));
}
BENCHMARK_CAPTURE(CommonLadder, textbook, QList<quint64>{12, 18, 30});
// Large primes shared by pairs make the factor search work hardest.
BENCHMARK_CAPTURE(CommonLadder, largeSharedPrimes,
                  QList<quint64>{94906247ull * 94906247, 94906247ull * 94906249,
                                 94906249ull * 94906249});
static QList<quint64> NinetyNineNumbers()
{
    QList<quint64> numbers;
    for (quint64 i = 1; i <= 99; ++i)
        numbers.append((quint64(1) << 40) * 3 * i + (i % 2 ? 0 : 720720));
    return numbers;
}
BENCHMARK_CAPTURE(CommonLadder, ninetyNineNumbers, NinetyNineNumbers());
// Consecutive Fibonacci numbers below 2^53 take Euclid's algorithm the most steps.
BENCHMARK_CAPTURE(CommonLadder, fibonacci, QList<quint64>{5527939700884757, 3416454622906707});

static void BaseWorking(benchmark::State &state, QString digits, int from, int to)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BaseConversionWorking(digits, from, to));
}
BENCHMARK_CAPTURE(BaseWorking, textbook, QStringLiteral("255"), 10, 2);
BENCHMARK_CAPTURE(BaseWorking, longest36to2, QString(64, QLatin1Char('Z')), 36, 2);
BENCHMARK_CAPTURE(BaseWorking, longest10to2, QString(64, QLatin1Char('9')), 10, 2);
BENCHMARK_CAPTURE(BaseWorking, tooLong, QString(1000000, QLatin1Char('1')), 2, 10);

static void FractionSteps(benchmark::State &state, qint32 p1, qint32 q1, qint32 p2, qint32 q2)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FractionWorking(p1, q1, FractionOperator::Add, p2, q2));
}
BENCHMARK_CAPTURE(FractionSteps, textbook, 1, 2, 2, 3);
BENCHMARK_CAPTURE(FractionSteps, largestTerms, 2147483647, 2147483646, -2147483647, 2147483645);

// The longest bisection table: an interval of doubles down to neighbouring ones.
static void BisectionTable(benchmark::State &state)
{
    QList<ApproximateRoot::BisectionStep> steps;
    ApproximateRoot::SearchHooks hooks;
    hooks.bisectionStep
            = [&steps](const ApproximateRoot::BisectionStep &step) { steps.append(step); };
    ApproximateRoot::Bisect([](double x) { return x - 1e10 - 0.3; }, -1e10, 1e11, 5, hooks);
    for (auto _ : state)
        benchmark::DoNotOptimize(ApproximateRootWorking(steps, {}, QStringLiteral("x≈1")));
    state.counters["rows"] = double(steps.size());
}
BENCHMARK(BisectionTable);

BENCHMARK_MAIN();
