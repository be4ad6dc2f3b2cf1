#include "eval/rational.h"
#include "tools/functions/exactnumbers.h"
#include "tools/functions/threepointquadraticlogic.h"

#include <QTest>

using namespace Eval;
using namespace Functions;

namespace {

Rational Exact(const QString &text)
{
    return *ReadRational(text.section(u'≈', 0, 0));
}

} // namespace

class ThreePointQuadraticLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void fitsThroughThePoints_data();
    void fitsThroughThePoints();
    void fitsWithAKnownCoefficient_data();
    void fitsWithAKnownCoefficient();
};

void ThreePointQuadraticLogicTest::fitsThroughThePoints_data()
{
    QTest::addColumn<QStringList>("points"); // x1, f(x1), x2, f(x2), x3, f(x3)
    QTest::addColumn<QStringList>("abc"); // or the refusal alone
    const auto row = [](const char *name, const QStringList &points, const QStringList &abc) {
        QTest::newRow(name) << points << abc;
    };
    row("x squared", {"0", "0", "1", "1", "2", "4"}, {"1", "0", "0"});
    row("2x²-3x+5", {"1", "4", "2", "7", "-1", "10"}, {"2", "-3", "5"});
    row("points in any order", {"3", "0", "-1", "0", "1", "-4"}, {"1", "-2", "-3"});
    row("decimals", {"0.5", "0.25", "1.5", "2.25", "-0.5", "0.25"}, {"1", "0", "0"});
    row("fractions as typed", {"1/3", "1/9", "1/2", "1/4", "2", "4"}, {"1", "0", "0"});
    row("fractional results", {"0", "0", "1", "1", "3", "2"},
        {"-1/6≈-0.1666666666667", "7/6≈1.166666666667", "0"});
    row("collinear", {"0", "1", "1", "3", "2", "5"}, {CollinearMessage});
    row("constant", {"-2", "7", "0", "7", "5", "7"}, {CollinearMessage});
    row("x just apart, collinear", {"1", "1", "1.000001", "1", "3", "1"}, {CollinearMessage});
    row("first two within 1e-7", {"1", "1", "1.00000001", "2", "3", "3"}, {SameXMessage});
    row("last two equal", {"1", "1", "2", "2", "2", "3"}, {SameXMessage});
    row("exactly 1e-7 apart", {"0", "1", "5", "2", "1e-7", "3"}, {SameXMessage});
    row("all empty", {"", "", "", "", "", ""}, {SameXMessage});
    row("not a number", {"1", "1", "2", "4a", "3", "9"},
        {"第2个点的f(x)：“a”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4"});
}

// Besides the rows' values: the parabola passes through every point exactly.
void ThreePointQuadraticLogicTest::fitsThroughThePoints()
{
    QFETCH(QStringList, points);
    QFETCH(QStringList, abc);
    const Outcome<QStringList> fit = FitTypedPoints(
            {PointTexts{points[0], points[1]}, {points[2], points[3]}, {points[4], points[5]}});
    QCOMPARE(fit ? *fit : QStringList{fit.refusal()}, abc);
    if (!fit)
        return;
    for (int i = 0; i < 6; i += 2) {
        const Rational x = Exact(points[i]);
        QCOMPARE(Exact(abc[0]) * x * x + Exact(abc[1]) * x + Exact(abc[2]), Exact(points[i + 1]));
    }
}

void ThreePointQuadraticLogicTest::fitsWithAKnownCoefficient_data()
{
    QTest::addColumn<KnownCoefficient>("known");
    QTest::addColumn<QStringList>("typed"); // the known value, x1, f(x1), x2, f(x2)
    QTest::addColumn<QStringList>("abc"); // or the refusal alone
    const auto A = KnownCoefficient::A, B = KnownCoefficient::B, C = KnownCoefficient::C;
    const auto row = [](const char *name, KnownCoefficient known, const QStringList &typed,
                        const QStringList &abc) { QTest::newRow(name) << known << typed << abc; };
    row("a: x²+2x+3", A, {"1", "1", "6", "2", "11"}, {"1", "2", "3"});
    row("a: -x²+2x+3", A, {"-1", "0", "3", "1", "4"}, {"-1", "2", "3"});
    row("a: opposite x are fine", A, {"2", "-1", "10", "1", "4"}, {"2", "-3", "5"});
    row("a: b and c are 0", A, {"1", "1", "1", "2", "4"}, {"1", "0", "0"});
    row("a: a third", A, {"1/3", "0", "0", "1", "1"},
        {"1/3≈0.3333333333333", "2/3≈0.6666666666667", "0"});
    row("a: same x", A, {"1", "2", "1", "2", "5"}, {SameXMessage});
    row("a: x within 1e-7", A, {"1", "1", "1", "1.00000001", "5"}, {SameXMessage});
    row("b: 2x²-3x+5", B, {"-3", "1", "4", "2", "7"}, {"2", "-3", "5"});
    row("b: 0.5x²-x+1", B, {"-1", "2", "1", "4", "5"}, {"0.5", "-1", "1"});
    row("b: c is 0", B, {"0", "1", "1", "2", "4"}, {"1", "0", "0"});
    row("b: opposite x", B, {"1", "-2", "1", "2", "5"}, {OppositeXMessage});
    row("b: nearly opposite x", B, {"1", "3", "1", "-3.00000001", "5"}, {OppositeXMessage});
    row("b: both x 0 are the same", B, {"1", "0", "1", "0", "5"}, {SameXMessage});
    row("c: x²-4x+3 through its roots", C, {"3", "1", "0", "3", "0"}, {"1", "-4", "3"});
    row("c: 2x²-3x+5", C, {"5", "-1", "10", "2", "7"}, {"2", "-3", "5"});
    row("c: b is 0", C, {"0", "1", "1", "2", "4"}, {"1", "0", "0"});
    row("c: first x 0", C, {"1", "0", "1", "2", "5"}, {ZeroXMessage});
    row("c: second x within 1e-7 of 0", C, {"1", "2", "5", "1e-8", "1"}, {ZeroXMessage});
    row("c: both x 0 are the same", C, {"1", "0", "1", "0", "1"}, {SameXMessage});
    row("c: not a number", C, {"c", "1", "1", "2", "4"},
        {"c：“c”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4"});
}

void ThreePointQuadraticLogicTest::fitsWithAKnownCoefficient()
{
    QFETCH(KnownCoefficient, known);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, abc);
    const Outcome<QStringList> fit = FitTypedPointsWithKnown(
            known, typed[0], {PointTexts{typed[1], typed[2]}, {typed[3], typed[4]}});
    if (!fit) {
        QCOMPARE(QStringList{fit.refusal()}, abc);
        return;
    }
    QStringList expected = abc;
    expected.removeAt(static_cast<int>(known));
    QCOMPARE(*fit, expected);
    for (int i = 1; i < 5; i += 2) {
        const Rational x = Exact(typed[i]);
        QCOMPARE(Exact(abc[0]) * x * x + Exact(abc[1]) * x + Exact(abc[2]), Exact(typed[i + 1]));
    }
}

QTEST_GUILESS_MAIN(ThreePointQuadraticLogicTest)
#include "tst_threepointquadraticlogic.moc"
