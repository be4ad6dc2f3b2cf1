#include "tools/arith/bignumberlogic.h"

#include "eval/bigint.h"

using namespace Eval;

namespace Arith {

namespace {

// Texts that the tool has always refused as a whole rather than read up to the odd character.
bool IsRefused(const QString &text)
{
    for (const QChar character : text) {
        switch (character.unicode()) {
        case u'\n':
        case u'\r':
        case u'\u2028':
        case u'\u2029':
        case u'"':
        case u'\\':
            return true;
        default:
            break;
        }
    }
    return false;
}

std::optional<BigInteger> ReadOperand(const QString &text)
{
    if (IsRefused(text))
        return std::nullopt;
    return BigInteger::ParseLiteral(text);
}

QString ComparisonText(int order)
{
    if (order > 0)
        return FirstIsLargerText;
    return order < 0 ? SecondIsLargerText : BothAreEqualText;
}

Outcome<QString> TextOf(const std::optional<BigInteger> &value)
{
    if (!value)
        return Refuse(QString());
    return value->ToText();
}

} // namespace

Outcome<QString> CalculateBigNumbers(const QString &first, const QString &second,
                                     BigNumberOperation operation)
{
    const std::optional<BigInteger> a = ReadOperand(first);
    const std::optional<BigInteger> b = ReadOperand(second);
    if (!a || !b)
        return Refuse(QString());
    switch (operation) {
    case BigNumberOperation::Product:
        return a->Multiply(*b).ToText();
    case BigNumberOperation::Quotient:
        return TextOf(a->Quotient(*b));
    case BigNumberOperation::Sum:
        return a->Add(*b).ToText();
    case BigNumberOperation::Difference:
        return a->Subtract(*b).ToText();
    case BigNumberOperation::Remainder:
        return TextOf(a->Remainder(*b));
    case BigNumberOperation::Comparison:
        return ComparisonText(a->Compare(*b));
    }
    return Refuse(QString());
}

} // namespace Arith
