#include "benchmain.h"
#include "eval/mathevaluation.h"
#include "tools/algebra/scientificcalculator.h"

#include <QCoreApplication>

using namespace Algebra;
using namespace Eval;

// A line of 科学计算 from the typed text to what the window shows and copies. Textbook lines
// are to answer within 1 ms.
static void Textbook(benchmark::State &state, const char *line)
{
    const QString text = QString::fromUtf8(line);
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateScientific(text, AngleUnit::Degrees, std::nullopt));
}
BENCHMARK_CAPTURE(Textbook, surds, "√12+√27");
BENCHMARK_CAPTURE(Textbook, rationalised, "1/(√3−1)");
BENCHMARK_CAPTURE(Textbook, specialAngles, "sin30°cos60°+cos30°sin60°");
BENCHMARK_CAPTURE(Textbook, tan15, "tan15°");
BENCHMARK_CAPTURE(Textbook, logarithms, "lg2+lg5+log(2,8)");
BENCHMARK_CAPTURE(Textbook, piFraction, "2π/3+arcsin(1/2)");
BENCHMARK_CAPTURE(Textbook, decimalOnly, "ln2+sin1");
BENCHMARK_CAPTURE(Textbook, quadraticRoot, "(−4+√24)/4");
BENCHMARK_CAPTURE(Textbook, cubeRoots, "1/(1+∛2)");

// Lines of 200 characters built to be slow, each to answer or be refused within 50 ms.
static QString Repeated(const QString &piece, const QString &joint)
{
    QString line = piece;
    while (line.size() + joint.size() + piece.size() <= 200)
        line += joint + piece;
    return line;
}

static void Worst(benchmark::State &state, const QString &line)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateScientific(line, AngleUnit::Degrees, std::nullopt));
    state.SetLabel(QString::number(line.size()).toStdString() + " characters");
}
BENCHMARK_CAPTURE(Worst, inversesOfFourRoots, Repeated(QStringLiteral("1/(√2+√3+√5+√7)"), "+"));
BENCHMARK_CAPTURE(Worst, powerOfSixRoots,
                  Repeated(QStringLiteral("(√2+√3+√5+√7+√11+√13)^99"), "×"));
BENCHMARK_CAPTURE(Worst, factorials, Repeated(QStringLiteral("9999!"), "×"));
BENCHMARK_CAPTURE(Worst, towers, Repeated(QStringLiteral("9^9^9"), "+"));
BENCHMARK_CAPTURE(Worst, hugeAngles, Repeated(QStringLiteral("sin(9^15)"), "+"));
BENCHMARK_CAPTURE(Worst, nestedFunctions,
                  QStringLiteral("sin(").repeated(40) + QStringLiteral("1")
                          + QStringLiteral(")").repeated(40));
BENCHMARK_CAPTURE(Worst, rootsOfLargePrimes,
                  Repeated(QStringLiteral("√18446744073709551557"), "+"));
BENCHMARK_CAPTURE(Worst, choices, Repeated(QStringLiteral("C(9999,4999)"), "÷"));
BENCHMARK_CAPTURE(Worst, logarithmSums, Repeated(QStringLiteral("lg7"), "+"));
BENCHMARK_CAPTURE(Worst, cancellation, Repeated(QStringLiteral("sin(1)^2+cos(1)^2−1"), "+"));

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
