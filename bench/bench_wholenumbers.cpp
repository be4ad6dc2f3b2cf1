#include "tools/arith/commondivisors.h"
#include "tools/arith/numberinfo.h"
#include "tools/arith/primefactorization.h"

#include <benchmark/benchmark.h>

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

// All 99 numbers of a run, each near 2^53, with the results shown after every one: the sum of
// every keystroke of the longest run.
static void WholeRun(benchmark::State &state)
{
    QStringList numbers;
    for (qint64 n = 0; n < 99; ++n)
        numbers << QString::number(9007199254740991 - 2 * n);
    for (auto _ : state) {
        DivisorMultipleRun run;
        run.SetCount(99);
        for (const QString &number : std::as_const(numbers)) {
            run.Accept(number);
            benchmark::DoNotOptimize(run.DivisorText());
            benchmark::DoNotOptimize(run.MultipleText());
        }
    }
}
BENCHMARK(WholeRun);

BENCHMARK_MAIN();
