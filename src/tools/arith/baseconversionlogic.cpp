#include "tools/arith/baseconversionlogic.h"

#include "eval/bigint.h"
#include "eval/halfwidth.h"

#include <algorithm>

using namespace Eval;

namespace Arith {

namespace {

QString Normalise(const QString &text)
{
    QString folded = ToHalfWidth(text);
    for (QChar &character : folded) {
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - u'a' + u'A');
    }
    return folded;
}

// Upper-case digits only: the text is normalised first.
bool IsDigitOf(QChar character, int base)
{
    const char16_t c = character.unicode();
    const int value = c >= u'0' && c <= u'9' ? c - u'0'
            : c >= u'A' && c <= u'Z'         ? c - u'A' + 10
                                             : LargestBase;
    return value < base;
}

bool IsNumberOf(const QString &digits, int base)
{
    return std::all_of(digits.cbegin(), digits.cend(),
                       [base](QChar character) { return IsDigitOf(character, base); });
}

bool IsBase(int base)
{
    return base >= SmallestBase && base <= LargestBase;
}

} // namespace

int BaseAt(int index)
{
    return SmallestBase + index;
}

Outcome<QString> ConvertBase(const QString &text, int fromBase, int toBase)
{
    if (!IsBase(fromBase) || !IsBase(toBase))
        return Refuse(QString());
    const QString digits = Normalise(text);
    if (!IsNumberOf(digits, fromBase)) {
        return Refuse(QStringLiteral("参数错误-") + digits + QStringLiteral("不是一个有效的")
                      + SpellInChineseNumerals(fromBase) + QStringLiteral("进制数！"));
    }
    if (fromBase == toBase)
        return digits;
    if (digits.isEmpty())
        return QStringLiteral("0");
    return BigInteger::FromDigits(digits, fromBase).value_or(BigInteger()).ToText(toBase);
}

QString SpellInChineseNumerals(int number)
{
    if (number < 1 || number > 99)
        return QString();
    static const QString digitNames = QStringLiteral("零一二三四五六七八九");
    const int tens = number / 10;
    const int units = number % 10;
    QString spelled;
    if (tens > 0)
        spelled += digitNames.at(tens) + QStringLiteral("十");
    if (units > 0)
        spelled += digitNames.at(units);
    return spelled;
}

} // namespace Arith
