#include "eval/expression.h"
#include "eval/rounding.h"
#include "textbookfunctions.h"
#include "tools/functions/functionpropertieslogic.h"

#include <QTest>

#include <cmath>
#include <tuple>

using namespace Ui;
using namespace Functions;
using namespace Functions::FunctionProperties;

namespace {

const Function Square = [](double x) { return x * x; };

// An extreme value found by brute force, independently of the analysis: the best of samples
// 2e-4 apart; then toward either neighbour of it, ever closer, and three times the best of
// 2,001 samples around it, each time 500 times closer. Where the steps of either way still
// gain as much as before, f grows without bound.
struct Truth
{
    bool unbounded = true;
    double x = 0;
    double y = 0;
};

Truth BruteForce(const Function &f, double a, double b, bool largest)
{
    Truth best;
    const auto take = [&](double x) {
        const double y = f(x);
        if (y != Eval::UndefinedValue && std::isfinite(y)
            && (best.unbounded || (largest ? y > best.y : y < best.y)))
            best = {false, x, y};
    };
    const auto scan = [&](double from, double to, int count) {
        for (int i = 0; i <= count; ++i)
            take(from + (to - from) * (double(i) / count));
    };
    const int count = int(std::lround((b - a) * 5e3));
    scan(a, b, count);
    if (best.unbounded)
        return best;
    const double width = (b - a) / count;
    const Truth sample = best;
    std::vector<double> gains;
    for (int k = 1; k <= 14; ++k) {
        const double previous = best.y;
        for (const double side : {-1.0, 1.0}) {
            const double x = sample.x + side * width * (1 - std::pow(10.0, -k));
            if (x >= a && x <= b)
                take(x);
        }
        gains.push_back(std::fabs(best.y - previous));
    }
    int last = int(gains.size()) - 1;
    while (last >= 0 && gains[std::size_t(last)] == 0)
        --last;
    if (last >= 4 && gains[std::size_t(last)] >= 0.5 * gains[std::size_t(last - 4)]) {
        best.unbounded = true;
        return best;
    }
    // A pole between samples: each closer look gains as much again.
    best = sample;
    gains.clear();
    for (double around = width; around > width / 1e6; around *= 4.0 / 2000) {
        const double previous = best.y;
        scan(std::max(a, best.x - 2 * around), std::min(b, best.x + 2 * around), 2000);
        gains.push_back(std::fabs(best.y - previous));
    }
    best.unbounded = gains[0] > 0 && gains[2] >= 0.5 * gains[0];
    return best;
}

QStringList Texts(const Extrema &e)
{
    return {e.maximum.x, e.maximum.value, e.minimum.x, e.minimum.value};
}

QList<QStringList> Texts(const std::vector<MonotonicInterval> &rows)
{
    QList<QStringList> texts;
    for (const MonotonicInterval &row : rows)
        texts.append({row.label, row.start, row.end, row.direction});
    return texts;
}

std::function<double()> Fixed(double step)
{
    return [step] { return step; };
}

} // namespace

class FunctionPropertiesLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void extrema_data();
    void extrema();
    void monotonicIntervals_data();
    void monotonicIntervals();
    void parity_data();
    void parity();
    void asymmetricIntervalIsNotEvaluated();
    void unusableStepsShowNothing_data();
    void unusableStepsShowNothing();
    void parityStepBecomingZeroStopsTheScan();
    void abandonedScansShowNothing();
    void textbookExtremaMatchAFinerSearch_data();
    void textbookExtremaMatchAFinerSearch();
    void batchedScansFindWhatSingleValuesFind_data();
    void batchedScansFindWhatSingleValuesFind();
};

// The textbook examples and the shapes around them: peaks between samples, both ends,
// equal extremes, poles, the edge of the domain, jumps, constants, the decimals asked for.
void FunctionPropertiesLogicTest::extrema_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("step");
    QTest::addColumn<QStringList>("texts"); // the maximum's x and value, the minimum's
    const auto row = [](const char *expression, double a, double b, double step,
                        const QStringList &texts) {
        QTest::addRow("%s on [%g, %g] by %g", expression, a, b, step)
                << QString::fromUtf8(expression) << a << b << step << texts;
    };
    row("sin(x)*x", -10, 10, 0.1, {"-8.0, 8.0", "7.9", "-10.0, 10.0", "-5.4"});
    row("sin(x)*x", -10, 10, 0.0001, {"-7.9787, 7.9787", "7.9167", "-10.0000, 10.0000", "-5.4402"});
    row("x*x*x-3x", -3, 3, 0.1, {"3.0", "18.0", "-3.0", "-18.0"});
    row("tan(x)", -10, 10, 0.1, {"", "无最大值", "", "无最小值"});
    row("1/(x-2)", -10, 10, 0.1, {"", "无最大值", "", "无最小值"});
    row("1/(x*x)", -9.95, 10, 0.1, {"", "无最大值", "10.0", "0.0"});
    row("√x", -10, 10, 0.1, {"10.0", "3.2", "0.0", "0.0"});
    row("ln(x)", -10, 10, 0.01, {"10.00", "2.30", "", "无最小值"});
    row("x*x", -10, 10, 0.01, {"-10.00, 10.00", "100.00", "0.00", "0.00"});
    row("x*x/3", -10, 10, 10, {"-10, 10", "33", "0", "0"});
    row("Math.floor(x)", -10, 10, 0.1, {"10.0", "10.0", "[-10.0, -9.0)", "-10.0"});
    row("5", -10, 10, 0.1, {"[-10.0, 10.0]", "5.0", "[-10.0, 10.0]", "5.0"});
    row("sqrt(-1-x*x)", -10, 10, 0.1, {"", "无最大值", "", "无最小值"});
}

void FunctionPropertiesLogicTest::extrema()
{
    QFETCH(QString, expression);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, step);
    const std::optional<Extrema> result
            = FindExtrema(Eval::PrepareFunction(expression), a, b, step);
    QVERIFY(result);
    QTEST(Texts(*result), "texts");
}

void FunctionPropertiesLogicTest::monotonicIntervals_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("step");
    QTest::addColumn<QList<QStringList>>("rows");
    const auto row = [](const char *expression, double a, double b, double step,
                        const QList<QStringList> &rows) {
        QTest::addRow("%s on [%g, %g] by %g", expression, a, b, step)
                << QString::fromUtf8(expression) << a << b << step << rows;
    };
    const QString up = QStringLiteral("单调递增");
    const QString down = QStringLiteral("单调递减");
    row("x*x", -10, 10, 0.1, {{"第1个", "-10.0", "0.0", down}, {"第2个", "0.0", "10.0", up}});
    row("Math.sin(x)", -10, 10, 0.1,
        {{"第1个", "-10.0", "-7.9", down},
         {"第2个", "-7.9", "-4.7", up},
         {"第3个", "-4.7", "-1.6", down},
         {"第4个", "-1.6", "1.6", up},
         {"第5个", "1.6", "4.7", down},
         {"第6个", "4.7", "7.9", up},
         {"第7个", "7.9", "10.0", down}});
    row("x", -10, 10, 0.1, {{"第1个", "-10.0", "10.0", up}});
    row("5", -10, 10, 0.1, {});
    row("tan(x)", -3, 3, 0.1,
        {{"第1个", "-3.0", "-1.6", up}, {"第2个", "-1.6", "1.6", up}, {"第3个", "1.6", "3.0", up}});
    row("1/x", -10, 10, 0.01,
        {{"第1个", "-10.00", "0.00", down}, {"第2个", "0.00", "10.00", down}});
    row("√x", -10, 10, 0.1, {{"第1个", "0.0", "10.0", up}});
    row("(x*x-1)/(x-1)", -10, 10, 0.1,
        {{"第1个", "-10.0", "1.0", up}, {"第2个", "1.0", "10.0", up}});
    row("x+Math.floor(x)", -3, 3, 0.1, {{"第1个", "-3.0", "3.0", up}});
    row("x-Math.floor(x)", 0, 3, 0.1,
        {{"第1个", "0.0", "1.0", up}, {"第2个", "1.0", "2.0", up}, {"第3个", "2.0", "3.0", up}});
    row("x*x*x-3x", -3, 3, 1,
        {{"第1个", "-3", "-1", up}, {"第2个", "-1", "1", down}, {"第3个", "1", "3", up}});
}

void FunctionPropertiesLogicTest::monotonicIntervals()
{
    QFETCH(QString, expression);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, step);
    const auto rows = FindMonotonicIntervals(Eval::PrepareFunction(expression), a, b, step);
    QVERIFY(rows);
    QTEST(Texts(*rows), "rows");
}

void FunctionPropertiesLogicTest::parity_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("x*x*x") << "x*x*x"
                           << "奇函数";
    QTest::newRow("cos") << "cos(x)"
                         << "偶函数";
    QTest::newRow("0") << "0"
                       << "既是奇函数又是偶函数";
    QTest::newRow("x+1") << "x+1"
                         << "非奇非偶函数";
    QTest::newRow("undefined at 0 on both sides") << "1/x"
                                                  << "奇函数";
    QTest::newRow("undefined on both sides elsewhere") << "1/(x*x-4)"
                                                       << "偶函数";
    QTest::newRow("undefined on one side") << "√x"
                                           << "非奇非偶函数";
    QTest::newRow("odd with a jump") << "Math.sign(x)"
                                     << "奇函数";
    QTest::newRow("undefined everywhere") << "sqrt(-1-x*x)"
                                          << "既是奇函数又是偶函数";
}

void FunctionPropertiesLogicTest::parity()
{
    QFETCH(QString, expression);
    const std::optional<QString> verdict
            = FindParity(Eval::PrepareFunction(expression), -10, 10, Fixed(0.1));
    QVERIFY(verdict);
    QTEST(*verdict, "verdict");
}

void FunctionPropertiesLogicTest::asymmetricIntervalIsNotEvaluated()
{
    int evaluations = 0;
    const Function counted = [&evaluations](double x) {
        ++evaluations;
        return x * x;
    };
    QCOMPARE(FindParity(counted, -5, 10, Fixed(0.1)), std::optional<QString>("非奇非偶函数"));
    QCOMPARE(evaluations, 0);
}

void FunctionPropertiesLogicTest::unusableStepsShowNothing_data()
{
    QTest::addColumn<double>("step");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -0.1;
    QTest::newRow("not a number") << std::nan("");
    QTest::newRow("infinite") << HUGE_VAL;
    QTest::newRow("too small to move x") << 1e-20;
    QTest::newRow("too many steps") << 1e-6;
}

void FunctionPropertiesLogicTest::unusableStepsShowNothing()
{
    QFETCH(double, step);
    QVERIFY(!FindExtrema(Square, -10, 10, step));
    QVERIFY(!FindMonotonicIntervals(Square, -10, 10, step));
    QVERIFY(!FindParity(Square, -10, 10, Fixed(step)));
}

void FunctionPropertiesLogicTest::parityStepBecomingZeroStopsTheScan()
{
    int asked = 0;
    const auto changing = [&asked] { return ++asked < 5 ? 0.1 : 0.0; };
    QVERIFY(!FindParity(Square, -10, 10, changing));
    QCOMPARE(asked, 5);
}

void FunctionPropertiesLogicTest::abandonedScansShowNothing()
{
    int steps = 0;
    const KeepGoing stopAfterTen = [&steps] { return ++steps < 10; };
    QVERIFY(!FindExtrema(Square, -10, 10, 0.1, stopAfterTen));
    steps = 0;
    QVERIFY(!FindMonotonicIntervals(Square, -10, 10, 0.1, stopAfterTen));
    QCOMPARE(steps, 10);
    steps = 0;
    QVERIFY(!FindParity(Square, -10, 10, Fixed(0.1), stopAfterTen));
}

void FunctionPropertiesLogicTest::textbookExtremaMatchAFinerSearch_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("step");
    for (const char *expression : TextbookFunctions) {
        for (const auto &[a, b, step] : {std::tuple{-10.0, 10.0, 0.1}, std::tuple{-3.0, 3.0, 0.001},
                                         std::tuple{0.5, 6.0, 0.01}})
            QTest::addRow("%s on [%g, %g] by %g", expression, a, b, step)
                    << QString::fromUtf8(expression) << a << b << step;
    }
}

// Every textbook function on several intervals: the extrema are the brute force's to the
// decimals shown, or both say f grows without bound; the x shown is where the value is taken.
void FunctionPropertiesLogicTest::textbookExtremaMatchAFinerSearch()
{
    QFETCH(QString, expression);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, step);
    const Function f = Eval::PrepareFunction(expression);
    const std::optional<Extrema> found = FindExtrema(f, a, b, step);
    QVERIFY(found);
    const int places = PrecisionDecimals(step);
    const double unit = std::pow(10.0, -places);
    for (const bool largest : {true, false}) {
        const Truth truth = BruteForce(f, a, b, largest);
        const Extremum &shown = largest ? found->maximum : found->minimum;
        QCOMPARE(!shown.exists, truth.unbounded);
        if (truth.unbounded)
            continue;
        const double tolerance = 1.01 * unit + 1e-9 * std::fabs(truth.y);
        QVERIFY2(
                std::fabs(shown.value.toDouble() - Eval::RoundTo(truth.y, places)) <= tolerance,
                qPrintable(QString("%1 shown, %2 true").arg(shown.value).arg(truth.y, 0, 'g', 17)));
        QVERIFY2(std::fabs(f(shown.at) - truth.y) <= 1e-6 * std::max(1.0, std::fabs(truth.y)),
                 qPrintable(QString("taken at %1, true at %2").arg(shown.at).arg(truth.x)));
    }
}

void FunctionPropertiesLogicTest::batchedScansFindWhatSingleValuesFind_data()
{
    QTest::addColumn<QString>("expression");
    QTest::newRow("compiled") << "Math.sin(x)*x";
    QTest::newRow("undefined at 0") << "1/x-x";
    QTest::newRow("the engine for x < 0") << "x**2-3*x";
    // The parity scan's batches mix x and -x; these hand every negative x to the one-x path.
    QTest::newRow("odd, -0 for x < 0") << "x*0+x*x*x";
    QTest::newRow("even, -0 for x < 0") << "x*0+Math.cos(x)";
}

// A typed function's values come in batches; the same function one value at a time finds the
// same.
void FunctionPropertiesLogicTest::batchedScansFindWhatSingleValuesFind()
{
    QFETCH(QString, expression);
    const Function batched = Eval::PrepareFunction(expression);
    QVERIFY(batched.batches());
    const Function single = [&batched](double x) { return batched(x); };
    QCOMPARE(Texts(*FindExtrema(batched, -10, 10, 0.01)),
             Texts(*FindExtrema(single, -10, 10, 0.01)));
    QCOMPARE(Texts(*FindMonotonicIntervals(batched, -10, 10, 0.01)),
             Texts(*FindMonotonicIntervals(single, -10, 10, 0.01)));
    QCOMPARE(FindParity(batched, -10, 10, Fixed(0.01)), FindParity(single, -10, 10, Fixed(0.01)));
}

QTEST_GUILESS_MAIN(FunctionPropertiesLogicTest)
#include "tst_functionpropertieslogic.moc"
