// The fast evaluator against the same functions compiled natively, and the whole run of the
// function information window (click to the last paint) against its computation alone.
#include "benchmain.h"
#include "eval/expression.h"
#include "functioninfocomputation.h"
#include "textbookfunctions.h"
#include "textbooknatives.h"
#include "tools/functions/functioninfowindow.h"
#include "ui/drawingpanel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

using namespace Eval;
using namespace Functions;

namespace {

double NextX(double x)
{
    return x > 10 ? -10 : x + 0.037;
}

template<typename F>
void Sample(benchmark::State &state, const F &f)
{
    double x = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(x));
        x = NextX(x);
    }
    state.SetItemsProcessed(state.iterations());
}

void FastPath(benchmark::State &state, const char *expression)
{
    Sample(state, PrepareFunction(QString::fromUtf8(expression)));
}

BENCHMARK_CAPTURE(FastPath, sine, "Math.sin(x)*x");
BENCHMARK_CAPTURE(FastPath, quartic, "3*Math.pow(x,4)-2*Math.pow(x,3)+Math.pow(x,2)-5*x+1");
BENCHMARK_CAPTURE(FastPath, root, "Math.sqrt(x*x+1)/(x-2)");

constexpr std::size_t ScanLength = 256;

// The next ScanLength of the x that Sample takes, in batches as a scan takes them.
void ScanValues(const PreparedFunction &f, double &x)
{
    std::array<double, ScanLength> xs;
    std::array<double, ScanLength> values;
    for (double &each : xs) {
        each = x;
        x = NextX(x);
    }
    for (std::size_t done = 0; done < xs.size();)
        done += f.ValuesAt(&xs[done], &values[done], xs.size() - done);
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
}

// The time per value is the counter ns_per_value.
void FastPathInBatches(benchmark::State &state, const char *expression)
{
    const PreparedFunction f = PrepareFunction(QString::fromUtf8(expression));
    double x = -10;
    for (auto _ : state)
        ScanValues(f, x);
    state.counters["ns_per_value"]
            = benchmark::Counter(double(state.iterations() * ScanLength) * 1e-9,
                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(FastPathInBatches, sine, "Math.sin(x)*x");
BENCHMARK_CAPTURE(FastPathInBatches, quartic,
                  "3*Math.pow(x,4)-2*Math.pow(x,3)+Math.pow(x,2)-5*x+1");
BENCHMARK_CAPTURE(FastPathInBatches, root, "Math.sqrt(x*x+1)/(x-2)");
BENCHMARK_CAPTURE(FastPathInBatches, x, "x+1");

void Native(benchmark::State &state, double (*f)(double))
{
    Sample(state, f);
}

BENCHMARK_CAPTURE(Native, sine, [](double x) { return std::sin(x) * x; });
BENCHMARK_CAPTURE(Native, quartic, [](double x) {
    return 3 * std::pow(x, 4) - 2 * std::pow(x, 3) + std::pow(x, 2) - 5 * x + 1;
});
BENCHMARK_CAPTURE(Native, root, [](double x) { return std::sqrt(x * x + 1) / (x - 2); });

// One pass over every textbook function; divided by 200, the mean time of one evaluation.
void BM_TextbookTable(benchmark::State &state)
{
    std::vector<PreparedFunction> functions;
    for (const char *expression : TextbookFunctions)
        functions.push_back(PrepareFunction(QString::fromUtf8(expression)));
    double x = -10;
    for (auto _ : state) {
        for (const PreparedFunction &f : functions)
            benchmark::DoNotOptimize(f(x));
        x = NextX(x);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(functions.size()));
}
BENCHMARK(BM_TextbookTable);

// The thread's processor time: the machine may be shared, and the functions of the table are
// timed in turns over many runs, which wall-clock time would mix with other work.
double ProcessorSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Seconds per evaluation over a run of x as Sample takes it.
template<typename F>
double SecondsPerEvaluation(const F &f)
{
    constexpr int Evaluations = 8192;
    double x = -10;
    const double start = ProcessorSeconds();
    for (int i = 0; i < Evaluations; ++i) {
        benchmark::DoNotOptimize(f(x));
        x = NextX(x);
    }
    return (ProcessorSeconds() - start) / Evaluations;
}

double SecondsPerValueInBatches(const PreparedFunction &f)
{
    constexpr int Scans = 8192 / ScanLength;
    double x = -10;
    const double start = ProcessorSeconds();
    for (int scan = 0; scan < Scans; ++scan)
        ScanValues(f, x);
    return (ProcessorSeconds() - start) / (Scans * ScanLength);
}

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Every textbook function beside its native version, the three timed in turns: the medians of
// the 200 ratios fast path / native, one x at a time and in batches, and of the times.
void BM_TextbookAgainstNative(benchmark::State &state)
{
    std::vector<PreparedFunction> functions;
    for (const char *expression : TextbookFunctions)
        functions.push_back(PrepareFunction(QString::fromUtf8(expression)));
    std::vector<double> fast(functions.size());
    std::vector<double> batched(functions.size());
    std::vector<double> native(functions.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < functions.size(); ++i) {
            fast[i] += SecondsPerEvaluation(functions[i]);
            batched[i] += SecondsPerValueInBatches(functions[i]);
            native[i] += SecondsPerEvaluation(TextbookNatives[i]);
        }
    }
    const auto medianRatio = [&native](const std::vector<double> &times) {
        std::vector<double> ratios(times.size());
        for (std::size_t i = 0; i < times.size(); ++i)
            ratios[i] = times[i] / native[i];
        return Median(ratios);
    };
    const double runs = double(state.iterations());
    state.counters["median_ratio"] = medianRatio(fast);
    state.counters["median_ratio_batched"] = medianRatio(batched);
    state.counters["median_fast_ns"] = Median(fast) / runs * 1e9;
    state.counters["median_batched_ns"] = Median(batched) / runs * 1e9;
    state.counters["median_native_ns"] = Median(native) / runs * 1e9;
}
BENCHMARK(BM_TextbookAgainstNative)->Unit(benchmark::kMillisecond);

// What a run of the window computes, without the window.
void BM_FunctionInfoComputation(benchmark::State &state)
{
    for (auto _ : state)
        ComputeFunctionInfo(PrepareFunction(QStringLiteral("Math.sin(x)*x")));
}
BENCHMARK(BM_FunctionInfoComputation)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on 确定 over [-500, 500] with every component, until the window has painted all: wall
// time, as the curve is drawn on a thread of its own.
void BM_FunctionInfoWindowRun(benchmark::State &state)
{
    FunctionInfoWindow window;
    window.show();
    const auto type = [&](const char *name, const QString &text) {
        window.findChild<QLineEdit *>(QString::fromUtf8(name))->setText(text);
    };
    type("表达式编辑框", QStringLiteral("Math.sin(x)*x"));
    type("区间1", QStringLiteral("-500"));
    type("区间2", QStringLiteral("500"));
    auto *run = window.findChild<QPushButton *>(QStringLiteral("确定"));
    const auto *panel = window.findChild<DrawingPanel *>(QStringLiteral("画板1"));
    QApplication::processEvents();
    for (auto _ : state) {
        run->click();
        QApplication::processEvents();
        benchmark::DoNotOptimize(panel->picture().constBits());
    }
}
BENCHMARK(BM_FunctionInfoWindowRun)->Unit(benchmark::kMillisecond)->UseRealTime();
// The same with the CPU time of both threads: on a machine whose cores are busy with other work,
// wall time says little, and the longer thread's time is what a free machine would show.
BENCHMARK(BM_FunctionInfoWindowRun)
        ->Name("BM_FunctionInfoWindowRun/both_threads")
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime();

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QApplication>(argc, argv);
}
