#include "eval/bigint.h"
#include "tools/statistics/binomial.h"
#include "tools/statistics/counting.h"
#include "tools/statistics/hypergeometric.h"
#include "tools/statistics/normal.h"
#include "tools/statistics/poisson.h"

#include <benchmark/benchmark.h>

using namespace Eval;
using namespace Statistics;

// 排列组合 recomputes on every keystroke; the goal is C(100000, 50000) within 100 ms.
static void CombinationsExactly(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BigInteger::Binomial(100000, 50000).ToText());
}
BENCHMARK(CombinationsExactly)->Unit(benchmark::kMillisecond);

// A keystroke's whole page: A(n, m), C(n, m) and n!, the last 456,574 digits long here.
static void CountingPage(benchmark::State &state, const char *n, const char *m)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CountArrangements(n, m));
}
BENCHMARK_CAPTURE(CountingPage, C100000of50000, "100000", "50000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountingPage, longestFactorial, "205000", "")->Unit(benchmark::kMillisecond);

// The five results of a distribution's page.
template<typename Question>
static void Page(benchmark::State &state, Outcome<Question> question,
                 Ui::NamedValues (*results)(const Question &, Rounding))
{
    for (auto _ : state)
        benchmark::DoNotOptimize(results(*question, Rounding::TenDigits));
}
BENCHMARK_CAPTURE(Page, binomial1000half, ReadBinomial("1000", "1/2", "480", "400", "600"),
                  BinomialResults)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Page, binomialExactLimit, ReadBinomial("30000", "0.3", "9000", "8000", ""),
                  BinomialResults)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Page, binomialBillion, ReadBinomial("1e9", "0.3", "300000000", "1", ""),
                  BinomialResults)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Page, hypergeometricLargest,
                  ReadHypergeometric("10000", "5000", "5000", "2500", "2000", "3000"),
                  HypergeometricResults)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Page, poissonLargest, ReadPoisson("1e8", "99990000", "1", ""), PoissonResults)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Page, normal, ReadNormal("110", "10", "100", "120", "0.975"), NormalResults)
        ->Unit(benchmark::kMillisecond);

// The working with its table of the distribution: the goal is B(1000, 1/2) within 100 ms.
template<typename Question>
static void Working(benchmark::State &state, Outcome<Question> question,
                    Ui::Working (*working)(const Question &, Rounding))
{
    for (auto _ : state)
        benchmark::DoNotOptimize(working(*question, Rounding::TenDigits));
}
BENCHMARK_CAPTURE(Working, binomial1000half, ReadBinomial("1000", "1/2", "500", "", ""),
                  BinomialWorking)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Working, binomialBillion, ReadBinomial("1e9", "0.3", "300000000", "", ""),
                  BinomialWorking)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Working, hypergeometricLargest,
                  ReadHypergeometric("10000", "5000", "5000", "2500", "", ""),
                  HypergeometricWorking)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Working, poissonLargest, ReadPoisson("1e8", "99990000", "", ""), PoissonWorking)
        ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
