#include "eval/numberformat.h"
#include "tools/functions/threepointquadraticlogic.h"

#include <QTest>

#include <limits>

using namespace Eval;
using namespace Functions;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

} // namespace

class ThreePointQuadraticLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void fitsThroughThePoints_data();
    void fitsThroughThePoints();
    void nearlyEqualXValuesAreRejected_data();
    void nearlyEqualXValuesAreRejected();
    void fittedParabolaPassesThroughEveryPoint();
    void fitsWithAKnownCoefficient_data();
    void fitsWithAKnownCoefficient();
};

void ThreePointQuadraticLogicTest::fitsThroughThePoints_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<double>("x3");
    QTest::addColumn<double>("y3");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::newRow("x squared") << 0.0 << 0.0 << 1.0 << 1.0 << 2.0 << 4.0 << "1"
                               << "0"
                               << "0";
    // 0 / -2: the straight line's a is a negative zero.
    QTest::newRow("collinear") << 0.0 << 1.0 << 1.0 << 3.0 << 2.0 << 5.0 << "-0"
                               << "2"
                               << "1";
    QTest::newRow("2x²-3x+5") << 1.0 << 4.0 << 2.0 << 7.0 << -1.0 << 10.0 << "2"
                              << "-3"
                              << "5";
    QTest::newRow("points in any order") << 3.0 << 0.0 << -1.0 << 0.0 << 1.0 << -4.0 << "1"
                                         << "-2"
                                         << "-3";
    QTest::newRow("fractions") << 0.5 << 0.25 << 1.5 << 2.25 << -0.5 << 0.25 << "1"
                               << "0"
                               << "0";
    // 0 / -70 and 0 / -2 - 0: negative zeros again.
    QTest::newRow("constant") << -2.0 << 7.0 << 0.0 << 7.0 << 5.0 << 7.0 << "-0"
                              << "-0"
                              << "7";
    QTest::newRow("x just apart") << 1.0 << 1.0 << 1.000001 << 1.0 << 3.0 << 1.0 << "-0"
                                  << "0"
                                  << "1";
    // inf - inf in every coefficient: the invalid-operation value.
    QTest::newRow("infinite x") << Infinity << 1.0 << 1.0 << 2.0 << 2.0 << 3.0 << "-1.#IND"
                                << "-1.#IND"
                                << "-1.#IND";
    // a = -inf / -2, b = -inf - inf and c = inf - inf × 0.
    QTest::newRow("infinite f(x)") << 0.0 << Infinity << 1.0 << 0.0 << 2.0 << 0.0 << "1.#INF"
                                   << "-1.#INF"
                                   << "-1.#IND";
}

void ThreePointQuadraticLogicTest::fitsThroughThePoints()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(double, x3);
    QFETCH(double, y3);
    const auto fit = FitQuadraticThroughPoints({x1, y1}, {x2, y2}, {x3, y3});
    QVERIFY(fit.ok());
    QTEST(NumberToText(fit->a), "a");
    QTEST(NumberToText(fit->b), "b");
    QTEST(NumberToText(fit->c), "c");
}

void ThreePointQuadraticLogicTest::nearlyEqualXValuesAreRejected_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("x3");
    QTest::newRow("first two within 1e-7") << 1.0 << 1.00000001 << 3.0;
    QTest::newRow("last two equal") << 1.0 << 2.0 << 2.0;
    QTest::newRow("first and last equal") << -4.0 << 2.0 << -4.0;
    QTest::newRow("all zero") << 0.0 << 0.0 << 0.0;
    QTest::newRow("exactly 1e-7 apart") << 0.0 << 5.0 << 1e-7;
}

void ThreePointQuadraticLogicTest::nearlyEqualXValuesAreRejected()
{
    QFETCH(double, x1);
    QFETCH(double, x2);
    QFETCH(double, x3);
    QCOMPARE(FitQuadraticThroughPoints({x1, 1}, {x2, 2}, {x3, 3}).refusal(), SameXMessage);
}

void ThreePointQuadraticLogicTest::fittedParabolaPassesThroughEveryPoint()
{
    const GraphPoint points[] = {{-3.5, 12.25}, {0.2, -1.7}, {4.75, 30.1}};
    const auto fit = FitQuadraticThroughPoints(points[0], points[1], points[2]);
    QVERIFY(fit.ok());
    for (const GraphPoint &point : points) {
        const double value = fit->a * point.x * point.x + fit->b * point.x + fit->c;
        QVERIFY2(std::abs(value - point.fx) < 1e-9, qPrintable(NumberToText(value)));
    }
}

void ThreePointQuadraticLogicTest::fitsWithAKnownCoefficient_data()
{
    QTest::addColumn<KnownCoefficient>("known");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<QStringList>("abc"); // empty when refused
    QTest::addColumn<QString>("refusal");
    const auto A = KnownCoefficient::A, B = KnownCoefficient::B, C = KnownCoefficient::C;
    const QStringList refused;
    QTest::addRow("a: x²+2x+3") << A << 1.0 << 1.0 << 6.0 << 2.0 << 11.0
                                << QStringList{"1", "2", "3"} << QString();
    QTest::addRow("a: -x²+2x+3") << A << -1.0 << 0.0 << 3.0 << 1.0 << 4.0
                                 << QStringList{"-1", "2", "3"} << QString();
    QTest::addRow("a: opposite x are fine")
            << A << 2.0 << -1.0 << 10.0 << 1.0 << 4.0 << QStringList{"2", "-3", "5"} << QString();
    // b = (0 − 0) / (1 − 2) would be -0.
    QTest::addRow("a: b and c are 0")
            << A << 1.0 << 1.0 << 1.0 << 2.0 << 4.0 << QStringList{"1", "0", "0"} << QString();
    QTest::addRow("a: same x") << A << 1.0 << 2.0 << 1.0 << 2.0 << 5.0 << refused << SameXMessage;
    QTest::addRow("a: x within 1e-7")
            << A << 1.0 << 1.0 << 1.0 << 1.00000001 << 5.0 << refused << SameXMessage;
    QTest::addRow("b: 2x²-3x+5") << B << -3.0 << 1.0 << 4.0 << 2.0 << 7.0
                                 << QStringList{"2", "-3", "5"} << QString();
    QTest::addRow("b: 0.5x²-x+1") << B << -1.0 << 2.0 << 1.0 << 4.0 << 5.0
                                  << QStringList{"0.5", "-1", "1"} << QString();
    QTest::addRow("b: c is 0") << B << 0.0 << 1.0 << 1.0 << 2.0 << 4.0 << QStringList{"1", "0", "0"}
                               << QString();
    QTest::addRow("b: opposite x")
            << B << 1.0 << -2.0 << 1.0 << 2.0 << 5.0 << refused << OppositeXMessage;
    QTest::addRow("b: nearly opposite x")
            << B << 1.0 << 3.0 << 1.0 << -3.00000001 << 5.0 << refused << OppositeXMessage;
    QTest::addRow("b: both x 0 are the same")
            << B << 1.0 << 0.0 << 1.0 << 0.0 << 5.0 << refused << SameXMessage;
    QTest::addRow("c: x²-4x+3 through its roots")
            << C << 3.0 << 1.0 << 0.0 << 3.0 << 0.0 << QStringList{"1", "-4", "3"} << QString();
    QTest::addRow("c: 2x²-3x+5") << C << 5.0 << -1.0 << 10.0 << 2.0 << 7.0
                                 << QStringList{"2", "-3", "5"} << QString();
    QTest::addRow("c: b is 0") << C << 0.0 << 1.0 << 1.0 << 2.0 << 4.0 << QStringList{"1", "0", "0"}
                               << QString();
    QTest::addRow("c: first x 0") << C << 1.0 << 0.0 << 1.0 << 2.0 << 5.0 << refused
                                  << ZeroXMessage;
    QTest::addRow("c: second x within 1e-7 of 0")
            << C << 1.0 << 2.0 << 5.0 << 1e-8 << 1.0 << refused << ZeroXMessage;
    QTest::addRow("c: both x 0 are the same")
            << C << 1.0 << 0.0 << 1.0 << 0.0 << 1.0 << refused << SameXMessage;
}

void ThreePointQuadraticLogicTest::fitsWithAKnownCoefficient()
{
    QFETCH(KnownCoefficient, known);
    QFETCH(double, value);
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(QString, refusal);
    const auto fit = FitQuadraticWithKnownCoefficient(known, value, {x1, y1}, {x2, y2});
    QCOMPARE(fit ? QString() : fit.refusal(), refusal);
    if (fit) {
        const QuadraticCoefficients &found = *fit;
        QTEST(QStringList({NumberToText(found.a), NumberToText(found.b), NumberToText(found.c)}),
              "abc");
    }
}

QTEST_GUILESS_MAIN(ThreePointQuadraticLogicTest)
#include "tst_threepointquadraticlogic.moc"
