// The longest texts a user can hand to the evaluator (a box takes up to 100,000 characters)
// against the script time limit: each must finish far within it.

#include "benchmain.h"
#include "eval/expression.h"
#include "eval/scripthost.h"
#include "tools/arith/arithmeticlogic.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Eval;
using namespace Arith;

namespace {

constexpr int LongestText = 100000;

QString Repeated(const QString &term, const QString &joint)
{
    QString text = term;
    while (text.size() + joint.size() + term.size() <= LongestText)
        text += joint + term;
    return text;
}

// The label shows the result: expressions nested too deep are refused.
void Evaluate(benchmark::State &state, const QString &expression)
{
    QString result;
    for (auto _ : state) {
        BeginUserAction();
        result = ArithmeticResult(expression).value_or(ArithmeticErrorText);
        benchmark::DoNotOptimize(result);
    }
    state.counters["characters"] = double(expression.size());
    state.counters["limit_ms"] = double(ScriptHost::DefaultTimeLimit.count());
    state.SetLabel(result.left(12).toStdString());
}

// A sum of as many terms as the engine takes.
void BM_SumOfTerms(benchmark::State &state)
{
    const QString term = QStringLiteral("123.456");
    Evaluate(state, term + (QStringLiteral("+") + term).repeated(int(state.range(0)) - 1));
}
BENCHMARK(BM_SumOfTerms)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_LongSum(benchmark::State &state)
{
    Evaluate(state, Repeated(QStringLiteral("1"), QStringLiteral("+")));
}
BENCHMARK(BM_LongSum)->Unit(benchmark::kMillisecond);

void BM_LongSumOfDecimals(benchmark::State &state)
{
    Evaluate(state, Repeated(QStringLiteral("123.456"), QStringLiteral("+")));
}
BENCHMARK(BM_LongSumOfDecimals)->Unit(benchmark::kMillisecond);

void BM_LongSumOfFunctions(benchmark::State &state)
{
    Evaluate(state, Repeated(QStringLiteral("sqrt(2)*sin(3)"), QStringLiteral("+")));
}
BENCHMARK(BM_LongSumOfFunctions)->Unit(benchmark::kMillisecond);

void BM_LongFullWidthProduct(benchmark::State &state)
{
    Evaluate(state, Repeated(QStringLiteral("（１．５）"), QStringLiteral("＊")));
}
BENCHMARK(BM_LongFullWidthProduct)->Unit(benchmark::kMillisecond);

void BM_DeepParentheses(benchmark::State &state)
{
    const int depth = LongestText / 2 - 1;
    Evaluate(state, QString(depth, u'(') + u'1' + QString(depth, u')'));
}
BENCHMARK(BM_DeepParentheses)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
