// The linear Diophantine tool recomputes on every keystroke: the longest division chain of
// 64-bit inputs, a count beyond 2^63 and a full list of 1000 must all answer at once, also
// with the window showing them.
#include "tools/functions/lineardiophantinelogic.h"
#include "tools/functions/lineardiophantinewindow.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace Functions;

namespace {

void Solve(benchmark::State &state, const char *a, const char *b, const char *c)
{
    const QString aText = QString::fromLatin1(a), bText = QString::fromLatin1(b),
                  cText = QString::fromLatin1(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveLinearDiophantine(aText, bText, cText));
}
BENCHMARK_CAPTURE(Solve, textbook, "3", "5", "22");
// Consecutive Fibonacci numbers: the longest chain of 64-bit inputs, 90 lines and 88
// back-substitutions.
BENCHMARK_CAPTURE(Solve, longestChain, "7540113804746346429", "4660046610375530309",
                  "-9223372036854775808");
BENCHMARK_CAPTURE(Solve, hugeCount, "1", "1", "9223372036854775807");

// One keystroke in the window that changes the whole list of 1000 solutions.
void WindowKeystroke(benchmark::State &state)
{
    LinearDiophantineWindow window;
    window.show();
    window.findChild<EditBox *>(QStringLiteral("x系数输入框"))->setText(QStringLiteral("1"));
    window.findChild<EditBox *>(QStringLiteral("y系数输入框"))->setText(QStringLiteral("1"));
    auto *c = window.findChild<EditBox *>(QStringLiteral("常数项输入框"));
    const QString values[]
            = {QStringLiteral("9223372036854775807"), QStringLiteral("9223372036854775806")};
    int i = 0;
    for (auto _ : state) {
        c->setText(values[i++ % 2]);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(WindowKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ApplyProgramStyle(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
