#include "benchmain.h"
#include "eval/expression.h"
#include "eval/scripthost.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Eval;

namespace {

const QString Polynomial = QStringLiteral(
        "3*Math.pow(x,3)-2*Math.pow(x,2)+Math.cos(x)*x+Math.sqrt(x*x+1)-7/(x*x+2)");

// Steps x the way the function tools do, over negative and positive values.
double NextX(double x)
{
    return x > 10 ? -10 : x + 0.037;
}

void BM_EvaluateExpression(benchmark::State &state)
{
    const QString expression = QStringLiteral("sqrt(16)+2(3)*sin(0.5)");
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateExpression(expression));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateExpression);

void BM_EvaluateFunctionAt_Sine(benchmark::State &state)
{
    const QString expression = QStringLiteral("Math.sin(x)*3+1");
    double x = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateFunctionAt(expression, u'x', x));
        x = NextX(x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateFunctionAt_Sine);

void BM_EvaluateFunctionAt_Polynomial(benchmark::State &state)
{
    double x = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateFunctionAt(Polynomial, u'x', x));
        x = NextX(x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateFunctionAt_Polynomial);

// The two parts of an evaluation separately: the text rewrites and the engine.
void BM_PrepareExpression(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PrepareExpression(Polynomial));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrepareExpression);

// A pasted expression of 100,000 characters with many x, digits and names.
void BM_PrepareExpression_Long(benchmark::State &state)
{
    const QString piece = QStringLiteral("sin(x)*2x+(x-1)(x+1)/3-xx+SQRT(4x)");
    const QString text = piece.repeated(100000 / piece.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(PrepareExpression(text));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrepareExpression_Long)->Unit(benchmark::kMillisecond);

void BM_FunctionProgram_Long(benchmark::State &state)
{
    const QString piece = QStringLiteral("sin(x)*2x+(x-1)(x+1)/3-xx+SQRT(4x)");
    const QString text = piece.repeated(100000 / piece.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(FunctionProgram(text, u'x', -2.5));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FunctionProgram_Long)->Unit(benchmark::kMillisecond);

// Sampling through the seam the function tools use.
void PreparedFunctionAt(benchmark::State &state, const QString &expression)
{
    const PreparedFunction function = PrepareFunction(expression);
    double x = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(function(x));
        x = NextX(x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(PreparedFunctionAt, sine, QStringLiteral("Math.sin(x)*x"));
BENCHMARK_CAPTURE(PreparedFunctionAt, quartic,
                  QStringLiteral("3*Math.pow(x,4)-2*Math.pow(x,3)+Math.pow(x,2)-5*x+1"));
BENCHMARK_CAPTURE(PreparedFunctionAt, root, QStringLiteral("Math.sqrt(x*x+1)/(x-2)"));
// Only the engine reads a text, so every value comes from EvaluateFunctionAt.
BENCHMARK_CAPTURE(PreparedFunctionAt, notCompiled, QStringLiteral("x+('1'-1)"));

void BM_PrepareFunction(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PrepareFunction(Polynomial));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrepareFunction);

// What the four-operation calculator evaluates.
void BM_EvaluateExpression_FourOperations(benchmark::State &state)
{
    const QString expression = QStringLiteral("12.5*4-3/2+(7-1)*2");
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateExpression(expression));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateExpression_FourOperations);

void BM_ScriptHostEvaluate(benchmark::State &state)
{
    ScriptHost &host = ScriptHost::ForThisThread();
    const QString program = QStringLiteral("Math.sin(0.5)*3+1");
    for (auto _ : state)
        benchmark::DoNotOptimize(host.Evaluate(program));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptHostEvaluate);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
