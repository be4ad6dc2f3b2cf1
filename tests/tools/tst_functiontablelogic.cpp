#include "eval/expression.h"
#include "eval/numberformat.h"
#include "tools/functions/functiontablelogic.h"

#include <QTest>

using namespace Eval;
using namespace Functions;
using namespace Functions::FunctionTable;

Q_DECLARE_METATYPE(ValueText)

namespace {

const ValueText Square = [](double x) { return NumberToText(x * x); };

struct Columns
{
    QStringList x;
    QStringList values;
};

Columns Build(Table table, const ValueText &f)
{
    Columns columns;
    while (const std::optional<Row> row = table.NextRow(f)) {
        columns.x.append(row->x);
        columns.values.append(row->value);
    }
    return columns;
}

} // namespace

class FunctionTableLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void valueCells_data();
    void valueCells();
    void refusesTablesThatWouldNotEnd_data();
    void refusesTablesThatWouldNotEnd();
};

void FunctionTableLogicTest::rows_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<ValueText>("f");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QStringList>("x");
    QTest::addColumn<QStringList>("values");
    const auto row = [](const char *name, const char *first, const char *last,
                        const char *difference, const ValueText &f, int maximum,
                        const QStringList &x, const QStringList &values) {
        QTest::newRow(name) << QString::fromLatin1(first) << QString::fromLatin1(last)
                            << QString::fromLatin1(difference) << f << maximum << x << values;
    };
    const ValueText one = [](double) { return QStringLiteral("1"); };
    row("defaults", "-5", "5", "1", Square, 10,
        {"-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5"},
        {"25", "16", "9", "4", "1", "0", "1", "4", "9", "16", "25"});
    const QStringList tenths{"0",   "0.1", "0.2", "0.3", "0.4", "0.5",
                             "0.6", "0.7", "0.8", "0.9", "1"};
    row(
            "tenths without drift", "0", "1", "0.1", [](double x) { return NumberToText(x); }, 10,
            tenths, tenths);
    row("first term as typed", "+3", "4", "1", one, 1, {"+3", "4"}, {"1", "1"});
    row("the full-width x as typed", "-1", "1", "1", PrepareFunctionText("ｘ²"), 2,
        {"-1", "0", "1"}, {"1", "0", "1"});
    row("first term with an x", "2x", "3", "1", one, 1, {"2", "3"}, {"1", "1"});
    row("first beyond the last, difference 0", "5", "-5", "0", Square, 0, {}, {});
    row("last within 1e-7", "1", "0.99999995", "1", Square, 0, {"1"}, {"1"});
    // Where x + difference lies half way between two 13-digit texts, the rounding decides.
    row("difference stops moving x inside the range", "565.6", "565.6000000003", "5e-11", one, 6,
        {"565.6", "565.6000000001"}, {"1", "1"});
    row("engine texts", "-1", "1", "1",
        [](double x) { return x < 0    ? "-1.#IND"
                               : x > 0 ? "1.#INF"
                                       : ""; }, 2, {"-1", "0", "1"},
        {"-1.#IND", "错误", "错误"});
}

void FunctionTableLogicTest::rows()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, difference);
    QFETCH(ValueText, f);
    QFETCH(int, maximum);
    QFETCH(QStringList, x);
    QFETCH(QStringList, values);
    const std::optional<Table> table = Table::Start(first, last, difference);
    QVERIFY(table);
    QCOMPARE(table->progressMaximum(), maximum);
    const Columns columns = Build(*table, f);
    QCOMPARE(columns.x, x);
    QCOMPARE(columns.values, values);
}

void FunctionTableLogicTest::valueCells_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("cell");
    const auto row = [](const char *name, const char *result, const char *cell) {
        QTest::newRow(name) << QString::fromUtf8(result) << QString::fromUtf8(cell);
    };
    row("failure", "", "错误");
    row("infinity", "1.#INF", "错误");
    row("minus infinity", "-1.#INF", "错误");
    row("not a number", "-1.#IND", "-1.#IND");
    row("the engine's digits", "0.30000000000000004", "0.30000000000000004");
    row("boolean", "真", "真");
}

void FunctionTableLogicTest::valueCells()
{
    QFETCH(QString, result);
    QFETCH(QString, cell);
    QCOMPARE(ValueCell(result), cell);
}

void FunctionTableLogicTest::refusesTablesThatWouldNotEnd_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("difference");
    const auto row
            = [](const char *name, const char *first, const char *last, const char *difference) {
                  QTest::newRow(name) << QString::fromLatin1(first) << QString::fromLatin1(last)
                                      << QString::fromLatin1(difference);
              };
    row("difference 0", "-5", "5", "0");
    row("difference not a number", "-5", "5", "abc");
    row("difference pointing away", "-5", "5", "-1");
    row("lost at the first term", "1", "2", "1e-13");
    row("lost at 1e13", "1e13", "1e13+10", "1");
    row("lost toward the last term", "0", "1e14", "1");
    row("lost toward a negative first term", "-1e14", "0", "1");
    row("infinite difference", "-5", "5", "1e999");
    row("infinite last term", "-5", "1e999", "1");
    row("infinite first term", "-1e999", "5", "1");
    row("x overflowing", "0", "1.7e308", "1e308");
}

void FunctionTableLogicTest::refusesTablesThatWouldNotEnd()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, difference);
    QVERIFY(!Table::Start(first, last, difference));
}

QTEST_GUILESS_MAIN(FunctionTableLogicTest)
#include "tst_functiontablelogic.moc"
