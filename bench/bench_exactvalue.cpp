#include "benchmain.h"
#include "eval/calculationhistory.h"
#include "tools/arith/arithmeticlogic.h"

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace Arith;
using namespace Eval;

// The exact value is worked out on every computation of "四则运算", beside the engine's.
static void ExactTextbook(benchmark::State &state, const char *expression)
{
    const QString text = QString::fromUtf8(expression);
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactValueText(text));
}
BENCHMARK_CAPTURE(ExactTextbook, sumOfFractions, "1/3+1/6");
BENCHMARK_CAPTURE(ExactTextbook, decimals, "0.1+0.2");
BENCHMARK_CAPTURE(ExactTextbook, mixed, "(2+5)/6");
BENCHMARK_CAPTURE(ExactTextbook, repeating, "1/7-2(3/4)");
BENCHMARK_CAPTURE(ExactTextbook, power, "Math.pow(2,-3)*5");

// Expressions as long as the box is meant for: a sum of unit fractions whose common
// denominator grows with every term, and products of long factors.
static QString Repeated(const std::function<QString(int)> &term, int length)
{
    QString text;
    for (int i = 1; text.size() < length; ++i)
        text += (i > 1 ? QStringLiteral("+") : QString()) + term(i);
    return text;
}

static void ExactLong(benchmark::State &state, std::function<QString(int)> term)
{
    const QString text = Repeated(term, 10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactValueText(text));
}
BENCHMARK_CAPTURE(ExactLong, unitFractions, [](int i) { return QStringLiteral("1/%1").arg(i); });
BENCHMARK_CAPTURE(ExactLong, products, [](int i) {
    return QStringLiteral("123456789.987654321*987654321/%1").arg(i + 6);
});
BENCHMARK_CAPTURE(ExactLong, nestedPowers,
                  [](int i) { return QStringLiteral("Math.pow(%1/7,%2)").arg(i).arg(i % 9); });

// What is refused is refused at once, not after running out of memory.
static void ExactRefused(benchmark::State &state, QString text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactValueText(text));
}
BENCHMARK_CAPTURE(ExactRefused, hugeExponent, QStringLiteral("Math.pow(10,1e9)"));
BENCHMARK_CAPTURE(ExactRefused, hugeLiteral, QStringLiteral("1e999999999*3"));
BENCHMARK_CAPTURE(ExactRefused, longLiteral, QStringLiteral("1") + QString(32000, u'7'));
BENCHMARK_CAPTURE(ExactRefused, deepNesting,
                  QString(16000, u'(') + QStringLiteral("1") + QString(16000, u')'));

static QList<HistoryEntry> FullHistory()
{
    QList<HistoryEntry> entries;
    for (int i = 0; i < CalculationHistory::MaxEntries; ++i)
        entries.append({QStringLiteral("(%1+1/3)*2(5-%1)/7").arg(i), QString::number(i / 7.0)});
    return entries;
}

static void LoadFullHistory(benchmark::State &state)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("history.json"));
    {
        CalculationHistory history(path);
        for (const HistoryEntry &entry : FullHistory())
            history.Add(entry);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculationHistory(path).entries().size());
}
BENCHMARK(LoadFullHistory)->Unit(benchmark::kMillisecond);

// Adding to a full history writes the whole file again.
static void SaveFullHistory(benchmark::State &state)
{
    QTemporaryDir directory;
    CalculationHistory history(directory.filePath(QStringLiteral("history.json")));
    const QList<HistoryEntry> entries = FullHistory();
    for (const HistoryEntry &entry : entries)
        history.Add(entry);
    int i = 0;
    for (auto _ : state)
        history.Add(entries.at(i++ % entries.size()));
}
BENCHMARK(SaveFullHistory)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
