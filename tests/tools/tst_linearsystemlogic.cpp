#include "tools/functions/linearsystemlogic.h"

#include <QTest>

#include <limits>

using namespace Functions;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
const QString NoSolution = QStringLiteral("方程组无解");
const QString Infinitely = QStringLiteral("方程组有无数组解");

} // namespace

class LinearSystemLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void eliminationValues();
    void stepsText_data();
    void stepsText();
};

void LinearSystemLogicTest::eliminationValues()
{
    const Elimination e = Eliminate({1, 1, 3, 1, -1, 1});
    QCOMPARE(e.determinant, -2.0);
    QCOMPARE(e.xNumerator, -4.0);
    QCOMPARE(e.yNumerator, -2.0);
    QVERIFY(e.HasUniqueSolution());
    QVERIFY(!Eliminate({1e-4, 0, 1, 0, 1e-4, 1}).HasUniqueSolution());
}

void LinearSystemLogicTest::stepsText_data()
{
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("b1");
    QTest::addColumn<double>("c1");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("b2");
    QTest::addColumn<double>("c2");
    QTest::addColumn<QString>("text");
    QTest::newRow("worked example")
            << 1.0 << 1.0 << 3.0 << 1.0 << -1.0 << 1.0
            << "①×-1－②×1\r\n    得：-2x=-4\r\n    x=2\r\n②×1－①×1\r\n    得：-2y=-2\r\n    y=1";
    QTest::newRow("all zero") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << Infinitely;
    QTest::newRow("D = 1e-8") << 1e-4 << 0.0 << 1.0 << 0.0 << 1e-4 << 1.0 << NoSolution;
    QTest::newRow("D = 1e-8, no constants")
            << 1e-4 << 0.0 << 0.0 << 0.0 << 1e-4 << 0.0 << Infinitely;
    QTest::newRow("proportional") << 2.0 << 4.0 << 6.0 << 1.0 << 2.0 << 3.0 << Infinitely;
    QTest::newRow("parallel") << 1.0 << 2.0 << 3.0 << 2.0 << 4.0 << 7.0 << NoSolution;
    QTest::newRow("no unknowns, 0 = 5") << 0.0 << 0.0 << 5.0 << 0.0 << 0.0 << 0.0 << NoSolution;
    QTest::newRow("empty first, 0 = 5") << 0.0 << 0.0 << 5.0 << 1.0 << 2.0 << 3.0 << NoSolution;
    QTest::newRow("empty first, 0 = 0") << 0.0 << 0.0 << 0.0 << 1.0 << 2.0 << 3.0 << Infinitely;
    QTest::newRow("same line in y only") << 0.0 << 3.0 << 6.0 << 0.0 << 1.0 << 2.0 << Infinitely;
    QTest::newRow("parallel in y only") << 0.0 << 3.0 << 6.0 << 0.0 << 1.0 << 1.0 << NoSolution;
    QTest::newRow("D = 1e-6 still solved")
            << 1e-3 << 0.0 << 1.0 << 0.0 << 1e-3 << 2.0
            << "①×0.001－②×0\r\n    得：1e-006x=0.001\r\n    x=1000\r\n"
               "②×0.001－①×0\r\n    得：1e-006y=0.002\r\n    y=2000";
    // X = -0 - 0 and Y / D = 0 / -2: both negative zeros show.
    QTest::newRow("negative zeros")
            << 1.0 << 1.0 << 0.0 << 1.0 << -1.0 << 0.0
            << "①×-1－②×1\r\n    得：-2x=-0\r\n    x=0\r\n②×1－①×1\r\n    得：-2y=0\r\n    y=-0";
    QTest::newRow("thirds") << 3.0 << 0.0 << 1.0 << 0.0 << 3.0 << 2.0
                            << "①×3－②×0\r\n    得：9x=3\r\n    x=0.3333333333333\r\n"
                               "②×3－①×0\r\n    得：9y=6\r\n    y=0.6666666666667";
    // D = inf: x = 1 / inf and y = inf / inf.
    QTest::newRow("infinite coefficient")
            << Infinity << 0.0 << 1.0 << 0.0 << 1.0 << 1.0
            << "①×1－②×0\r\n    得：1.#INFx=1\r\n    x=0\r\n"
               "②×1.#INF－①×0\r\n    得：1.#INFy=1.#INF\r\n    y=-1.#IND";
}

void LinearSystemLogicTest::stepsText()
{
    QFETCH(double, a1);
    QFETCH(double, b1);
    QFETCH(double, c1);
    QFETCH(double, a2);
    QFETCH(double, b2);
    QFETCH(double, c2);
    QTEST(EliminationStepsText({a1, b1, c1, a2, b2, c2}), "text");
}

QTEST_GUILESS_MAIN(LinearSystemLogicTest)
#include "tst_linearsystemlogic.moc"
