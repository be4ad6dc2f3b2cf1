#include "tools/applied/ppilogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <cmath>

using namespace Eval;

namespace Applied {

namespace {

constexpr int ShownCharacters = 8;

} // namespace

qint32 ReadPixels(const QString &text)
{
    return TextToInteger(TextToNumber(text));
}

double ComputePpi(qint32 x, qint32 y, double inches)
{
    // In doubles: the squares of large resolutions overflow 32-bit integers.
    const double dx = x;
    const double dy = y;
    return std::sqrt(dx * dx + dy * dy) / inches;
}

QString PpiText(double ppi)
{
    const QString text = NumberToText(ppi);
    const qsizetype exponentAt = text.indexOf(u'e');
    if (exponentAt < 0)
        return text.left(ShownCharacters);
    const QString exponent = text.mid(exponentAt);
    QString mantissa
            = text.left(qBound<qsizetype>(1, ShownCharacters - exponent.size(), exponentAt));
    if (mantissa.endsWith(u'.'))
        mantissa.chop(1);
    return mantissa + exponent;
}

Outcome<QString> PpiFor(const QString &width, const QString &height, const QString &diagonal)
{
    if (AnyEmpty({width, height, diagonal}))
        return Refuse(QString());
    return PpiText(ComputePpi(ReadPixels(width), ReadPixels(height), TextToNumber(diagonal)));
}

} // namespace Applied
