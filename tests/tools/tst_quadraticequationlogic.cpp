#include "eval/numberformat.h"
#include "eval/rounding.h"
#include "tools/functions/quadraticequationlogic.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace Eval;
using namespace Functions;

namespace {

// The divisibility test of the reduction, on reals.
bool Divides(double divisor, double value)
{
    return std::fabs(IntegerPart(value / divisor) * divisor - value) <= 1e-7;
}

// The common-factor search as first written: an upward scan over every candidate.
qint64 ScannedFactor(qint32 denominator, qint32 outside)
{
    const double m = std::fabs(double(std::min(denominator, outside)));
    const double n = std::fabs(double(std::max(denominator, outside)));
    qint64 factor = 1;
    for (qint64 i = 1; i <= qint64(m); ++i) {
        if (Divides(double(i), m) && Divides(double(i), n))
            factor = i;
    }
    return factor;
}

RootFraction Fraction(const char *outside, const char *discriminant, const char *denominator)
{
    return {QString::fromUtf8(outside), QString::fromUtf8(discriminant),
            QString::fromUtf8(denominator)};
}

} // namespace

Q_DECLARE_METATYPE(RootFraction)

class QuadraticEquationLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void workedFormula_data();
    void workedFormula();
    void rootFraction_data();
    void rootFraction();
    void factorMatchesScanOnEveryPairNearZero();
    void factorMatchesScanOnRandomPairs();
    void divisibilityTestIsExactUpToTheBound();
    void factorOfValuesAtTheLimit_data();
    void factorOfValuesAtTheLimit();
    void reduction_data();
    void reduction();
    void roots_data();
    void roots();
};

void QuadraticEquationLogicTest::workedFormula_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("d");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("worked example") << "1"
                                    << "2"
                                    << "5"
                                    << "" << QStringList{"-2", "2", "1", "5", "2×1"};
    QTest::newRow("typed text kept") << "+1.50"
                                     << "0x"
                                     << "3"
                                     << "4" << QStringList{"-0", "0x", "+1.50", "-1", "2×+1.50"};
    QTest::newRow("empty b is negative zero") << "1"
                                              << ""
                                              << ""
                                              << "" << QStringList{"-0", "", "1", "0", "2×1"};
    QTest::newRow("negative b") << ""
                                << "-7"
                                << ""
                                << ".5" << QStringList{"7", "-7", "", "-0.5", "2×"};
}

void QuadraticEquationLogicTest::workedFormula()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, d);
    QFETCH(QStringList, boxes);
    const WorkedFormula formula = MakeWorkedFormula({a, b, c, d});
    QCOMPARE((QStringList{formula.numeratorOutside, formula.rootB, formula.rootA, formula.rootC,
                          formula.denominator}),
             boxes);
}

void QuadraticEquationLogicTest::rootFraction_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<RootFraction>("fraction");
    QTest::newRow("complex") << 1.0 << 2.0 << 5.0 << Fraction("-2", "-16", "2");
    QTest::newRow("a zero") << 0.0 << 3.0 << 1.0 << Fraction("-2", "9", "0");
    QTest::newRow("half") << 0.5 << 1.0 << 0.3 << Fraction("-2", "0.4", "1");
    QTest::newRow("huge") << 1e300 << 0.0 << 1e300 << Fraction("-2", "-1.#INF", "2e+300");
}

void QuadraticEquationLogicTest::rootFraction()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(RootFraction, fraction);
    // The outside term is whatever the worked formula shows; here always "-2".
    QCOMPARE(MakeRootFraction(QStringLiteral("-2"), {a, b, c}), fraction);
}

void QuadraticEquationLogicTest::factorMatchesScanOnEveryPairNearZero()
{
    for (qint32 d = -150; d <= 150; ++d) {
        for (qint32 h = -150; h <= 150; ++h) {
            if (ReductionFactor(d, h) != ScannedFactor(d, h))
                QFAIL(qPrintable(QStringLiteral("d=%1 h=%2").arg(d).arg(h)));
        }
    }
}

void QuadraticEquationLogicTest::factorMatchesScanOnRandomPairs()
{
    QRandomGenerator random(20141119);
    for (int round = 0; round < 300; ++round) {
        // One value small enough to scan, the other of any size below the bound; shared
        // factors made likely by multiplying both by a common number.
        const qint32 common = random.bounded(1, 60);
        const qint32 small = random.bounded(-40000, 40000) / common * common;
        const qint32 large = qint32(random.bounded(-2147483647LL, 30000LL)) / common * common;
        const bool smallFirst = random.bounded(2) == 0;
        const qint32 d = smallFirst ? small : large;
        const qint32 h = smallFirst ? large : small;
        if (std::abs(double(std::min(d, h))) > 100000)
            continue; // the scan would run too long; the exactness test covers these
        QCOMPARE(ReductionFactor(d, h), ScannedFactor(d, h));
    }
}

void QuadraticEquationLogicTest::divisibilityTestIsExactUpToTheBound()
{
    QRandomGenerator random(42);
    for (int round = 0; round < 100000; ++round) {
        const qint64 value = random.bounded(0LL, 2147483649LL);
        // Divisors of every size, many of them true divisors.
        qint64 divisor = random.bounded(1LL, round % 2 ? 100LL : 2147483649LL);
        if (round % 3 == 0 && value > 0)
            divisor = std::max<qint64>(1, value / random.bounded(1, 1000));
        if (divisor == 1 && value == 2147483648LL)
            continue; // the quotient itself leaves the 32-bit range; 1 is the default factor
        QCOMPARE(Divides(double(divisor), double(value)), value % divisor == 0);
    }
}

void QuadraticEquationLogicTest::factorOfValuesAtTheLimit_data()
{
    QTest::addColumn<qint32>("denominator");
    QTest::addColumn<qint32>("outside");
    QTest::addColumn<qint64>("factor");
    const qint32 lowest = std::numeric_limits<qint32>::min();
    QTest::newRow("lowest with itself") << lowest << lowest << qint64(2147483648LL);
    QTest::newRow("lowest and zero") << lowest << 0 << qint64(2147483648LL);
    QTest::newRow("zero and lowest") << 0 << lowest << qint64(2147483648LL);
    QTest::newRow("lowest and odd") << lowest << 29999 << qint64(1);
    QTest::newRow("large prime") << -2147483647 << -2147483647 << qint64(2147483647);
    QTest::newRow("smaller is zero") << 0 << 29998 << qint64(1);
    QTest::newRow("other is zero") << -12 << 0 << qint64(12);
    QTest::newRow("both zero") << 0 << 0 << qint64(1);
    QTest::newRow("signs differ") << -2000000000 << 29000 << qint64(1000);
}

void QuadraticEquationLogicTest::factorOfValuesAtTheLimit()
{
    QFETCH(qint32, denominator);
    QFETCH(qint32, outside);
    QFETCH(qint64, factor);
    QCOMPARE(ReductionFactor(denominator, outside), factor);
    // Whatever it finds divides both by the program's own test.
    const double m = std::fabs(double(std::min(denominator, outside)));
    const double n = std::fabs(double(std::max(denominator, outside)));
    if (factor > 1)
        QVERIFY(Divides(double(factor), m) && Divides(double(factor), n));
}

void QuadraticEquationLogicTest::reduction_data()
{
    QTest::addColumn<RootFraction>("shown");
    QTest::addColumn<RootFraction>("reduced"); // empty texts: not reduced
    const RootFraction none;
    QTest::newRow("worked example") << Fraction("-2", "-16", "2") << Fraction("-1", "-4", "1");
    QTest::newRow("double root") << Fraction("2", "0", "2") << Fraction("1", "0", "1");
    QTest::newRow("root not simplified") << Fraction("-2", "32", "2") << Fraction("-1", "8", "1");
    QTest::newRow("t squared must divide") << Fraction("-4", "8", "4") << none;
    QTest::newRow("negative denominator")
            << Fraction("-2", "-16", "-2") << Fraction("-1", "-4", "-1");
    QTest::newRow("negative zero outside") << Fraction("-0", "0", "2") << none;
    QTest::newRow("zero denominator") << Fraction("-2", "4", "0") << Fraction("-1", "1", "0");
    QTest::newRow("bound on discriminant") << Fraction("-2", "30000", "2") << none;
    QTest::newRow("below the bound") << Fraction("-2", "29996", "2") << Fraction("-1", "7499", "1");
    QTest::newRow("bound on outside") << Fraction("30000", "0", "2") << none;
    QTest::newRow("bound on denominator") << Fraction("2", "0", "30002") << none;
    QTest::newRow("negative of any size")
            << Fraction("-40000", "0", "-40000") << Fraction("-1", "0", "-1");
    QTest::newRow("near the 32-bit limit")
            << Fraction("-2000000000", "-1200000000", "-2000000000")
            << none; // t = 2e9, and t² does not divide the discriminant
    QTest::newRow("lowest 32-bit value")
            << Fraction("-2147483648", "0", "-2147483648") << Fraction("-1", "0", "-1");
    QTest::newRow("beyond 32 bits") << Fraction("-4000000000", "0", "-4000000000") << none;
    QTest::newRow("not integral") << Fraction("-2", "0.4", "1") << none;
    QTest::newRow("nearly integral")
            << Fraction("-2.00000001", "4", "2") << Fraction("-1", "1", "1");
    QTest::newRow("infinite reads as 1") << Fraction("-2", "1.#INF", "2") << none;
    QTest::newRow("common factor one") << Fraction("3", "16", "2") << none;
}

void QuadraticEquationLogicTest::reduction()
{
    QFETCH(RootFraction, shown);
    QFETCH(RootFraction, reduced);
    const std::optional<RootFraction> result = ReduceRootFraction(shown);
    QCOMPARE(result.has_value(), !reduced.outside.isEmpty());
    if (result)
        QCOMPARE(*result, reduced);
}

void QuadraticEquationLogicTest::roots_data()
{
    QTest::addColumn<RootFraction>("shown");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("roots");
    QTest::newRow("complex, a positive")
            << Fraction("-1", "-4", "1") << 1.0 << "x1=-1+2i\r\nx2=-1-2i";
    QTest::newRow("complex, a negative")
            << Fraction("-1", "-4", "-1") << -1.0 << "x1=1--2i\r\nx2=1+-2i";
    QTest::newRow("complex, a zero") << Fraction("-1", "-4", "1") << 1e-8 << "";
    QTest::newRow("double root") << Fraction("1", "0", "1") << 1.0 << "x1=x2=1";
    QTest::newRow("negative zero") << Fraction("-0", "0", "2") << 1.0 << "x1=x2=-0";
    QTest::newRow("real roots from shown numbers") << Fraction("-1", "8", "1") << 1.0
                                                   << "x1=" + NumberToText(-1 + std::sqrt(8.0))
                    + "\r\nx2=" + NumberToText(-1 - std::sqrt(8.0));
    QTest::newRow("zero over zero")
            << Fraction("-1", "1", "0") << 0.0 << "x1=-1.#IND\r\nx2=-1.#INF";
    QTest::newRow("positive infinity")
            << Fraction("2", "4", "0") << 0.0 << "x1=1.#INF\r\nx2=-1.#IND";
    QTest::newRow("shown text read back") << Fraction("-2", "0.4", "1") << 0.5
                                          << "x1=" + NumberToText(-2 + std::sqrt(0.4))
                    + "\r\nx2=" + NumberToText(-2 - std::sqrt(0.4));
    QTest::newRow("infinity text reads as 1")
            << Fraction("0", "1.#INF", "1") << 1.0 << "x1=1\r\nx2=-1";
    QTest::newRow("nearly zero discriminant") << Fraction("3", "1e-008", "2") << 1.0 << "x1=x2=1.5";
}

void QuadraticEquationLogicTest::roots()
{
    QFETCH(RootFraction, shown);
    QFETCH(double, a);
    QFETCH(QString, roots);
    QCOMPARE(RootsText(shown, a), roots);
}

QTEST_APPLESS_MAIN(QuadraticEquationLogicTest)
#include "tst_quadraticequationlogic.moc"
