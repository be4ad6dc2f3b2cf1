#include "numberformat.h"

#include "asciitext.h"
#include "numberreading.h"
#include "rounding.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Eval {

namespace {

template<typename Bits, typename Float>
Bits BitsOf(Float value)
{
    static_assert(sizeof(Bits) == sizeof(Float));
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The invalid-operation NaN is the payload-free quiet NaN. The hardware gives it the sign bit
// (0/0, sqrt(-1)), but libm returns it positive from some functions (acos(2), log10(-1)), so
// either sign shows as "-1.#IND". A NaN carrying a payload keeps its sign and kind.
template<typename Bits>
QString NanText(Bits bits, int mantissaBits)
{
    const Bits signBit = Bits(1) << (sizeof(Bits) * 8 - 1);
    const Bits quietBit = Bits(1) << (mantissaBits - 1);
    const Bits payload = bits & (quietBit - 1);
    const bool quiet = bits & quietBit;
    if (quiet && payload == 0)
        return QStringLiteral("-1.#IND");
    const QString sign = (bits & signBit) ? QStringLiteral("-") : QString();
    return sign + (quiet ? QStringLiteral("1.#QNAN") : QStringLiteral("1.#SNAN"));
}

QString InfinityText(bool negative)
{
    return negative ? QStringLiteral("-1.#INF") : QStringLiteral("1.#INF");
}

// "%g" in the C locale (to_chars never looks at the process locale), with the exponent
// widened to three digits.
QString GeneralText(double value, int precision)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, precision);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype exponent = text.indexOf(QLatin1Char('e'));
    if (exponent >= 0) {
        const qsizetype digits = text.size() - exponent - 2;
        if (digits < 3)
            text.insert(exponent + 2, QString(3 - digits, QLatin1Char('0')));
    }
    return text;
}

using Wide = unsigned __int128;

constexpr std::uint64_t PowerOf(std::uint64_t base, int exponent)
{
    std::uint64_t power = 1;
    while (exponent-- > 0)
        power *= base;
    return power;
}

constexpr double ExactPowerOfTen(int exponent)
{
    double power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}

struct ScaledDigits
{
    std::uint64_t whole; // the scaled magnitude truncated
    std::uint64_t rounded; // and rounded half to even, as NumberToText's exact conversion does
};

ScaledDigits RoundHalfToEven(Wide whole, bool aboveHalf, bool exactlyHalf)
{
    const bool up = aboveHalf || (exactlyHalf && (whole & 1) != 0);
    return {std::uint64_t(whole), std::uint64_t(whole) + (up ? 1 : 0)};
}

// mantissa * 2^binaryExponent * 10^decimalShift, for |decimalShift| <= 22 and a result below
// 2^64. Only a shift below zero divides by anything but a power of two.
ScaledDigits ScaleByPowerOfTen(std::uint64_t mantissa, int binaryExponent, int decimalShift)
{
    const int twos = binaryExponent + decimalShift; // 10^k = 5^k * 2^k
    if (decimalShift >= 0) {
        const Wide scaled = Wide(mantissa) * PowerOf(5, decimalShift);
        if (twos >= 0)
            return {std::uint64_t(scaled << twos), std::uint64_t(scaled << twos)};
        const Wide half = Wide(1) << (-twos - 1);
        const Wide rest = scaled & ((half << 1) - 1);
        return RoundHalfToEven(scaled >> -twos, rest > half, rest == half);
    }
    Wide numerator = mantissa;
    Wide denominator = PowerOf(5, -decimalShift);
    if (twos >= 0)
        numerator <<= twos;
    else
        denominator <<= -twos;
    const Wide twiceRest = (numerator % denominator) * 2;
    return RoundHalfToEven(numerator / denominator, twiceRest > denominator,
                           twiceRest == denominator);
}

} // namespace

// Thirteen digits d with 10^12 <= d < 10^13 times 10^(e - 12) for the decimal exponent e of
// the value; exact integer arithmetic, then one correctly rounded operation on two exact
// doubles (which needs |e - 12| <= 22). Other magnitudes take the way through the text.
double ShownValue(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    const auto bits = BitsOf<std::uint64_t>(value);
    const int biasedExponent = int((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    int binaryExponent = 1 - 1075; // |value| = mantissa * 2^binaryExponent
    if (biasedExponent != 0) {
        mantissa |= std::uint64_t(1) << 52;
        binaryExponent = biasedExponent - 1075;
    }
    // 10^e <= |value| < 10^(e + 1). The estimate floor(log10(2) * (exponent of the leading
    // bit)) is at most one low; 78913 / 2^18 is log10(2) closely enough for these exponents.
    int decimalExponent = ((binaryExponent + 52) * 78913) >> 18;
    constexpr std::uint64_t Low = PowerOf(10, 12);
    constexpr std::uint64_t High = PowerOf(10, 13);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = 12 - decimalExponent;
        if (shift < -22 || shift > 22)
            break;
        const ScaledDigits digits = ScaleByPowerOfTen(mantissa, binaryExponent, shift);
        if (digits.whole < Low) {
            --decimalExponent;
            continue;
        }
        if (digits.whole >= High) {
            ++decimalExponent;
            continue;
        }
        const double rounded = shift >= 0 ? double(digits.rounded) / ExactPowerOfTen(shift)
                                          : double(digits.rounded) * ExactPowerOfTen(-shift);
        return std::copysign(rounded, value);
    }
    return TextToNumber(NumberToText(value));
}

QString NumberToText(double value)
{
    if (std::isnan(value))
        return NanText(BitsOf<std::uint64_t>(value), 52);
    if (std::isinf(value))
        return InfinityText(value < 0);
    return GeneralText(value, 13);
}

QString SingleToText(float value)
{
    if (std::isnan(value))
        return NanText(BitsOf<std::uint32_t>(value), 23);
    if (std::isinf(value))
        return InfinityText(value < 0);
    return GeneralText(value, 6);
}

namespace {

// Only a plain decimal text (no exponent, no special value) can be padded or grouped.
bool IsPlainDecimal(const QString &text)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (start == text.size())
        return false;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (!IsAsciiDigit(text.at(i)) && text.at(i) != u'.')
            return false;
    }
    return true;
}

void PadFraction(QString &text, int places)
{
    qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0) {
        point = text.size();
        text += QLatin1Char('.');
    }
    const qsizetype digits = text.size() - point - 1;
    if (digits < places)
        text += QString(places - digits, QLatin1Char('0'));
}

void GroupThousands(QString &text)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = text.size();
    for (qsizetype comma = point - 3; comma > start; comma -= 3)
        text.insert(comma, QLatin1Char(','));
}

} // namespace

// Exponent forms and special values are shown as they are: padding "1e+021" would make
// "1e+021.00", which no longer reads as the number.
QString FormatNumber(double value, std::optional<int> places, bool thousands)
{
    QString text = NumberToText(places ? RoundTo(value, *places) : value);
    if (!IsPlainDecimal(text))
        return text;
    if (places && *places > 0)
        PadFraction(text, *places);
    if (thousands)
        GroupThousands(text);
    return text;
}

namespace {

// Whether the digits after the thirteenth round the thirteenth up: above half, or exactly
// half with an odd digit before.
bool RoundsUp(const QString &significant, QStringView rest)
{
    if (rest.front() != u'5')
        return rest.front() > u'5';
    for (QChar digit : rest.mid(1)) {
        if (digit != u'0')
            return true;
    }
    return significant.back().digitValue() % 2 == 1;
}

} // namespace

QString WholeNumberToText(const QString &digits)
{
    const bool negative = digits.startsWith(QLatin1Char('-'));
    const QStringView magnitude = QStringView(digits).mid(negative ? 1 : 0);
    if (magnitude.size() <= 13)
        return digits;
    int exponent = int(magnitude.size()) - 1;
    QString significant = magnitude.left(13).toString();
    if (RoundsUp(significant, magnitude.mid(13))) {
        int i = 12;
        for (; i >= 0 && significant.at(i) == u'9'; --i)
            significant[i] = u'0';
        if (i >= 0) {
            significant[i] = QChar(significant.at(i).unicode() + 1);
        } else { // thirteen nines became 1 followed by zeros
            significant.prepend(QLatin1Char('1'));
            ++exponent;
        }
    }
    while (significant.endsWith(QLatin1Char('0')))
        significant.chop(1);
    QString text = negative ? QStringLiteral("-") : QString();
    text += significant.front();
    if (significant.size() > 1)
        text += QLatin1Char('.') + significant.mid(1);
    return text + QStringLiteral("e+%1").arg(exponent, 3, 10, QLatin1Char('0'));
}

} // namespace Eval
