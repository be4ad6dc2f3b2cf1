// The enumeration of 求方程近似根, which lists every root it finds: on textbook intervals it
// must answer within a second, on wide ones (Math.sin(x) on [-10⁶, 10⁶], 636,620 roots) it runs
// longer, showing its progress.
#include "benchmain.h"
#include "eval/expression.h"
#include "tools/functions/approximaterootlogic.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Eval;
using namespace Functions::ApproximateRoot;

namespace {

void Enumeration(benchmark::State &state, const char *expression, double a, double b)
{
    const PreparedFunction f = PrepareFunction(QString::fromUtf8(expression));
    std::int64_t evaluations = 0;
    qsizetype roots = 0;
    for (auto _ : state) {
        SearchHooks hooks;
        hooks.answers = [&roots](const QList<Answer> &answers, bool) { roots = answers.size(); };
        Enumerate(
                [&](double x) {
                    ++evaluations;
                    return f(x);
                },
                a, b, 3, hooks);
    }
    state.counters["roots"] = double(roots);
    state.counters["evaluations_per_run"]
            = benchmark::Counter(double(evaluations) / double(state.iterations()));
}
BENCHMARK_CAPTURE(Enumeration, textbook_square, "x*x-2", -10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumeration, textbook_tangent, "tan(x)", -10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumeration, textbook_rational, "(x-2.99)/(x-3)+1/(x*x+1)", -10, 10)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumeration, textbook_wide, "x*x*x-3x+1", -1000, 1000)
        ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumeration, sine_million, "Math.sin(x)", -1e6, 1e6)
        ->Unit(benchmark::kSecond)
        ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
