#include "numberreading.h"

#include "asciitext.h"
#include "halfwidth.h"

#include <QVarLengthArray>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace Eval {

namespace {

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

} // namespace

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

} // namespace Eval
