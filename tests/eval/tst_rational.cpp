#include "eval/numberformat.h"
#include "eval/rational.h"

#include <QRandomGenerator>
#include <QtTest>

#include <climits>
#include <cmath>
#include <cstring>

using namespace Eval;

namespace {

const QString Refused = QStringLiteral("refused");

Rational Read(const QString &text)
{
    const Outcome<Rational> value = ReadRational(text);
    if (!value)
        qFatal("Not a number: %s", qPrintable(text));
    return *value;
}

QString Shown(const std::optional<Rational> &value)
{
    return value ? value->ToText() : QStringLiteral("none");
}

// Doubles of every size: random bits, so subnormals, huge values and both signs come up; no
// infinities or NaNs.
double RandomDouble(QRandomGenerator &random)
{
    double value = 0;
    do {
        const quint64 bits = random.generate64();
        std::memcpy(&value, &bits, sizeof value);
    } while (!std::isfinite(value));
    return value;
}

// Bit for bit, so that -0 and +0 differ and no tolerance hides a last-bit error.
void CompareBits(double actual, double expected)
{
    QVERIFY2(std::memcmp(&actual, &expected, sizeof actual) == 0,
             qPrintable(QString::number(actual, 'g', 17)));
}

} // namespace

class RationalTest : public QObject
{
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void arithmetic_data();
    void arithmetic();
    void powers_data();
    void powers();
    void decimalText_data();
    void decimalText();
    void exactDoubles();
    void roundsAsTheHardwareDoes();
};

void RationalTest::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value"); // the reduced fraction, or "refused"
    QTest::addColumn<QString>("typing"); // "u": unfinished; "z": 0 where a box may be empty
    const auto row = [](const char *name, const QString &text, const QString &value,
                        const char *typing = "") {
        QTest::newRow(name) << text << value << QString::fromLatin1(typing);
    };
    row("whole", "14", "14");
    row("fraction reduced", "6/-4", "-3/2");
    row("decimal fraction", "1.5/2", "3/4");
    row("small decimal", "0.0001", "1/10000");
    row("point first", ".5", "1/2");
    row("exponent", "2e3/-4", "-500");
    row("negative exponent", "-1.25E-2", "-1/80");
    row("full-width", "－１２．５／＋５", "-5/2");
    row("mathematical minus", "−3/4", "-3/4");
    row("spaces around and at the slash", " \t1 / 3\u3000", "1/3");
    row("minus zero", "-0", "0");
    row("largest exponent", "1e4000/1e4000", "1");
    row("empty", "", Refused, "uz");
    row("blank", "  ", Refused, "uz");
    row("lone sign", "-", Refused, "uz");
    row("lone point", ".", Refused, "u");
    row("exponent without digits", "1e", Refused, "u");
    row("nothing after the slash", "1/", Refused, "u");
    row("letters after", "12abc", Refused);
    row("old exponent letter", "1d2", Refused);
    row("two points", "1.2.3", Refused);
    row("exponent too large", "1e4001", Refused);
    row("two slashes", "1/2/3", Refused);
    row("nothing before the slash", "/2", Refused);
    row("space inside a number", "1 2", Refused);
    row("zero denominator", "1/0", Refused);
    row("division sign", "1÷2", Refused);
}

void RationalTest::reading()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, typing);
    const Outcome<Rational> read = ReadRational(text);
    QCOMPARE(read ? read->ToText() : Refused, value);
    if (!read)
        QVERIFY(!read.refusal().isEmpty());
    QCOMPARE(IsUnfinishedNumber(text), typing.contains(u'u'));
    const Outcome<Rational> orZero = ReadRationalOrZero(text);
    QCOMPARE(orZero ? orZero->ToText() : Refused, typing.contains(u'z') ? "0" : value);
}

void RationalTest::arithmetic_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    // sum, difference, product, quotient
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<int>("order");
    const auto row
            = [](const char *name, const QString &a, const QString &b, const QStringList &results,
                 int order) { QTest::newRow(name) << a << b << results << order; };
    row("halves and thirds", "1/2", "1/3", {"5/6", "1/6", "1/6", "3/2"}, 1);
    row("signs", "-3/4", "5/6", {"1/12", "-19/12", "-5/8", "-9/10"}, -1);
    row("sum is whole", "7/6", "5/6", {"2", "1/3", "35/36", "7/5"}, 1);
    row("equal", "2/4", "0.5", {"1", "0", "1/4", "1"}, 0);
    row("by zero", "3", "0", {"3", "3", "0", "none"}, 1);
    row("beyond 64 bits", "18446744073709551616/3", "-1/3",
        {"6148914691236517205", "18446744073709551617/3", "-18446744073709551616/9",
         "-18446744073709551616"},
        1);
}

// Besides the rows' values: identities that hold only when every operation is exact, and the
// parts of each result reduced with a positive denominator.
void RationalTest::arithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QStringList, results);
    QFETCH(int, order);
    const Rational x = Read(a), y = Read(b);
    QCOMPARE(
            (QStringList{(x + y).ToText(), (x - y).ToText(), (x * y).ToText(), Shown(x.Divide(y))}),
            results);
    QCOMPARE(x.Compare(y), order);
    QCOMPARE((x - y).Sign(), order);
    QCOMPARE(x + y - y, x);
    QCOMPARE(-(y - x), x - y);
    if (const std::optional<Rational> quotient = x.Divide(y))
        QCOMPARE(*quotient * y, x);
    for (const Rational &r : {x + y, x - y, x * y}) {
        QCOMPARE(r.Denominator().Sign(), 1);
        QCOMPARE(Shown(Rational::FromFraction(r.Numerator(), r.Denominator())), r.ToText());
        QCOMPARE(r.IsInteger(), !r.ToText().contains(u'/'));
        // Reduced: n/d taken apart as n·d / d² gives the same parts again.
        const auto again = Rational::FromFraction(r.Numerator().Multiply(r.Denominator()),
                                                  r.Denominator().Multiply(r.Denominator()));
        QCOMPARE(again->Numerator(), r.Numerator());
    }
}

void RationalTest::powers_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("exponent"); // "1/2": the square root
    QTest::addColumn<QString>("power");
    const auto row = [](const char *name, const char *base, const QString &exponent,
                        const QString &power) { QTest::newRow(name) << base << exponent << power; };
    row("cube", "-2/3", "3", "-8/27");
    row("negative", "-2", "-3", "-1/8");
    row("zero power of zero", "0", "0", "1");
    row("zero to a negative power", "0", "-1", "none");
    row("one to the largest power", "-1", QString::number(LONG_MAX), "-1");
    row("smallest power", "1", QString::number(LONG_MIN), "none");
    row("beyond the bound", "10", "400000", "none");
    row("within the bound", "1/2", "-1000", Rational(2).Power(1000)->ToText());
    row("root of a square", "9/4", "1/2", "3/2");
    row("root of a non-square", "2/9", "1/2", "none");
    row("root of a negative square", "-4", "1/2", "none");
}

void RationalTest::powers()
{
    QFETCH(QString, base);
    QFETCH(QString, exponent);
    QFETCH(QString, power);
    const Rational value = Read(base);
    QCOMPARE(Shown(exponent == "1/2" ? value.SquareRoot() : value.Power(exponent.toLong())), power);
}

void RationalTest::decimalText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, const QString &value, int digits, const QString &text) {
        QTest::newRow(name) << value << digits << text;
    };
    row("a third", "1/3", 13, "0.3333333333333");
    row("two thirds", "-2/3", 13, "-0.6666666666667");
    row("half away from zero", "5/2", 1, "3");
    row("rounds up to a new digit", "999999/1000000", 3, "1");
    row("small exponent", "1/100000", 13, "1e-005");
    row("large exponent", "123456789012345", 13, "1.234567890123e+014");
    row("zero", "0", 5, "0");
    row("digits clamped to one", "7/3", -5, "2");
    row("long exponent", "1e1234", 3, "1e+1234");
}

void RationalTest::decimalText()
{
    QFETCH(QString, value);
    QFETCH(int, digits);
    QFETCH(QString, text);
    QCOMPARE(Read(value).ToDecimalText(digits), text);
}

// Every finite double is its own rational: 0.1 is its binary value, and the way back is exact;
// infinities and NaN have none.
void RationalTest::exactDoubles()
{
    QCOMPARE(Shown(Rational::FromDouble(0.1)),
             QStringLiteral("3602879701896397/36028797018963968"));
    QCOMPARE(Shown(Rational::FromDouble(-0.0)), QStringLiteral("0"));
    QCOMPARE(Shown(Rational::FromDouble(HUGE_VAL)), QStringLiteral("none"));
    QCOMPARE(Shown(Rational::FromDouble(std::nan(""))), QStringLiteral("none"));
    QCOMPARE(Rational::FromDouble(std::ldexp(1, -1074))->Denominator(),
             Rational(2).Power(1074)->Numerator());
    QRandomGenerator random(44);
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(random);
        CompareBits(Rational::FromDouble(x)->ToDouble(), x);
        // printf's "%.13g" rounds the same binary value independently (ties are too rare in
        // random bits to meet).
        if (x != 0)
            QCOMPARE(Rational::FromDouble(x)->ToDecimalText(13), NumberToText(x));
    }
}

// IEEE arithmetic rounds the exact result of each operation correctly, so the exact sum,
// product and quotient of two doubles must round to what the hardware computes, subnormal
// results, ties and overflow included.
void RationalTest::roundsAsTheHardwareDoes()
{
    QRandomGenerator random(37);
    const auto check = [](double x, double y) {
        const Rational a = *Rational::FromDouble(x), b = *Rational::FromDouble(y);
        CompareBits((a + b).ToDouble(), x + y);
        CompareBits((a * b).ToDouble(), x * y);
        if (y != 0)
            CompareBits(a.Divide(b)->ToDouble(), x / y);
    };
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(random);
        // Operands of nearby sizes too, where sums keep many bits and ties come up.
        check(x, RandomDouble(random));
        check(x, std::ldexp(double(random.generate64() >> 11), std::ilogb(x) - 52));
        if (QTest::currentTestFailed())
            return;
    }
    check(9007199254740992.0, 1.0); // 2^53 + 1: a tie, to even
    check(9007199254740992.0, 3.0);
    check(std::ldexp(1, -1074), std::ldexp(1, -1074));
    check(std::ldexp(1, -1074), 0.5); // half the smallest subnormal: a tie, to zero
    check(std::ldexp(1, -1074), 0.75);
    check(std::ldexp(3, -1074), 0.5);
    check(-1.7976931348623157e308, 1.0000000000000002);
}

QTEST_GUILESS_MAIN(RationalTest)
#include "tst_rational.moc"
