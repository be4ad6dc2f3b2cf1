// A redraw of a graph view 1000 pixels wide, sampling and painting included, as the graph
// panel of 函数基本信息 does it after each step of a drag or zoom; and the longest slice a
// function only the script engine evaluates takes between events.
#include "benchmain.h"
#include "eval/expression.h"
#include "ui/curvesampler.h"
#include "ui/graphpainter.h"
#include "ui/graphview.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>

using namespace Ui;
using namespace Eval;

namespace {

constexpr int Size = 1000;

const char *const Functions[]
        = {"Math.sin(x)*x", "Math.pow(x,4)-5*Math.pow(x,2)+4", "Math.tan(x)", "1/(x-2)"};
// Half the width of the view in x: the usual one, and far out where curves turn dense.
const double HalfWidths[] = {10, 500};

void BM_GraphRedraw(benchmark::State &state)
{
    const QString expression = QString::fromLatin1(Functions[state.range(0)]);
    const double half = HalfWidths[state.range(1)];
    const PreparedFunction f = PrepareFunction(expression);
    const GraphView view(-half, half, -half, half, Size, Size);
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    const QFont font;
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        CurveSampler sampler(f, view, 1);
        sampler.SampleAll();
        evaluations += sampler.evaluations();
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        GraphPainter::PaintAxes(painter, view, font, GraphPainter::AxesLayer::Lines);
        GraphPainter::PaintCurve(painter, view, sampler.pieces(), Qt::red, 3);
        GraphPainter::PaintAxes(painter, view, font, GraphPainter::AxesLayer::Labels);
        GraphPainter::PaintMarks(painter, view, sampler.marks());
    }
    state.SetLabel(expression.toStdString() + " on ±" + std::to_string(int(half)));
    state.counters["evaluations"]
            = benchmark::Counter(double(evaluations) / double(state.iterations()));
}
BENCHMARK(BM_GraphRedraw)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// A function the fast evaluator refuses (a function literal) is sampled in slices of 25 ms,
// as the panel does between events: the longest slice is what input waits at most.
void BM_EngineOnlySlices(benchmark::State &state)
{
    const PreparedFunction f = PrepareFunction(QStringLiteral("(function(t){return t*t})(x)"));
    const GraphView view(-10, 10, -10, 10, Size, Size);
    double longest = 0;
    for (auto _ : state) {
        CurveSampler sampler(f, view, 1);
        while (!sampler.done()) {
            const auto start = CurveSampler::Clock::now();
            sampler.Advance(start + std::chrono::milliseconds(25));
            const std::chrono::duration<double, std::milli> slice
                    = CurveSampler::Clock::now() - start;
            longest = std::max(longest, slice.count());
        }
    }
    state.counters["longest_slice_ms"] = longest;
}
BENCHMARK(BM_EngineOnlySlices)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QGuiApplication>(argc, argv);
}
