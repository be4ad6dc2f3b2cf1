#include "eval/bigint.h"

#include <QRandomGenerator>
#include <QtTest>

#include <utility>

using namespace Eval;

namespace {

// The decimal text of a value, or "none" when there is no value.
QString Shown(const std::optional<BigInteger> &value)
{
    return value ? value->ToText() : QStringLiteral("none");
}

BigInteger Decimal(const QString &text)
{
    const std::optional<BigInteger> value = BigInteger::FromDigits(text);
    if (!value)
        qFatal("Not a decimal integer: %s", qPrintable(text.left(40)));
    return *value;
}

// `count` random decimal digits without a leading zero, the same on every run.
QString RandomDigits(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    QString digits(count, u'0');
    for (qsizetype i = 0; i < count; ++i)
        digits[i] = QChar(u'0' + random.bounded(i == 0 ? 1 : 0, 10));
    return digits;
}

BigInteger Absolute(const BigInteger &value)
{
    return value.Sign() < 0 ? BigInteger().Subtract(value) : value;
}

} // namespace

class BigIntegerTest : public QObject
{
    Q_OBJECT
private slots:
    void parseLiteral_data();
    void parseLiteral();
    void arithmetic_data();
    void arithmetic();
    void digitsInBase_data();
    void digitsInBase();
    void hugeOperands_data();
    void hugeOperands();
    void knownHugeResults();
    void copiesAndMoves();
};

void BigIntegerTest::parseLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    const auto row = [](const char *name, const QString &text, const QString &value) {
        QTest::newRow(name) << text << value;
    };

    row("signs", "+7", "7");
    row("minus zero is zero", "-0", "0");
    row("leading zero is octal", "0123", "83");
    row("octal stops at 8", "0128", "10");
    row("09 is zero", "09", "0");
    row("negative octal after zeros", "-00010", "-8");
    row("hex prefix, mixed case", "0XfF", "255");
    row("hex stops at g", "-0x1g2", "-1");
    row("hex prefix alone", "0x", "0");
    row("binary prefix", "0B101", "5");
    row("binary stops at 2", "+0b1021", "2");
    row("x after two zeros ends an octal zero", "00x10", "0");
    row("b is a digit in hex", "0xb", "11");
    row("stops at minus", "12-3", "12");
    row("leading space reads nothing", " 12", "0");
    row("letters read nothing", "-abc", "0");
    row("full-width digits are not digits", "１２", "0");
    row("beyond 64 bits", "123456789012345678901234567890", "123456789012345678901234567890");
    row("long hex", "0x123456789abcdef0123456789ABCDEF", "1512366075204170929049582354406559215");
    row("empty", "", "none");
    row("lone minus", "-", "none");
    row("lone plus", "+", "none");
}

void BigIntegerTest::parseLiteral()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(Shown(BigInteger::ParseLiteral(text)), value);
}

void BigIntegerTest::arithmetic_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    // sum, difference, product, quotient, remainder
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<int>("order");
    const auto row
            = [](const char *name, const QString &a, const QString &b, const QStringList &results,
                 int order) { QTest::newRow(name) << a << b << results << order; };

    row("7 and 2", "7", "2", {"9", "5", "14", "3", "1"}, 1);
    row("-7 and 5", "-7", "5", {"-2", "-12", "-35", "-1", "3"}, -1);
    row("7 and -5", "7", "-5", {"2", "12", "-35", "-1", "-3"}, 1);
    row("-7 and -5", "-7", "-5", {"-12", "-2", "35", "1", "-2"}, -1);
    row("-10 and 5", "-10", "5", {"-5", "-15", "-50", "-2", "0"}, -1);
    row("-3 and 5", "-3", "5", {"2", "-8", "-15", "0", "2"}, -1);
    row("5 and 5", "5", "5", {"10", "0", "25", "1", "0"}, 0);
    row("zero divisor", "7", "0", {"7", "7", "0", "none", "none"}, 1);
    row("zero by zero", "0", "0", {"0", "0", "0", "none", "none"}, 0);
    row("carry past 64 bits", "18446744073709551615", "1",
        {"18446744073709551616", "18446744073709551614", "18446744073709551615",
         "18446744073709551615", "0"},
        1);
    row("negative beyond 64 bits", "-100000000000000000000", "3",
        {"-99999999999999999997", "-100000000000000000003", "-300000000000000000000",
         "-33333333333333333333", "2"},
        -1);
}

void BigIntegerTest::arithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QStringList, results);
    QFETCH(int, order);
    const BigInteger x = Decimal(a);
    const BigInteger y = Decimal(b);
    const QStringList shown = {x.Add(y).ToText(), x.Subtract(y).ToText(), x.Multiply(y).ToText(),
                               Shown(x.Quotient(y)), Shown(x.Remainder(y))};
    QCOMPARE(shown, results);
    QCOMPARE(x.Compare(y), order);
    QCOMPARE(y.Compare(x), -order);
}

void BigIntegerTest::digitsInBase_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown"); // the value's digits in that base
    const auto row
            = [](const char *name, const QString &digits, int base, const QString &value,
                 const QString &shown) { QTest::newRow(name) << digits << base << value << shown; };

    row("hex read in lower case, shown in upper", "ff", 16, "255", "FF");
    row("base 36", "Zz", 36, "1295", "ZZ");
    row("negative base 7", "-66", 7, "-48", "-66");
    row("leading zeros vanish", "0017", 8, "15", "17");
    row("digit beyond the base", "12", 2, "none", "");
    row("empty", "", 10, "none", "");
    row("lone minus", "-", 10, "none", "");
    row("plus", "+1", 10, "none", "");
    row("space", "1 2", 10, "none", "");
    row("base 1", "0", 1, "none", "");
    row("base 37", "1", 37, "none", "");
}

void BigIntegerTest::digitsInBase()
{
    QFETCH(QString, digits);
    QFETCH(int, base);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    const std::optional<BigInteger> read = BigInteger::FromDigits(digits, base);
    QCOMPARE(Shown(read), value);
    QCOMPARE(read ? read->ToText(base) : QString(), shown);
    if (base < 2 || base > 36)
        QCOMPARE(BigInteger(255).ToText(base), QString());
}

void BigIntegerTest::hugeOperands_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    const QString a = RandomDigits(100000, 1);
    const QString b = RandomDigits(100000, 2);
    QTest::addRow("100000 by 100000 digits") << a << b;
    QTest::addRow("negative by positive") << "-" + a << b;
    QTest::addRow("100000 by 7 digits") << a << "-1234567";
    QTest::addRow("200000 by 100000 digits") << RandomDigits(200000, 3) << b;
}

// Checked by identities that hold only when every operation is exact.
void BigIntegerTest::hugeOperands()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const BigInteger x = Decimal(a);
    const BigInteger y = Decimal(b);
    QCOMPARE(x.ToText(), a);

    const BigInteger product = x.Multiply(y);
    QCOMPARE(Shown(product.Quotient(y)), a);
    QCOMPARE(Shown(product.Remainder(y)), QStringLiteral("0"));

    const BigInteger quotient = *x.Quotient(y);
    const BigInteger remainder = *x.Remainder(y);
    QVERIFY(Absolute(remainder) < Absolute(y));
    QVERIFY(remainder.Sign() == 0 || remainder.Sign() == y.Sign());
    // Floor division: the truncated quotient is one higher when the signs differ and it is not
    // exact.
    const BigInteger floor = remainder.Sign() != 0 && x.Sign() != y.Sign()
            ? quotient.Subtract(BigInteger(1))
            : quotient;
    QCOMPARE(floor.Multiply(y).Add(remainder).ToText(), a);

    QCOMPARE(x.Add(y).Subtract(y).ToText(), a);
    QCOMPARE(x.Compare(x.Add(BigInteger(1))), -1);
    for (int base : {2, 7, 16, 36})
        QCOMPARE(Shown(BigInteger::FromDigits(x.ToText(base), base)), a);
}

// Results whose digits are known in closed form.
void BigIntegerTest::knownHugeResults()
{
    const qsizetype n = 100000;
    const BigInteger nines = Decimal(QString(n, u'9'));
    // (10^n - 1)^2 = 10^2n - 2 * 10^n + 1
    QCOMPARE(nines.Multiply(nines).ToText(),
             QString(n - 1, u'9') + u'8' + QString(n - 1, u'0') + u'1');
    QCOMPARE(Shown(nines.Quotient(BigInteger(9))), QString(n, u'1'));
    QCOMPARE(nines.Add(BigInteger(1)).ToText(), u'1' + QString(n, u'0'));
    // 16^n - 1 in base 16, 2 and 8 (8^(4n/3) - 1 when 4n is a multiple of 3).
    const BigInteger allF = *BigInteger::FromDigits(QString(n, u'f'), 16);
    QCOMPARE(allF.ToText(2), QString(4 * n, u'1'));
    QCOMPARE(BigInteger::ParseLiteral("0x" + QString(n - 1, u'F'))->ToText(8),
             QString(4 * (n - 1) / 3, u'7'));
    // A 300000-digit power of two read as a binary literal.
    const BigInteger power = *BigInteger::ParseLiteral("0b1" + QString(300000, u'0'));
    QCOMPARE(power.ToText(16), u'1' + QString(75000, u'0'));
}

void BigIntegerTest::copiesAndMoves()
{
    BigInteger original = Decimal("-123456789012345678901234567890");
    const BigInteger copy = original;
    original = original.Add(BigInteger(1));
    QCOMPARE(copy.ToText(), QStringLiteral("-123456789012345678901234567890"));

    BigInteger moved = std::move(original);
    QCOMPARE(moved.ToText(), QStringLiteral("-123456789012345678901234567889"));
    original = copy; // a moved-from value takes a new one
    QCOMPARE(original.ToText(), copy.ToText());
    original = BigInteger(5);
    QCOMPARE(original.ToText(), QStringLiteral("5"));
}

QTEST_GUILESS_MAIN(BigIntegerTest)
#include "tst_bigint.moc"
