// A complete run of the function information window over the widest interval, [-500, 500],
// with every component at its default step, evaluated through the prepared-function seam.
#include "benchmain.h"
#include "eval/expression.h"
#include "functioninfocomputation.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Eval;
using namespace Functions;

namespace {

void BM_FunctionInfoRun(benchmark::State &state)
{
    const QString expression = QStringLiteral("Math.sin(x)*x");
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        // Prepared once per run, as the window does.
        const PreparedFunction prepared = PrepareFunction(expression);
        const auto f = [&](double x) {
            ++evaluations;
            return prepared(x);
        };
        ComputeFunctionInfo(f);
    }
    state.counters["evaluations_per_run"]
            = benchmark::Counter(double(evaluations) / double(state.iterations()));
    state.counters["evaluations_per_second"]
            = benchmark::Counter(double(evaluations), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FunctionInfoRun)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
