#include "eval/booleantext.h"
#include "eval/halfwidth.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/remainder.h"
#include "eval/rounding.h"
#include "eval/tolerance.h"

#include <QRegularExpression>
#include <QTest>

#include <clocale>
#include <cstdio>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Eval;

namespace {

double FromBits(quint64 bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float FromBits32(quint32 bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Exact equality that also tells -0 from 0 and accepts NaN for NaN.
bool Identical(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

QByteArray Describe(double actual, double expected)
{
    return QByteArray("actual ") + QByteArray::number(actual, 'g', 17) + ", expected "
            + QByteArray::number(expected, 'g', 17);
}

const double infinity = std::numeric_limits<double>::infinity();

// volatile keeps the compiler from folding these, so the hardware and libm produce the NaNs.
volatile double zero = 0.0;
volatile double minusOne = -1.0;
volatile double two = 2.0;

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void numberToText_data();
    void numberToText();
    void agreesWithPrintf();
    void nanToText_data();
    void nanToText();
    void singleToText_data();
    void singleToText();
    void textToNumber_data();
    void textToNumber();
    void textToInteger_data();
    void textToInteger();
    void textToLongInteger_data();
    void textToLongInteger();
    void realToInteger_data();
    void realToInteger();
    void integerPart_data();
    void integerPart();
    void roundTo_data();
    void roundTo();
    void formatNumber_data();
    void formatNumber();
    void toHalfWidth_data();
    void toHalfWidth();
    void fullWidthAsciiFormsFold();
    void nearlyEqual_data();
    void nearlyEqual();
    void nearlyZero_data();
    void nearlyZero();
    void booleanToText();
    void remainder_data();
    void remainder();
    void remainderByZero_data();
    void remainderByZero();
};

void TestNumberText::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("1/3") << 1.0 / 3 << "0.3333333333333";
    QTest::newRow("2/3") << 2.0 / 3 << "0.6666666666667";
    QTest::newRow("38") << 38.0 << "38";
    QTest::newRow("0.0001") << 0.0001 << "0.0001";
    QTest::newRow("0.00001") << 0.00001 << "1e-005";
    QTest::newRow("13 digits") << 1234567890123.0 << "1234567890123";
    QTest::newRow("14 digits") << 12345678901234.0 << "1.234567890123e+013";
    QTest::newRow("2^53") << 9007199254740992.0 << "9.007199254741e+015";
    QTest::newRow("1e21") << 1e21 << "1e+021";
    QTest::newRow("-2.5") << -2.5 << "-2.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "-0";
    QTest::newRow("1e-7") << 1e-7 << "1e-007";
    QTest::newRow("infinity") << infinity << "1.#INF";
    QTest::newRow("-infinity") << -infinity << "-1.#INF";
    QTest::newRow("smallest denormal") << 5e-324 << "4.940656458412e-324";
    QTest::newRow("1e100") << 1e100 << "1e+100";
    QTest::newRow("-1e-300") << -1e-300 << "-1e-300";
    QTest::newRow("largest double") << 1.7976931348623157e308 << "1.797693134862e+308";
    QTest::newRow("18 digits") << 123456789012345678.0 << "1.234567890123e+017";
    QTest::newRow("small plain") << 0.000123456789012345 << "0.0001234567890123";
    QTest::newRow("1e12") << 1e12 << "1000000000000";
    QTest::newRow("1e13") << 1e13 << "1e+013";
    QTest::newRow("rounds up to 1e13") << 9999999999999.6 << "1e+013";
    QTest::newRow("rounds up to 1e-4") << 9.999999999999995e-05 << "0.0001";
    QTest::newRow("1.5e-5") << 1.5e-5 << "1.5e-005";
    QTest::newRow("-2.5e-10") << -2.5e-10 << "-2.5e-010";
    QTest::newRow("123.456") << 123.456 << "123.456";
    QTest::newRow("-1234.5") << -1234.5 << "-1234.5";
    QTest::newRow("0.1") << 0.1 << "0.1";
}

void TestNumberText::numberToText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberToText(value), text);
}

// The C library's "%.13g" with the exponent widened to three digits, over values spread
// across the whole double range and over the everyday magnitudes.
void TestNumberText::agreesWithPrintf()
{
    std::setlocale(LC_NUMERIC, "C");
    const QRegularExpression exponent(QStringLiteral("e([+-])(\\d+)$"));
    quint64 state = 0x9E3779B97F4A7C15;
    for (int i = 0; i < 40000; ++i) {
        state = state * 6364136223846793005 + 1442695040888963407;
        const double value = i % 2 ? FromBits(state)
                                   : double(state >> 11) * 0x1p-53 * std::pow(10.0, i % 40 - 20);
        if (!std::isfinite(value))
            continue;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.13g", value);
        QString expected = QString::fromLatin1(buffer);
        const QRegularExpressionMatch match = exponent.match(expected);
        if (match.hasMatch()) {
            expected.truncate(match.capturedStart());
            expected += QLatin1Char('e') + match.captured(1)
                    + match.captured(2).rightJustified(3, QLatin1Char('0'));
        }
        QCOMPARE(NumberToText(value), expected);
    }
}

void TestNumberText::nanToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("0/0") << zero / zero << "-1.#IND";
    QTest::newRow("sqrt(-1)") << std::sqrt(minusOne) << "-1.#IND";
    QTest::newRow("log(-1)") << std::log(minusOne) << "-1.#IND";
    QTest::newRow("acos(2)") << std::acos(two) << "-1.#IND";
    QTest::newRow("infinity - infinity") << infinity - infinity * (two - 1) << "-1.#IND";
    QTest::newRow("quiet NaN constant") << std::numeric_limits<double>::quiet_NaN() << "-1.#IND";
    QTest::newRow("quiet with payload") << FromBits(0x7FF8000000000001) << "1.#QNAN";
    QTest::newRow("negative quiet with payload") << FromBits(0xFFF8000000000123) << "-1.#QNAN";
    QTest::newRow("signalling") << FromBits(0x7FF4000000000000) << "1.#SNAN";
    QTest::newRow("negative signalling") << FromBits(0xFFF0000000000001) << "-1.#SNAN";
}

void TestNumberText::nanToText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberToText(value), text);
}

void TestNumberText::singleToText_data()
{
    QTest::addColumn<quint32>("bits");
    QTest::addColumn<QString>("text");

    auto bitsOf = [](float value) {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    };
    QTest::newRow("0.1f") << bitsOf(0.1f) << "0.1";
    QTest::newRow("1/3") << bitsOf(1.0f / 3) << "0.333333";
    QTest::newRow("123456789") << bitsOf(123456789.0f) << "1.23457e+008";
    QTest::newRow("1e-5") << bitsOf(1e-5f) << "1e-005";
    QTest::newRow("-2.5") << bitsOf(-2.5f) << "-2.5";
    QTest::newRow("negative zero") << bitsOf(-0.0f) << "-0";
    QTest::newRow("infinity") << bitsOf(std::numeric_limits<float>::infinity()) << "1.#INF";
    QTest::newRow("invalid NaN") << quint32(0xFFC00000) << "-1.#IND";
    QTest::newRow("quiet with payload") << quint32(0x7FC00001) << "1.#QNAN";
    // Signalling NaNs travel as bits: loading them into a register could quiet them.
    QTest::newRow("signalling") << quint32(0xFF800001) << "-1.#SNAN";
}

void TestNumberText::singleToText()
{
    QFETCH(quint32, bits);
    QFETCH(QString, text);
    QCOMPARE(SingleToText(FromBits32(bits)), text);
}

void TestNumberText::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("12abc") << "12abc" << 12.0;
    QTest::newRow("abc") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("full-width 12.5") << "１２．５" << 12.5;
    QTest::newRow("blank then -3e2") << " -3e2" << -300.0;
    QTest::newRow("1d2") << "1d2" << 100.0;
    QTest::newRow(".5") << ".5" << 0.5;
    QTest::newRow("0x10") << "0x10" << 0.0;
    QTest::newRow("1.#INF") << "1.#INF" << 1.0;
    QTest::newRow("1e999") << "1e999" << infinity;
    QTest::newRow("-1e999") << "-1e999" << -infinity;
    QTest::newRow("blanks, full-width +5") << "  ＋５" << 5.0;
    QTest::newRow("1D-2") << "1D-2" << 0.01;
    QTest::newRow("1E+3") << "1E+3" << 1000.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("exponent then letter") << "2ex" << 2.0;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("lone plus") << "+" << 0.0;
    QTest::newRow("-.5") << "-.5" << -0.5;
    QTest::newRow("+.5e1") << "+.5e1" << 5.0;
    QTest::newRow("all white space kinds") << "\t\n\v\f\r 7" << 7.0;
    QTest::newRow("ideographic space") << "　8" << 8.0;
    QTest::newRow("full-width exponent") << "１ｅ３" << 1000.0;
    QTest::newRow("full-width minus") << "－２" << -2.0;
    QTest::newRow("comma ends the number") << "1,234" << 1.0;
    QTest::newRow("second point ends it") << "1.5.5" << 1.5;
    QTest::newRow("second exponent ends it") << "2e2e2" << 200.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("space inside") << "1 2" << 1.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("mixed signs") << "+-5" << 0.0;
    QTest::newRow("nan") << "nan" << 0.0;
    QTest::newRow("inf") << "inf" << 0.0;
    QTest::newRow("leading zeros") << "00012" << 12.0;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("smallest denormal") << "4.9406564584124654e-324" << 5e-324;
    QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308;
    QTest::newRow("rounds beyond largest") << "1.7976931348623159e308" << infinity;
    QTest::newRow("huge exponent") << "1e1000000000000000000000" << infinity;
    QTest::newRow("tiny exponent") << "-1e-1000000000000000000000" << -0.0;
    QTest::newRow("30 digits") << "123456789012345678901234567890"
                               << 123456789012345678901234567890.0;
    QTest::newRow("0.1") << "0.1" << 0.1;
    QTest::newRow("Chinese after number") << "3.5元" << 3.5;
    QTest::newRow("multiplication sign") << "×3" << 0.0;
}

void TestNumberText::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double actual = TextToNumber(text);
    QVERIFY2(Identical(actual, value), Describe(actual, value));
}

void TestNumberText::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");

    QTest::newRow("12abc") << "12abc" << 12;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks, -42") << "  -42" << -42;
    QTest::newRow("+7") << "+7" << 7;
    QTest::newRow("full-width") << "　１２" << 12;
    QTest::newRow("fraction ignored") << "1.9" << 1;
    QTest::newRow("exponent ignored") << "1e3" << 1;
    QTest::newRow("lone minus") << "-" << 0;
    QTest::newRow("sign then blank") << "- 5" << 0;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << std::numeric_limits<qint32>::min();
    QTest::newRow("wraps to smallest") << "2147483648" << std::numeric_limits<qint32>::min();
    QTest::newRow("2^32 wraps to 0") << "4294967296" << 0;
    QTest::newRow("2^32 + 1 wraps to 1") << "4294967297" << 1;
    QTest::newRow("-(2^32 - 1) wraps to 1") << "-4294967295" << 1;
}

void TestNumberText::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(qint32, value);
    QCOMPARE(TextToInteger(text), value);
}

void TestNumberText::textToLongInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");

    QTest::newRow("-5") << "-5" << qint64(-5);
    QTest::newRow("beyond 32 bits") << "12345678901" << qint64(12345678901);
    QTest::newRow("full-width") << "９８７６５４３２１０" << qint64(9876543210);
    QTest::newRow("largest") << "9223372036854775807" << std::numeric_limits<qint64>::max();
    QTest::newRow("wraps to smallest")
            << "9223372036854775808" << std::numeric_limits<qint64>::min();
    QTest::newRow("2^64 + 1 wraps to 1") << "18446744073709551617" << qint64(1);
    QTest::newRow("letters") << "x1" << qint64(0);
}

void TestNumberText::textToLongInteger()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(TextToLongInteger(text), value);
}

void TestNumberText::realToInteger_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint32>("integer");

    QTest::newRow("2.9") << 2.9 << 2;
    QTest::newRow("-2.9") << -2.9 << -2;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("just below 2^31") << 2147483647.9 << 2147483647;
    QTest::newRow("2^31 saturates") << 2147483648.0 << 2147483647;
    QTest::newRow("3e9 saturates") << 3e9 << 2147483647;
    QTest::newRow("just above -2^31 - 1") << -2147483648.9 << std::numeric_limits<qint32>::min();
    QTest::newRow("-3e9 saturates") << -3e9 << std::numeric_limits<qint32>::min();
    QTest::newRow("infinity") << infinity << 2147483647;
    QTest::newRow("-infinity") << -infinity << std::numeric_limits<qint32>::min();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestNumberText::realToInteger()
{
    QFETCH(double, value);
    QFETCH(qint32, integer);
    QCOMPARE(TextToInteger(value), integer);
}

void TestNumberText::integerPart_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint32>("integer");

    QTest::newRow("7.9") << 7.9 << 7;
    QTest::newRow("-7.9") << -7.9 << -7;
    QTest::newRow("2.9999999999995") << 2.9999999999995 << 3;
    QTest::newRow("-2.9999999999995") << -2.9999999999995 << -3;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("1e-13") << 1e-13 << 0;
    QTest::newRow("0.9999999999995") << 0.9999999999995 << 1;
    QTest::newRow("0.99999999999") << 0.99999999999 << 0;
    QTest::newRow("whole") << 5.0 << 5;
    QTest::newRow("saturates") << 1e10 << 2147483647;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestNumberText::integerPart()
{
    QFETCH(double, value);
    QFETCH(qint32, integer);
    QCOMPARE(IntegerPart(value), integer);
}

void TestNumberText::roundTo_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<double>("rounded");

    QTest::newRow("2.675 to 2") << 2.675 << 2 << 2.68;
    QTest::newRow("-2.5 to 0") << -2.5 << 0 << -3.0;
    QTest::newRow("1234 to -2") << 1234.0 << -2 << 1200.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0 << 1.0;
    QTest::newRow("-0.5 to 0") << -0.5 << 0 << -1.0;
    QTest::newRow("1.005 to 2") << 1.005 << 2 << 1.01;
    QTest::newRow("0.125 to 2") << 0.125 << 2 << 0.13;
    QTest::newRow("1.4 to 0") << 1.4 << 0 << 1.0;
    QTest::newRow("bias lifts 1.4999999999999") << 1.4999999999999 << 0 << 2.0;
    QTest::newRow("bias too small for 1.499999999998") << 1.499999999998 << 0 << 1.0;
    QTest::newRow("1250 to -2") << 1250.0 << -2 << 1300.0;
    QTest::newRow("-1250 to -2") << -1250.0 << -2 << -1300.0;
    QTest::newRow("1249.9 to -2") << 1249.9 << -2 << 1200.0;
    QTest::newRow("49 to -2") << 49.0 << -2 << 0.0;
    QTest::newRow("-0.4 to 0 keeps the sign") << -0.4 << 0 << -0.0;
    QTest::newRow("zero") << 0.0 << 3 << 0.0;
    QTest::newRow("negative zero") << -0.0 << 3 << -0.0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 2
                         << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << infinity << 2 << infinity;
    QTest::newRow("-infinity") << -infinity << -2 << -infinity;
    QTest::newRow("many places change nothing") << 1.5 << 400 << 1.5;
    QTest::newRow("far left of the number") << 123.0 << -400 << 0.0;
    QTest::newRow("beyond the precision") << 123456789012345.67 << 5 << 123456789012345.67;
    QTest::newRow("3.14159 to 3") << 3.14159 << 3 << 3.142;
}

void TestNumberText::roundTo()
{
    QFETCH(double, value);
    QFETCH(int, places);
    QFETCH(double, rounded);
    const double actual = RoundTo(value, places);
    QVERIFY2(Identical(actual, rounded), Describe(actual, rounded));
}

void TestNumberText::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("hasPlaces");
    QTest::addColumn<int>("places");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<QString>("text");

    QTest::newRow("1234567.5, 2, thousands") << 1234567.5 << true << 2 << true << "1,234,567.50";
    QTest::newRow("3, 2") << 3.0 << true << 2 << false << "3.00";
    QTest::newRow("no places") << 1.23456 << false << 0 << false << "1.23456";
    QTest::newRow("rounded to 2") << 2.675 << true << 2 << false << "2.68";
    QTest::newRow("longer fraction kept") << 1.23456 << true << 2 << false << "1.23";
    QTest::newRow("0.1 to 3") << 0.1 << true << 3 << false << "0.100";
    QTest::newRow("0 places") << 5.4 << true << 0 << false << "5";
    QTest::newRow("negative places") << 1234.5678 << true << -2 << true << "1,200";
    QTest::newRow("thousands only") << 1234.5 << false << 0 << true << "1,234.5";
    QTest::newRow("negative grouped") << -1234567.0 << false << 0 << true << "-1,234,567";
    QTest::newRow("three digits") << 123.0 << false << 0 << true << "123";
    QTest::newRow("-123456") << -123456.0 << false << 0 << true << "-123,456";
    QTest::newRow("thousands and 3 places") << 1234.5 << true << 3 << true << "1,234.500";
    QTest::newRow("exponent form not grouped") << 1e21 << false << 0 << true << "1e+021";
    QTest::newRow("exponent form not padded") << 1e21 << true << 2 << false << "1e+021";
    QTest::newRow("infinity as is") << infinity << true << 2 << true << "1.#INF";
    QTest::newRow("tiny rounds to zero") << 0.001 << true << 2 << false << "0.00";
}

void TestNumberText::formatNumber()
{
    QFETCH(double, value);
    QFETCH(bool, hasPlaces);
    QFETCH(int, places);
    QFETCH(bool, thousands);
    QFETCH(QString, text);
    const std::optional<int> optionalPlaces = hasPlaces ? std::optional<int>(places) : std::nullopt;
    QCOMPARE(FormatNumber(value, optionalPlaces, thousands), text);
}

void TestNumberText::toHalfWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");

    QTest::newRow("expression") << "（１＋２）×３÷４"
                                << "(1+2)×3÷4";
    QTest::newRow("yuan sign") << "￥"
                               << "$";
    QTest::newRow("macron") << "￣"
                            << "~";
    QTest::newRow("wave dash") << "～"
                               << "~";
    QTest::newRow("ideographic space") << "　"
                                       << " ";
    QTest::newRow("stars") << "☆★"
                           << "**";
    QTest::newRow("letters") << "ＡＢｃ"
                             << "ABc";
    QTest::newRow("quotes and backslash") << "＂＇＼｀"
                                          << "\"'\\`";
    QTest::newRow("full-width dollar is not in that row") << "＄"
                                                          << "＄";
    QTest::newRow("full-width comma, ideographic full stop") << "中文，。"
                                                             << "中文,。";
    QTest::newRow("ASCII") << "abc 1+2"
                           << "abc 1+2";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("outside GBK") << "😀é"
                                 << "😀é";
}

void TestNumberText::toHalfWidth()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(ToHalfWidth(text), folded);
}

// Unicode's full-width forms U+FF01..U+FF5E mirror ASCII; GBK's 0xA3 row holds all of them
// except "＄" (elsewhere in GBK; the row has "￥" instead) and "～" (folded separately).
void TestNumberText::fullWidthAsciiFormsFold()
{
    for (char16_t wide = 0xFF01; wide <= 0xFF5E; ++wide) {
        const QString text(QChar{wide});
        const QString expected = wide == 0xFF04 ? text : QString(QChar(wide - 0xFEE0));
        QCOMPARE(ToHalfWidth(text), expected);
    }
}

void TestNumberText::nearlyEqual_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("0.1 + 0.2, 0.3") << 0.1 + 0.2 << 0.3 << true;
    QTest::newRow("exactly 1e-7 apart") << 0.0 << 1e-7 << true;
    QTest::newRow("1.1e-7 apart") << 0.0 << 1.1e-7 << false;
    QTest::newRow("1, 1.00000001") << 1.0 << 1.00000001 << true;
    QTest::newRow("1, 1.000001") << 1.0 << 1.000001 << false;
    QTest::newRow("negative") << -5.0 << -5.00000005 << true;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0 << false;
}

void TestNumberText::nearlyEqual()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(bool, equal);
    QCOMPARE(NearlyEqual(a, b), equal);
    QCOMPARE(NearlyEqual(b, a), equal);
}

void TestNumberText::nearlyZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("zero");

    QTest::newRow("0") << 0.0 << true;
    QTest::newRow("1e-7") << 1e-7 << true;
    QTest::newRow("-1e-7") << -1e-7 << true;
    QTest::newRow("1.01e-7") << 1.01e-7 << false;
    QTest::newRow("-1") << -1.0 << false;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
}

void TestNumberText::nearlyZero()
{
    QFETCH(double, value);
    QFETCH(bool, zero);
    QCOMPARE(NearlyZero(value), zero);
}

void TestNumberText::booleanToText()
{
    QCOMPARE(BooleanToText(true), QStringLiteral("真"));
    QCOMPARE(BooleanToText(false), QStringLiteral("假"));
}

void TestNumberText::remainder_data()
{
    QTest::addColumn<double>("dividend");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<double>("remainder");

    QTest::newRow("7 % 3") << 7.0 << 3.0 << 1.0;
    QTest::newRow("-7 % 3") << -7.0 << 3.0 << -1.0;
    QTest::newRow("7 % -3") << 7.0 << -3.0 << 1.0;
    QTest::newRow("5.5 % 2") << 5.5 << 2.0 << 1.5;
    QTest::newRow("0 % 4") << 0.0 << 4.0 << 0.0;
    QTest::newRow("-6 % 3 keeps the sign") << -6.0 << 3.0 << -0.0;
}

void TestNumberText::remainder()
{
    QFETCH(double, dividend);
    QFETCH(double, divisor);
    QFETCH(double, remainder);
    const double actual = Remainder(dividend, divisor);
    QVERIFY2(Identical(actual, remainder), Describe(actual, remainder));
}

void TestNumberText::remainderByZero_data()
{
    QTest::addColumn<double>("divisor");

    QTest::newRow("0") << 0.0;
    QTest::newRow("-0") << -0.0;
}

void TestNumberText::remainderByZero()
{
    QFETCH(double, divisor);
    QVERIFY_THROWS_EXCEPTION(RemainderByZero, Remainder(5.0, divisor));
    try {
        Remainder(5.0, divisor);
        QFAIL("no exception");
    } catch (const std::domain_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("不能求余数于零"));
        const auto *byZero = dynamic_cast<const RemainderByZero *>(&error);
        QVERIFY(byZero);
        QCOMPARE(byZero->message(), QStringLiteral("不能求余数于零"));
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
