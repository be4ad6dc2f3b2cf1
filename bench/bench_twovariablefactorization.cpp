#include "tools/functions/twovariablefactorizationlogic.h"

#include <QStringList>

#include <benchmark/benchmark.h>

using namespace Functions;
using namespace Functions::TwoVariableFactorization;

// A whole enumeration with every line written, as the window lists them. The zero coefficients
// of xy are the costly case: every value pairs with 0.
static void Factorize(benchmark::State &state, Coefficients coefficients)
{
    const double half = double(state.range(0));
    qsizetype lines = 0;
    for (auto _ : state) {
        Enumeration enumeration({-half, half, 1}, coefficients);
        QStringList listing;
        while (!enumeration.isFinished())
            enumeration.NextPass([&listing](const Factors &f) { listing.append(FactorsText(f)); });
        lines = listing.size();
        benchmark::DoNotOptimize(listing);
    }
    state.counters["lines"] = double(lines);
}
BENCHMARK_CAPTURE(Factorize, x2_3xy_2y2, Coefficients{1, 3, 2})
        ->Arg(200)
        ->Arg(1000)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Factorize, xy, Coefficients{0, 1, 0})
        ->Arg(200)
        ->Arg(1000)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Factorize, x2_minus_y2, Coefficients{1, 0, -1})
        ->Arg(200)
        ->Arg(1000)
        ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
