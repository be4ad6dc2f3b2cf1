#include "benchmain.h"
#include "tools/statistics/datastatistics.h"
#include "tools/statistics/datastatisticswindow.h"
#include "tools/statistics/datatablefile.h"
#include "tools/statistics/regression.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QRandomGenerator>

using namespace Statistics;

// A million measurements as a student pastes them from a spreadsheet: heights to a tenth of a
// centimetre, one per line (with a weight beside each for two variables).
static QString MillionValues(bool paired)
{
    QRandomGenerator random(2014);
    QString text;
    text.reserve(paired ? 12000000 : 6000000);
    for (int i = 0; i < 1000000; ++i) {
        const int height = 1400 + int(random.bounded(500));
        text += QString::number(height / 10) + u'.' + QString::number(height % 10);
        if (paired)
            text += u'\t' + QString::number(30 + height / 20 + int(random.bounded(200)) / 10.0);
        text += u'\n';
    }
    return text;
}

static DataTable Pasted(const QString &text)
{
    DataTable table;
    table.Paste(0, 0, *ParseDataText(text));
    return table;
}

// Every figure of 单变量 for a million values: the data read from the table, sorted, summed and
// the percentiles, modes and variances found.
static void AllOneVariableFigures(benchmark::State &state)
{
    const DataTable table = Pasted(MillionValues(false));
    for (auto _ : state) {
        const auto analysis = AnalyseOneVariable(*CollectOneVariable(table));
        benchmark::DoNotOptimize((*analysis)->figures.variance);
    }
}
BENCHMARK(AllOneVariableFigures)->Unit(benchmark::kMillisecond);

// Pasting them: the text read into cells and put into the table.
static void PasteMillionValues(benchmark::State &state)
{
    const QString text = MillionValues(false);
    for (auto _ : state) {
        DataTable table;
        table.Paste(0, 0, *ParseDataText(text));
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(PasteMillionValues)->Unit(benchmark::kMillisecond);

// Opening the window with a million saved rows: the saved tables read back.
static void LoadMillionSavedRows(benchmark::State &state)
{
    DataTables tables;
    tables.oneVariable = Pasted(MillionValues(false));
    const QByteArray saved = DataTablesText(tables);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseDataTablesText(saved)->oneVariable.rowCount());
}
BENCHMARK(LoadMillionSavedRows)->Unit(benchmark::kMillisecond);

// 双变量 for a million pairs: the sums, r and the six curves.
static void AllTwoVariableFigures(benchmark::State &state)
{
    const DataTable table = Pasted(MillionValues(true));
    for (auto _ : state) {
        const auto figures = AnalyseTwoVariables(*CollectPairs(table));
        benchmark::DoNotOptimize(figures->r);
    }
}
BENCHMARK(AllTwoVariableFigures)->Unit(benchmark::kMillisecond);

// The same paste into the window, with Ctrl+V, until its figures are shown: the run machinery
// lets events through meanwhile, so the window stays responsive. In wall time.
static void PasteIntoWindow(benchmark::State &state)
{
    QApplication::clipboard()->setText(MillionValues(false));
    for (auto _ : state) {
        DataStatisticsWindow window;
        window.show();
        auto *table = window.findChild<QAbstractItemView *>(QStringLiteral("单变量数据表格"));
        table->setFocus();
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("v"));
        QApplication::sendEvent(table, &paste);
        benchmark::DoNotOptimize(window.ResultLines());
    }
}
BENCHMARK(PasteIntoWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return RunBenchmarks<QApplication>(argc, argv);
}
