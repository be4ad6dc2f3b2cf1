#include "tools/arith/commondivisors.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rational.h"
#include "eval/remainder.h"
#include "tools/arith/divisors.h"

#include <cmath>
#include <numeric>

using namespace Eval;

namespace Arith {

Outcome<QStringList> CommonDivisorTexts(const QString &first, const QString &second)
{
    QStringList texts;
    // With a text empty, no list for the other number alone stands beside it.
    if (AnyEmpty({first, second}))
        return texts;
    const Outcome<qint32> a = ReadWholeNumber(first);
    const Outcome<qint32> b = ReadWholeNumber(second);
    if (!a || !b)
        return Refuse(!a ? a.refusal() : b.refusal());
    if (std::min(*a, *b) < 1)
        return texts;
    // The common divisors are exactly the divisors of the greatest one.
    for (quint32 divisor : Divisors(quint32(std::gcd(*a, *b))))
        texts.append(QString::number(divisor));
    return texts;
}

bool RaisesCount(const QString &countText)
{
    return TextToNumber(countText) < 2 - 1e-7;
}

int CountOf(const QString &countText)
{
    return TextToInteger(TextToNumber(countText));
}

// lcm(L, n) = L × n / gcd(L mod n, n). The remainder lies below n, so its digits read back
// as a 64-bit integer.
void CommonMultiple::Fold(quint64 number)
{
    const BigInteger divisor(static_cast<long>(number));
    const quint64 remainder
            = m_value.Remainder(divisor).value_or(BigInteger()).ToText().toULongLong();
    const quint64 factor = number / std::gcd(number, remainder);
    m_value = m_value.Multiply(BigInteger(static_cast<long>(factor)));
}

QString CommonMultiple::Text() const
{
    return WholeNumberToText(m_value.ToText());
}

// Numbers from 2^53 up are refused, as they were when they were read as doubles.
Outcome<DivisorMultipleRun::Step> DivisorMultipleRun::Accept(const QString &numberText)
{
    const Outcome<Rational> value = ReadRational(numberText);
    if (!value || !(*value >= Rational(1) && *value < Rational(1L << 53)))
        return Refuse(RefusedNumberMessage);
    if (!value->IsInteger())
        return Refuse(WholeNumberMessage);
    const auto number = quint64(value->ToDouble());
    ++m_index;
    m_divisor = m_index == 2 ? number : std::gcd(m_divisor, number);
    m_multiple.Fold(number);
    m_numbers.append(number);
    if (m_index <= m_count)
        return Step::Collected;
    ++m_index;
    return Step::Finished;
}

} // namespace Arith
