#include "eval/expression.h"
#include "tools/functions/functiontablewindow.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/grid.h"
#include "windowtest.h"

#include <QApplication>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Eval;

namespace {

QStringList Column(const Grid *grid, int column)
{
    QStringList cells;
    for (int row = 1; row < grid->rowCount(); ++row)
        cells.append(grid->GetCell(row, column));
    return cells;
}

void ClickCell(Grid *grid, int row, int column)
{
    grid->scrollToItem(grid->item(row, column));
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class FunctionTableWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensWithOnlyTheInputColumn();
    void buildsTheTable_data();
    void buildsTheTable();
    void clickShowsTheRow_data();
    void clickShowsTheRow();
    void hintShowsTheNotation();
    void longTableLetsEventsThroughAndIgnoresInputMeanwhile();
    void closingWhileBuildingIsSafe();

private:
    void Build(const QString &expression, const QString &first = QStringLiteral("-5"),
               const QString &last = QStringLiteral("5"),
               const QString &difference = QStringLiteral("1"));
    template<typename Control>
    Control *Find(const QString &name) const
    {
        return FindControl<Control>(m_window, name);
    }

    QPointer<FunctionTableWindow> m_window;
};

void FunctionTableWindowTest::Build(const QString &expression, const QString &first,
                                    const QString &last, const QString &difference)
{
    Replace(Find<EditBox>(QStringLiteral("输入")), expression);
    Replace(Find<EditBox>(QStringLiteral("首项")), first);
    Replace(Find<EditBox>(QStringLiteral("末项")), last);
    Replace(Find<EditBox>(QStringLiteral("公差")), difference);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮1")), Qt::LeftButton);
}

void FunctionTableWindowTest::opensWithOnlyTheInputColumn()
{
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    QCOMPARE(QApplication::focusWidget(), Find<EditBox>(QStringLiteral("输入")));
    QCOMPARE(Find<EditBox>(QStringLiteral("首项"))->text(), "-5");
    QCOMPARE(Find<EditBox>(QStringLiteral("末项"))->text(), "5");
    QCOMPARE(Find<EditBox>(QStringLiteral("公差"))->text(), "1");
    Grid *grid = Find<Grid>(QStringLiteral("高级表格1"));
    QVERIFY(!grid->isVisible());
    QVERIFY(!Find<EditBox>(QStringLiteral("详情"))->isVisible());
    const int narrow = m_window->width();

    Build(QStringLiteral("x"), QStringLiteral("5"), QStringLiteral("-5"));
    QVERIFY(grid->isVisible());
    QVERIFY(Find<EditBox>(QStringLiteral("详情"))->isVisible());
    QVERIFY(m_window->width() > 2 * narrow);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->GetCell(0, 0), "x");
    QCOMPARE(grid->GetCell(0, 1), "f(x)");
    const int wide = m_window->width();
    Build(QStringLiteral("x"));
    QCOMPARE(m_window->width(), wide);
}

// The rows go through the evaluator's function program; the terms' rules are the logic's.
void FunctionTableWindowTest::buildsTheTable_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<QStringList>("x");
    QTest::addColumn<QStringList>("values");
    const auto row
            = [](const char *name, const char *expression, const char *first, const char *last,
                 const QStringList &x, const QStringList &values, const char *difference = "1") {
                  QTest::newRow(name) << QString::fromUtf8(expression) << QString::fromLatin1(first)
                                      << QString::fromLatin1(last)
                                      << QString::fromLatin1(difference) << x << values;
              };
    row("x*x", "x*x", "-5", "5", {"-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5"},
        {"25", "16", "9", "4", "1", "0", "1", "4", "9", "16", "25"});
    row("implied multiplication with negative x", "2x", "-2", "0", {"-2", "-1", "0"},
        {"-4", "-2", "0"});
    row("negative x after a minus", "1-x", "-2", "0", {"-2", "-1", "0"}, {"3", "2", "1"});
    row("pole", "1/x", "-1", "1", {"-1", "0", "1"}, {"-1", "错误", "1"});
    row("not a number shows as the engine writes it", "Math.sqrt(x)", "-1", "0", {"-1", "0"},
        {"-1.#IND", "0"});
    row("the x of exp is its own", "Math.exp(x)", "-1", "0", {"-1", "0"},
        {"0.36787944117144233", "1"});
    row("all the engine's digits", "x/3", "1", "2", {"1", "2"},
        {"0.3333333333333333", "0.6666666666666666"});
    row("no x", "7", "1", "3", {"1", "2", "3"}, {"7", "7", "7"});
    row("upper-case X", "X*X", "2", "3", {"2", "3"}, {"4", "9"});
    row("refused difference", "x", "-5", "5", {}, {}, "0");
}

void FunctionTableWindowTest::buildsTheTable()
{
    QFETCH(QString, expression);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, difference);
    QFETCH(QStringList, x);
    QFETCH(QStringList, values);
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    // An earlier table goes.
    Build(QStringLiteral("x"));
    Build(expression, first, last, difference);
    Grid *grid = Find<Grid>(QStringLiteral("高级表格1"));
    QCOMPARE(Column(grid, 0), x);
    QCOMPARE(Column(grid, 1), values);
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    QCOMPARE(progress->value(), std::min(int(x.size()), progress->maximum()));
}

void FunctionTableWindowTest::clickShowsTheRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("detail");
    QTest::newRow("value") << 1 << 1 << "f(-5)=25";
    QTest::newRow("x shows on both sides") << 1 << 0 << "f(-5)=-5";
    QTest::newRow("last row") << 11 << 1 << "f(5)=25";
    QTest::newRow("header") << 0 << 1 << "f(x)=f(x)";
}

void FunctionTableWindowTest::clickShowsTheRow()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, detail);
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    Build(QStringLiteral("x*x"));
    ClickCell(Find<Grid>(QStringLiteral("高级表格1")), row, column);
    QCOMPARE(Find<EditBox>(QStringLiteral("详情"))->text(), detail);
}

void FunctionTableWindowTest::hintShowsTheNotation()
{
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮2")), Qt::LeftButton);
    const QList<ShownMessage> expected{
            {QStringLiteral("提示："), DisplayText(ExpressionHintText())}};
    QCOMPARE(TakeMessages(), expected);
    // A function that fails at the ends gets the hint instead of a table of errors.
    Build(QStringLiteral("x+foo"));
    QCOMPARE(TakeMessages(), expected);
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格1"))->rowCount(), 1);
}

// 100,000 rows: the window answers while they are built, a second click on 计算 and new terms
// typed meanwhile change nothing, and the grid takes a click.
void FunctionTableWindowTest::longTableLetsEventsThroughAndIgnoresInputMeanwhile()
{
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    Grid *grid = Find<Grid>(QStringLiteral("高级表格1"));
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        ++ticks;
        if (ticks != 5)
            return;
        QVERIFY(progress->value() > 1);
        Replace(Find<EditBox>(QStringLiteral("首项")), QStringLiteral("99990"));
        QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮1")), Qt::LeftButton);
        ClickCell(grid, 2, 1);
    });
    // Events every millisecond of the run, however quick this machine builds the table.
    m_window->SetEventPeriod(1);
    ticker.start(1);
    Build(QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("100000"));
    QVERIFY(ticks >= 5);
    QCOMPARE(grid->rowCount(), 100001);
    QCOMPARE(grid->GetCell(100000, 0), "100000");
    QCOMPARE(grid->GetCell(100000, 1), "100000");
    QCOMPARE(progress->value(), 99999);
    QCOMPARE(Find<EditBox>(QStringLiteral("详情"))->text(), "f(2)=2");
}

void FunctionTableWindowTest::closingWhileBuildingIsSafe()
{
    QVERIFY(OpenToolWindow<FunctionTableWindow>(m_window));
    Grid *grid = Find<Grid>(QStringLiteral("高级表格1"));
    int rowsAtClose = 0;
    connect(grid->model(), &QAbstractItemModel::rowsInserted, m_window.data(), [&, grid] {
        if (rowsAtClose == 0 && grid->rowCount() >= 1000) {
            rowsAtClose = grid->rowCount();
            m_window->close();
        }
    });
    Build(QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("100000"));
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
    // Nothing was built after the close.
    QCOMPARE(grid->rowCount(), rowsAtClose);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

QTEST_MAIN(FunctionTableWindowTest)
#include "tst_functiontablewindow.moc"
