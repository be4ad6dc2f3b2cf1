#include "numbertext.h"

#include "asciitext.h"
#include "gbktext.h"

#include <QHash>
#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

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

bool IsSpace(char16_t unit)
{
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool IsAscii(const QString &text)
{
    for (QChar unit : text) {
        if (unit.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Most texts read as numbers are plain ASCII; only the others pay for the folding.
QString HalfWidthForReading(const QString &text)
{
    return IsAscii(text) ? text : ToHalfWidth(text);
}

qsizetype SkipSpaces(QStringView text, qsizetype index)
{
    while (index < text.size() && IsSpace(text.at(index).unicode()))
        ++index;
    return index;
}

qsizetype SkipDigits(QStringView text, qsizetype index)
{
    while (index < text.size() && IsAsciiDigit(text.at(index)))
        ++index;
    return index;
}

using NumberPiece = QVarLengthArray<char, 64>;

// The longest leading [sign] digits [. digits] [exponent] piece, exponent marker as "e";
// empty when there is none.
NumberPiece LeadingNumber(QStringView text)
{
    NumberPiece piece;
    qsizetype index = SkipSpaces(text, 0);
    const qsizetype start = index;
    if (index < text.size() && (text.at(index) == u'+' || text.at(index) == u'-'))
        ++index;
    const qsizetype integerEnd = SkipDigits(text, index);
    qsizetype end = integerEnd;
    if (end < text.size() && text.at(end) == u'.')
        end = SkipDigits(text, end + 1);
    if (integerEnd == index && end - integerEnd < 2)
        return piece;
    qsizetype mantissaEnd = end;
    if (end < text.size() && QStringView(u"eEdD").contains(text.at(end))) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text.at(exponent) == u'+' || text.at(exponent) == u'-'))
            ++exponent;
        const qsizetype exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    for (qsizetype i = start; i < end; ++i)
        piece.append(i == mantissaEnd ? 'e' : char(text.at(i).unicode()));
    piece.append('\0');
    return piece;
}

// Optional sign and the longest run of digits, accumulated modulo 2^bits.
template<typename Unsigned>
Unsigned LeadingInteger(const QString &text)
{
    const QString folded = HalfWidthForReading(text);
    const QStringView view(folded);
    qsizetype index = SkipSpaces(view, 0);
    bool negative = false;
    if (index < view.size() && (view.at(index) == u'+' || view.at(index) == u'-'))
        negative = view.at(index++) == u'-';
    Unsigned value = 0;
    for (; index < view.size() && IsAsciiDigit(view.at(index)); ++index)
        value = value * 10u + Unsigned(view.at(index).unicode() - u'0');
    return negative ? Unsigned(0) - value : value;
}

const QHash<char16_t, char16_t> &HalfWidthTable()
{
    static const QHash<char16_t, char16_t> table = [] {
        QHash<char16_t, char16_t> folds;
        auto add = [&folds](uchar lead, uchar trail, char16_t halfWidth) {
            const QString wide = FromGbk(QByteArray(1, char(lead)) + char(trail));
            if (wide.size() == 1)
                folds.insert(wide.front().unicode(), halfWidth);
        };
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            add(0xA3, uchar(trail), char16_t(trail - 0x80));
        add(0xA1, 0xA1, u' ');
        add(0xA1, 0xAB, u'~');
        add(0xA1, 0xEE, u'*');
        add(0xA1, 0xEF, u'*');
        return folds;
    }();
    return table;
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

double TextToNumber(const QString &text)
{
    const NumberPiece piece = LeadingNumber(HalfWidthForReading(text));
    if (piece.isEmpty())
        return 0;
    // strtod_l rounds correctly and turns overflow into a signed infinity.
    return strtod_l(piece.constData(), nullptr, CLocale());
}

qint32 TextToInteger(const QString &text)
{
    return qint32(LeadingInteger<quint32>(text));
}

qint64 TextToLongInteger(const QString &text)
{
    return qint64(LeadingInteger<quint64>(text));
}

// Out-of-range values saturate and NaN gives 0, so no conversion is undefined.
qint32 TextToInteger(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<qint32>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

qint32 IntegerPart(double value)
{
    double whole = std::trunc(value);
    if (std::fabs(value - whole) > 0.999999999999)
        whole += value > 0 ? 1 : -1;
    return TextToInteger(whole);
}

double RoundTo(double value, int places)
{
    if (value == 0 || std::isnan(value))
        return value;
    const double scale = std::pow(10.0, std::fabs(double(places)));
    const double scaled = places >= 0 ? std::fabs(value) * scale : std::fabs(value) / scale;
    // Beyond 2^52 there is no fraction left to round (this also keeps infinities).
    if (!(scaled < 0x1p52))
        return value;
    double whole;
    const double fraction = std::modf(scaled + 1e-12, &whole);
    if (fraction >= 0.5)
        whole += 1;
    const double rounded = places >= 0 ? whole / scale : (whole == 0 ? 0.0 : whole * scale);
    return std::copysign(rounded, value);
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

QString ToHalfWidth(const QString &text)
{
    const QHash<char16_t, char16_t> &table = HalfWidthTable();
    QString folded = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0x80) {
            const auto fold = table.constFind(unit);
            if (fold != table.constEnd())
                folded[i] = QChar(*fold);
        }
    }
    return folded;
}

bool NearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= 1e-7;
}

bool NearlyZero(double a)
{
    return std::fabs(a) <= 1e-7;
}

QString BooleanToText(bool value)
{
    return value ? QStringLiteral("真") : QStringLiteral("假");
}

RemainderByZero::RemainderByZero()
    : std::domain_error("不能求余数于零")
{ }

QString RemainderByZero::message() const
{
    return QString::fromUtf8(what());
}

double Remainder(double dividend, double divisor)
{
    if (divisor == 0)
        throw RemainderByZero();
    return std::fmod(dividend, divisor);
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
