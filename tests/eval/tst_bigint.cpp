#include "eval/bigint.h"

#include <QRandomGenerator>
#include <QtTest>

#include <utility>

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

    QTest::addRow("decimal") << "1234"
                             << "1234";
    QTest::addRow("plus sign") << "+7"
                               << "7";
    QTest::addRow("minus sign") << "-7"
                                << "-7";
    QTest::addRow("minus zero is zero") << "-0"
                                        << "0";
    QTest::addRow("zero is octal zero") << "0"
                                        << "0";
    QTest::addRow("leading zero is octal") << "0123"
                                           << "83";
    QTest::addRow("octal stops at 8") << "0128"
                                      << "10";
    QTest::addRow("octal 09 is zero") << "09"
                                      << "0";
    QTest::addRow("several leading zeros") << "000017"
                                           << "15";
    QTest::addRow("negative octal") << "-010"
                                    << "-8";
    QTest::addRow("hex lower prefix") << "0xff"
                                      << "255";
    QTest::addRow("hex upper prefix mixed digits") << "0XfF"
                                                   << "255";
    QTest::addRow("hex zeros after prefix") << "0x00010"
                                            << "16";
    QTest::addRow("hex stops at g") << "0x1g2"
                                    << "1";
    QTest::addRow("hex prefix alone") << "0x"
                                      << "0";
    QTest::addRow("negative hex") << "-0x10"
                                  << "-16";
    QTest::addRow("binary lower prefix") << "0b101"
                                         << "5";
    QTest::addRow("binary upper prefix") << "0B11"
                                         << "3";
    QTest::addRow("binary stops at 2") << "0b1021"
                                       << "2";
    QTest::addRow("binary prefix alone") << "-0b"
                                         << "0";
    QTest::addRow("positive binary") << "+0b1111"
                                     << "15";
    QTest::addRow("x after two zeros is octal") << "00x10"
                                                << "0";
    QTest::addRow("b is a digit only in hex") << "0xb"
                                              << "11";
    QTest::addRow("stops at minus") << "12-3"
                                    << "12";
    QTest::addRow("stops at space") << "12 3"
                                    << "12";
    QTest::addRow("leading space reads nothing") << " 12"
                                                 << "0";
    QTest::addRow("letters read nothing") << "abc"
                                          << "0";
    QTest::addRow("sign then letters") << "-abc"
                                       << "0";
    QTest::addRow("full-width digits are not digits") << "１２"
                                                      << "0";
    QTest::addRow("double sign") << "--1"
                                 << "0";
    QTest::addRow("beyond 64 bits") << "123456789012345678901234567890"
                                    << "123456789012345678901234567890";
    QTest::addRow("long hex") << "0x123456789abcdef0123456789ABCDEF"
                              << "1512366075204170929049582354406559215";
    QTest::addRow("empty") << ""
                           << "none";
    QTest::addRow("lone minus") << "-"
                                << "none";
    QTest::addRow("lone plus") << "+"
                               << "none";
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
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("quotient");
    QTest::addColumn<QString>("remainder");
    QTest::addColumn<int>("order");

    QTest::addRow("7 and 2") << "7"
                             << "2"
                             << "9"
                             << "5"
                             << "14"
                             << "3"
                             << "1" << 1;
    QTest::addRow("-7 and 5") << "-7"
                              << "5"
                              << "-2"
                              << "-12"
                              << "-35"
                              << "-1"
                              << "3" << -1;
    QTest::addRow("7 and -5") << "7"
                              << "-5"
                              << "2"
                              << "12"
                              << "-35"
                              << "-1"
                              << "-3" << 1;
    QTest::addRow("-7 and -5") << "-7"
                               << "-5"
                               << "-12"
                               << "-2"
                               << "35"
                               << "1"
                               << "-2" << -1;
    QTest::addRow("-10 and 5") << "-10"
                               << "5"
                               << "-5"
                               << "-15"
                               << "-50"
                               << "-2"
                               << "0" << -1;
    QTest::addRow("3 and 5") << "3"
                             << "5"
                             << "8"
                             << "-2"
                             << "15"
                             << "0"
                             << "3" << -1;
    QTest::addRow("-3 and 5") << "-3"
                              << "5"
                              << "2"
                              << "-8"
                              << "-15"
                              << "0"
                              << "2" << -1;
    QTest::addRow("5 and 5") << "5"
                             << "5"
                             << "10"
                             << "0"
                             << "25"
                             << "1"
                             << "0" << 0;
    QTest::addRow("-5 and 5") << "-5"
                              << "5"
                              << "0"
                              << "-10"
                              << "-25"
                              << "-1"
                              << "0" << -1;
    QTest::addRow("zero divisor") << "7"
                                  << "0"
                                  << "7"
                                  << "7"
                                  << "0"
                                  << "none"
                                  << "none" << 1;
    QTest::addRow("zero by zero") << "0"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << "none"
                                  << "none" << 0;
    QTest::addRow("zero dividend") << "0"
                                   << "-3"
                                   << "-3"
                                   << "3"
                                   << "0"
                                   << "0"
                                   << "0" << 1;
    QTest::addRow("carry past 64 bits") << "18446744073709551615"
                                        << "1"
                                        << "18446744073709551616"
                                        << "18446744073709551614"
                                        << "18446744073709551615"
                                        << "18446744073709551615"
                                        << "0" << 1;
    QTest::addRow("30 digits") << "123456789012345678901234567890"
                               << "987654321098765432109876543210"
                               << "1111111110111111111011111111100"
                               << "-864197532086419753208641975320"
                               << "121932631137021795226185032733622923332237463801111263526900"
                               << "0"
                               << "123456789012345678901234567890" << -1;
    QTest::addRow("negative beyond 64 bits") << "-100000000000000000000"
                                             << "3"
                                             << "-99999999999999999997"
                                             << "-100000000000000000003"
                                             << "-300000000000000000000"
                                             << "-33333333333333333333"
                                             << "2" << -1;
}

void BigIntegerTest::arithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, sum);
    QFETCH(QString, difference);
    QFETCH(QString, product);
    QFETCH(QString, quotient);
    QFETCH(QString, remainder);
    QFETCH(int, order);
    const BigInteger x = Decimal(a);
    const BigInteger y = Decimal(b);
    QCOMPARE(x.Add(y).ToText(), sum);
    QCOMPARE(x.Subtract(y).ToText(), difference);
    QCOMPARE(x.Multiply(y).ToText(), product);
    QCOMPARE(Shown(x.Quotient(y)), quotient);
    QCOMPARE(Shown(x.Remainder(y)), remainder);
    QCOMPARE(x.Compare(y), order);
    QCOMPARE(y.Compare(x), -order);
}

void BigIntegerTest::digitsInBase_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown"); // the value's digits in that base

    QTest::addRow("hex upper") << "FF" << 16 << "255"
                               << "FF";
    QTest::addRow("hex lower read, upper shown") << "ff" << 16 << "255"
                                                 << "FF";
    QTest::addRow("binary") << "11111111" << 2 << "255"
                            << "11111111";
    QTest::addRow("base 36") << "Zz" << 36 << "1295"
                             << "ZZ";
    QTest::addRow("base 7 negative") << "-66" << 7 << "-48"
                                     << "-66";
    QTest::addRow("leading zeros vanish") << "007" << 10 << "7"
                                          << "7";
    QTest::addRow("zero") << "0" << 3 << "0"
                          << "0";
    QTest::addRow("40 decimal digits") << "1234567890123456789012345678901234567890" << 10
                                       << "1234567890123456789012345678901234567890"
                                       << "1234567890123456789012345678901234567890";
    QTest::addRow("digit beyond base") << "12" << 2 << "none"
                                       << "";
    QTest::addRow("letter in decimal") << "1a" << 10 << "none"
                                       << "";
    QTest::addRow("empty") << "" << 10 << "none"
                           << "";
    QTest::addRow("lone minus") << "-" << 10 << "none"
                                << "";
    QTest::addRow("plus not allowed") << "+1" << 10 << "none"
                                      << "";
    QTest::addRow("space") << "1 2" << 10 << "none"
                           << "";
    QTest::addRow("base 1") << "0" << 1 << "none"
                            << "";
    QTest::addRow("base 37") << "1" << 37 << "none"
                             << "";
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
    QTest::addRow("positive by negative") << a << "-" + b;
    QTest::addRow("both negative") << "-" + a << "-" + b;
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
