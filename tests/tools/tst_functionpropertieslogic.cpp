#include "tools/functions/functionpropertieslogic.h"

#include <QTest>

#include <cmath>

using namespace Ui;
using namespace Functions;
using namespace Functions::FunctionProperties;

namespace {

const Function Square = [](double x) { return x * x; };
const Function SquareRoot = [](double x) { return x < 0 ? 1e123 : std::sqrt(x); };

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

Q_DECLARE_METATYPE(Function)

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
    void monotonicScanEvaluatesThreeTimesPerStep();
    void batchedScansFindWhatSingleValuesFind_data();
    void batchedScansFindWhatSingleValuesFind();
};

void FunctionPropertiesLogicTest::extrema_data()
{
    QTest::addColumn<Function>("f");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("step");
    QTest::addColumn<QStringList>("texts");
    // The sample nearest 0 is about -1.9e-14 and keeps its sign when rounded.
    QTest::newRow("x*x") << Square << -10.0 << 10.0 << 0.1 << QStringList{"-10", "100", "-0", "0"};
    QTest::newRow("step 10 rounds to one decimal")
            << Function([](double x) { return x * x / 3; }) << -10.0 << 10.0 << 10.0
            << QStringList{"-10", "33.3", "0", "0"};
    QTest::newRow("step 0.01 rounds to one decimal")
            << Function([](double x) { return std::sin(x); }) << 0.0 << 3.0 << 0.01
            << QStringList{"1.6", "1", "0", "0"};
    QTest::newRow("undefined marker wins the maximum")
            << SquareRoot << -10.0 << 10.0 << 0.1 << QStringList{"-10", "1e+123", "0", "0"};
    QTest::newRow("first of equal values wins") << Function([](double) { return 5.0; }) << -2.0
                                                << 2.0 << 0.5 << QStringList{"-2", "5", "-2", "5"};
    QTest::newRow("b itself is not sampled") << Function([](double x) { return x; }) << 0.0 << 1.0
                                             << 0.5 << QStringList{"1", "1", "0", "0"};
}

void FunctionPropertiesLogicTest::extrema()
{
    QFETCH(Function, f);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, step);
    const std::optional<Extrema> result = FindExtrema(f, a, b, step);
    QVERIFY(result);
    QTEST(Texts(*result), "texts");
}

void FunctionPropertiesLogicTest::monotonicIntervals_data()
{
    QTest::addColumn<Function>("f");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("step");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("x*x") << Square << -10.0 << 10.0 << 0.1
                         << QList<QStringList>{{"第1个", "-10", "0", "单调递减"},
                                               {"第2个", "-0", "10", "单调递增"}};
    QTest::newRow("sin") << Function([](double x) { return std::sin(x); }) << -10.0 << 10.0 << 0.1
                         << QList<QStringList>{{"第1个", "-10", "-7.9", "单调递减"},
                                               {"第2个", "-7.9", "-4.7", "单调递增"},
                                               {"第3个", "-4.7", "-1.6", "单调递减"},
                                               {"第4个", "-1.6", "1.6", "单调递增"},
                                               {"第5个", "1.6", "4.7", "单调递减"},
                                               {"第6个", "4.7", "7.9", "单调递增"},
                                               {"第7个", "7.9", "10", "单调递减"}};
    QTest::newRow("x rises to b - h")
            << Function([](double x) { return x; }) << -10.0 << 10.0 << 0.1
            << QList<QStringList>{{"第1个", "-10", "9.9", "单调递增"}};
    QTest::newRow("-x falls") << Function([](double x) { return -x; }) << 0.0 << 2.0 << 0.5
                              << QList<QStringList>{{"第1个", "0", "1.5", "单调递减"}};
    QTest::newRow("constant has no row")
            << Function([](double) { return 5.0; }) << -10.0 << 10.0 << 0.1 << QList<QStringList>{};
    QTest::newRow("valley below a found at the first step")
            << Square << 0.1 << 10.0 << 0.1
            << QList<QStringList>{{"第1个", "0.1", "0", "单调递减"},
                                  {"第2个", "0", "10", "单调递增"}};
    // ln 10 / ln 0.1 is -1.0000000000000002: the ends round to tens.
    QTest::newRow("step 10 rounds to tens")
            << Square << -12.0 << 20.0 << 10.0
            << QList<QStringList>{{"第1个", "-10", "0", "单调递减"},
                                  {"第2个", "-0", "20", "单调递增"}};
    // The end of a piece is x rounded before h is taken off: 1.5 rounds to 2 at step 0.5.
    QTest::newRow("peak then the end falls")
            << Function([](double x) { return -(x - 1) * (x - 1); }) << 0.0 << 3.0 << 0.5
            << QList<QStringList>{{"第1个", "0", "1.5", "单调递增"},
                                  {"第2个", "1", "3", "单调递减"}};
}

void FunctionPropertiesLogicTest::monotonicIntervals()
{
    QFETCH(Function, f);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, step);
    const auto rows = FindMonotonicIntervals(f, a, b, step);
    QVERIFY(rows);
    QTEST(Texts(*rows), "rows");
}

void FunctionPropertiesLogicTest::parity_data()
{
    QTest::addColumn<Function>("f");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("x*x*x") << Function([](double x) { return x * x * x; }) << "奇函数";
    QTest::newRow("cos") << Function([](double x) { return std::cos(x); }) << "偶函数";
    QTest::newRow("0") << Function([](double) { return 0.0; }) << "既是奇函数又是偶函数";
    QTest::newRow("x+1") << Function([](double x) { return x + 1; }) << "非奇非偶函数";
    // The undefined marker equals itself: undefined everywhere reads as even.
    QTest::newRow("undefined everywhere") << Function([](double) { return 1e123; }) << "偶函数";
}

void FunctionPropertiesLogicTest::parity()
{
    QFETCH(Function, f);
    const std::optional<QString> verdict = FindParity(f, -10, 10, Fixed(0.1));
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

void FunctionPropertiesLogicTest::monotonicScanEvaluatesThreeTimesPerStep()
{
    int evaluations = 0;
    int steps = 0;
    const Function counted = [&evaluations](double x) {
        ++evaluations;
        return x;
    };
    QVERIFY(FindMonotonicIntervals(counted, -500, 500, 0.1, [&steps] { return ++steps, true; }));
    QCOMPARE(steps, MonotonicStepCount(-500, 500, 0.1));
    QCOMPARE(evaluations, 3 * steps + 2);
}

QTEST_GUILESS_MAIN(FunctionPropertiesLogicTest)
#include "tst_functionpropertieslogic.moc"
