#include "eval/mathevaluation.h"
#include "eval/numberformat.h"
#include "eval/rational.h"
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

Rational Exact(const QString &text)
{
    return *ReadRational(text);
}

RootFraction Fraction(const char *outside, const char *discriminant, const char *denominator)
{
    return {Exact(outside), Exact(discriminant), Exact(denominator)};
}

// f(x) = a x² + b x + c at x.
Rational ValueAt(const ExactQuadratic &q, const Rational &x)
{
    return q.a * x * x + q.b * x + q.c;
}

// A real root as shown: exact where it is, else within one unit of its 13th digit, which the
// sign change of f across [r − u, r + u] proves.
bool IsShownRoot(const ExactQuadratic &q, const QString &shown)
{
    const Outcome<Rational> r = ReadRational(shown.section(u'≈', 0, 0));
    if (!r)
        return false;
    if (shown.contains(u'≈') || r->IsInteger() || ValueAt(q, *r).Sign() == 0)
        return ValueAt(q, *r).Sign() == 0;
    const Rational u = r->Absolute() * *Rational(10).Power(-12);
    return ValueAt(q, *r - u).Sign() * ValueAt(q, *r + u).Sign() <= 0;
}

// The last line "x=…±…", read by the student notation's reader with each sign, is a root
// exactly (a x² + b x + c works out to 0) and the decimal shown for it; true without one.
bool AreShownRadicalRoots(const ExactQuadratic &q, const QStringList &lines)
{
    for (int i = 0; i < 2 && lines.last().contains(u'±'); ++i) {
        const QString x
                = u'(' + QString(lines.last()).remove(0, 2).replace(u'±', i ? u'-' : u'+') + u')';
        const auto zero = EvaluateMath(
                *ReadMath(QStringLiteral("(%1)%2^2+(%3)%2+(%4)")
                                  .arg(q.a.ToText(), x, q.b.ToText(), q.c.ToText())));
        const auto root = EvaluateMath(*ReadMath(x));
        if (!zero || !zero->exact || !zero->exact->IsZero() || !root
            || !qFuzzyCompare(root->exact->ToDouble(),
                              lines[q.a.Sign() > 0 ? i : 1 - i].mid(3).toDouble()))
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(RootFraction)

class QuadraticEquationLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void workedFormula_data();
    void workedFormula();
    void factorMatchesScanOnEveryPairNearZero();
    void factorMatchesScanOnRandomPairs();
    void divisibilityTestIsExactUpToTheBound();
    void factorOfValuesAtTheLimit_data();
    void factorOfValuesAtTheLimit();
    void reduction_data();
    void reduction();
    void roots_data();
    void roots();
    void rootsSatisfyTheEquation();
};

void QuadraticEquationLogicTest::workedFormula_data()
{
    QTest::addColumn<QStringList>("typed"); // a, b, c, d
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("fraction"); // outside, discriminant, denominator
    QTest::newRow("worked example")
            << QStringList{"1", "2", "5", ""} << QStringList{"-2", "2", "1", "5", "2×1"}
            << QStringList{"-1", "-4", "1"};
    QTest::newRow("negatives and fractions in brackets")
            << QStringList{"-1", "-5", "1/2", ""}
            << QStringList{"5", "(-5)", "(-1)", "0.5", "2×(-1)"} << QStringList{"5", "27", "-2"};
    QTest::newRow("c − d in brackets")
            << QStringList{"2", "３", "1", "4"} << QStringList{"-3", "３", "2", "(-3)", "2×2"}
            << QStringList{"-3", "33", "4"};
    QTest::newRow("empty b is 0, not -0")
            << QStringList{"1", "", "", ""} << QStringList{"0", "", "1", "0", "2×1"}
            << QStringList{"0", "0", "2"};
    QTest::newRow("a fraction reads whole")
            << QStringList{"1/3", "1", "0.3", "0"}
            << QStringList{"-1", "1", "(1/3)", "0.3", "2×(1/3)"} << QStringList{"-1", "0.6", "2/3"};
    QTest::newRow("no quadratic, no formula")
            << QStringList{"0", "3", "1", "0"} << QStringList{"", "", "", "", ""}
            << QStringList{"", "", ""};
}

void QuadraticEquationLogicTest::workedFormula()
{
    QFETCH(QStringList, typed);
    const Outcome<QuadraticSolution> solution
            = SolveQuadraticEquation({typed[0], typed[1], typed[2], typed[3]});
    QVERIFY(solution);
    const WorkedFormula &formula = solution->formula;
    QTEST((QStringList{formula.numeratorOutside, formula.rootB, formula.rootA, formula.rootC,
                       formula.denominator}),
          "boxes");
    QTEST((QStringList{solution->outside, solution->discriminant, solution->denominator}),
          "fraction");
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
    QTest::addColumn<QStringList>("reduced"); // empty: not reduced
    QTest::newRow("worked example") << Fraction("-2", "-16", "2") << QStringList{"-1", "-4", "1"};
    QTest::newRow("double root") << Fraction("2", "0", "2") << QStringList{"1", "0", "1"};
    QTest::newRow("root not simplified")
            << Fraction("-2", "32", "2") << QStringList{"-1", "8", "1"};
    QTest::newRow("t squared must divide") << Fraction("-4", "8", "4") << QStringList{};
    QTest::newRow("negative denominator")
            << Fraction("-2", "-16", "-2") << QStringList{"-1", "-4", "-1"};
    QTest::newRow("zero denominator") << Fraction("-2", "4", "0") << QStringList{"-1", "1", "0"};
    QTest::newRow("bound on discriminant") << Fraction("-2", "30000", "2") << QStringList{};
    QTest::newRow("below the bound")
            << Fraction("-2", "29996", "2") << QStringList{"-1", "7499", "1"};
    QTest::newRow("bound on outside") << Fraction("30000", "0", "2") << QStringList{};
    QTest::newRow("bound on denominator") << Fraction("2", "0", "30002") << QStringList{};
    QTest::newRow("negative of any size")
            << Fraction("-40000", "0", "-40000") << QStringList{"-1", "0", "-1"};
    QTest::newRow("near the 32-bit limit")
            << Fraction("-2000000000", "-1200000000", "-2000000000")
            << QStringList{}; // t = 2e9, and t² does not divide the discriminant
    QTest::newRow("lowest 32-bit value")
            << Fraction("-2147483648", "0", "-2147483648") << QStringList{"-1", "0", "-1"};
    QTest::newRow("beyond 32 bits") << Fraction("-4000000000", "0", "-4000000000") << QStringList{};
    QTest::newRow("not integral") << Fraction("-2", "0.4", "1") << QStringList{};
    QTest::newRow("zero outside") << Fraction("0", "0", "2") << QStringList{};
    QTest::newRow("common factor one") << Fraction("3", "16", "2") << QStringList{};
}

void QuadraticEquationLogicTest::reduction()
{
    QFETCH(RootFraction, shown);
    const std::optional<RootFraction> result = ReduceRootFraction(shown);
    QStringList texts;
    if (result)
        texts << result->outside.ToText() << result->discriminant.ToText()
              << result->denominator.ToText();
    QTEST(texts, "reduced");
}

void QuadraticEquationLogicTest::roots_data()
{
    QTest::addColumn<QStringList>("typed"); // a, b, c, d
    QTest::addColumn<QString>("roots");
    const auto row = [](const char *name, const QStringList &typed, const QString &roots) {
        QTest::newRow(name) << typed << roots;
    };
    const QString complex = QStringLiteral("Δ<0，方程在实数范围内无解\r\n");
    row("complex, a positive", {"1", "2", "5", ""}, complex + "x1=-1+2i\r\nx2=-1-2i");
    row("complex, a negative", {"-1", "2", "-5", ""}, complex + "x1=1+2i\r\nx2=1-2i");
    row("complex, irrational", {"1", "1", "1", ""},
        complex + "x1=-0.5+0.8660254037844i\r\nx2=-0.5-0.8660254037844i");
    row("complex, fractional", {"9", "0", "1", ""}, complex + "x1=0+(1/3)i\r\nx2=0-(1/3)i");
    row("double root", {"1", "-2", "1", ""}, "x1=x2=1");
    row("empty b and c", {"1", "", "", ""}, "x1=x2=0");
    row("rational roots", {"6", "-5", "1", ""}, "x1=0.5\r\nx2=1/3≈0.3333333333333");
    row("a half, not 1", {"1/2", "-3", "4", ""}, "x1=4\r\nx2=2");
    row("discriminant 1e-8", {"1", "0.0001", "0", ""}, "x1=0\r\nx2=-0.0001");
    row("irrational roots", {"1", "2", "-7", ""},
        "x1=1.828427124746\r\nx2=-3.828427124746\r\nx=-1±2√2");
    row("(−4±√24)/4", {"2", "4", "-1", ""},
        "x1=0.2247448713916\r\nx2=-2.224744871392\r\nx=(-2±√6)/2");
    row("±√128/8", {"4", "", "-8", ""}, "x1=1.414213562373\r\nx2=-1.414213562373\r\nx=±√2");
    row("surds, a negative decimal", {"-0.5", "1", "1/3", ""},
        "x1=-0.2909944487358\r\nx2=2.290994448736\r\nx=(3±√15)/3");
    row("no cancellation", {"1", "1e8", "1", ""},
        "x1=-1e-008\r\nx2=-100000000\r\nx=-50000000±√2499999999999999");
    row("surd too long to write", {"1", "1e150", "1", ""}, "x1=-1e-150\r\nx2=-1e+150");
    row("b² past the doubles", {"1", "1e300", "1", ""}, "x1=-1e-300\r\nx2=-1e+300");
    row("Δ below the doubles", {"1e-200", "", "-2e-200", ""},
        "x1=1.414213562373\r\nx2=-1.414213562373\r\nx=±√2");
    row("beyond the doubles", {"1", "1e999", "", ""}, "x1=0\r\nx2=-1e+999");
    row("right side moved over", {"1", "0", "0", "4"}, "x1=2\r\nx2=-2");
    row("linear", {"", "3", "-6", ""}, "a=0，方程是一元一次方程\r\n3x-6=0\r\n3x=6\r\nx=2");
    row("linear with a fraction", {"0", "-1", "1/3", "0"},
        "a=0，方程是一元一次方程\r\n-x+1/3=0\r\n-x=-1/3\r\nx=1/3≈0.3333333333333");
    row("linear through 0", {"0", "2", "", ""}, "a=0，方程是一元一次方程\r\n2x=0\r\nx=0");
    row("no unknown, contradiction", {"", "", "5", ""},
        "a=0且b=0，方程不是二次方程\r\n5=0不成立，方程无解");
    row("no unknown, identity", {"", "", "", "0"},
        "a=0且b=0，方程不是二次方程\r\n0=0恒成立，x为任意实数");
    row("refused", {"1", "2a", "", ""}, "b：“a”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4");
}

void QuadraticEquationLogicTest::roots()
{
    QFETCH(QStringList, typed);
    const Outcome<QuadraticSolution> solution
            = SolveQuadraticEquation({typed[0], typed[1], typed[2], typed[3]});
    QTEST(solution ? solution->roots : solution.refusal(), "roots");
    if (solution)
        QVERIFY(AreShownRadicalRoots(*ReadExactQuadratic({typed[0], typed[1], typed[2], typed[3]}),
                                     solution->roots.split("\r\n")));
}

// Integer and fractional coefficients: every real root shown is a root, exactly or to its last
// digit; complex roots have the real part −b / 2a exactly.
void QuadraticEquationLogicTest::rootsSatisfyTheEquation()
{
    QRandomGenerator random(37);
    for (int round = 0; round < 3000; ++round) {
        QStringList typed;
        for (int i = 0; i < 3; ++i) {
            const int top = random.bounded(-20, 21), bottom = random.bounded(1, round % 2 ? 2 : 9);
            typed << QStringLiteral("%1/%2").arg(top).arg(bottom);
        }
        const ExactQuadratic q{Exact(typed[0]), Exact(typed[1]), Exact(typed[2])};
        const QStringList lines
                = SolveQuadraticEquation({typed[0], typed[1], typed[2], "0"})->roots.split("\r\n");
        if (q.a.Sign() == 0)
            continue;
        if (lines[0].startsWith(QStringLiteral("Δ<0"))) {
            const QString re = lines[1].mid(3).section(u'+', 0, 0);
            QCOMPARE(Exact(re), *(-q.b).Divide(q.a * Rational(2)));
            continue;
        }
        for (const QString &line : lines.mid(0, 2))
            QVERIFY2(IsShownRoot(q, line.section(u'=', -1)),
                     qPrintable(typed.join(u' ') + ": " + line));
        QVERIFY(AreShownRadicalRoots(q, lines));
    }
}

QTEST_APPLESS_MAIN(QuadraticEquationLogicTest)
#include "tst_quadraticequationlogic.moc"
