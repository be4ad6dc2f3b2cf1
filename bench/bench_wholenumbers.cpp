#include "tools/arith/commondivisors.h"
#include "tools/arith/numberinfo.h"
#include "tools/arith/primefactorization.h"

#include <benchmark/benchmark.h>

using namespace Arith;

// Every keystroke of these windows recomputes their whole output; the slowest inputs are
// primes (trial division runs to the square root) and numbers with many divisors.

static void Factorize(benchmark::State &state, const char *text)
{
    const QString input = QString::fromLatin1(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(FactorizePrimes(input));
}
BENCHMARK_CAPTURE(Factorize, largest8DigitPrime, "99999989");
BENCHMARK_CAPTURE(Factorize, largest32BitPrime, "2147483647");

static void Report(benchmark::State &state, const char *text)
{
    const QString input = QString::fromLatin1(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(NumberReport(input));
}
BENCHMARK_CAPTURE(Report, negativePrime, "-99999989");
BENCHMARK_CAPTURE(Report, mostDivisorsIn9Characters, "-73513440");
BENCHMARK_CAPTURE(Report, lowest32Bit, "-2147483648");
BENCHMARK_CAPTURE(Report, largest32BitPrime, "-2147483647");

static void CommonDivisors(benchmark::State &state, const char *first, const char *second)
{
    const QString a = QString::fromLatin1(first), b = QString::fromLatin1(second);
    for (auto _ : state)
        benchmark::DoNotOptimize(CommonDivisorTexts(a, b));
}
BENCHMARK_CAPTURE(CommonDivisors, fourDigits, "9240", "9240");
BENCHMARK_CAPTURE(CommonDivisors, largest32BitPrime, "2147483647", "2147483647");
BENCHMARK_CAPTURE(CommonDivisors, mostDivisorsIn32Bits, "2095133040", "2095133040");

// The last of 99 numbers near 2^53, folded into a least common multiple of some 1,600
// digits, with both results shown (the run before it is copied in each round).
static void LastNumberOfTheLongestRun(benchmark::State &state)
{
    DivisorMultipleRun prepared;
    prepared.SetCount(99);
    for (qint64 n = 0; n < 98; ++n)
        prepared.Accept(QString::number(9007199254740991 - 2 * n));
    const QString last = QString::number(9007199254740991 - 2 * 98);
    for (auto _ : state) {
        DivisorMultipleRun run = prepared;
        run.Accept(last);
        benchmark::DoNotOptimize(run.DivisorText());
        benchmark::DoNotOptimize(run.MultipleText());
    }
}
BENCHMARK(LastNumberOfTheLongestRun);

BENCHMARK_MAIN();
