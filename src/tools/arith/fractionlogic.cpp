#include "tools/arith/fractionlogic.h"

#include "tools/arith/divisors.h"

#include <cmath>
#include <limits>

using namespace Eval;

namespace Arith {

namespace {

// Products of two 32-bit terms fit 64 bits, but a sum of two can reach 2^63.
using Wide = __int128;

quint64 Magnitude(Wide value)
{
    return quint64(value < 0 ? -value : value);
}

quint64 GreatestCommonDivisor(quint64 a, quint64 b)
{
    while (b != 0) {
        const quint64 rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

} // namespace

Outcome<FractionResult> CalculateFraction(qint32 p1, qint32 q1, FractionOperator op, qint32 p2,
                                          qint32 q2)
{
    if (q1 == 0 || q2 == 0)
        return Refuse(QString());
    Wide numerator = 0;
    Wide denominator = Wide(q1) * q2;
    switch (op) {
    case FractionOperator::Add:
        numerator = Wide(p1) * q2 + Wide(p2) * q1;
        break;
    case FractionOperator::Subtract:
        numerator = Wide(p1) * q2 - Wide(p2) * q1;
        break;
    case FractionOperator::Multiply:
        numerator = Wide(p1) * p2;
        break;
    case FractionOperator::Divide:
        numerator = Wide(p1) * q2;
        denominator = Wide(q1) * p2;
        break;
    }
    if (denominator == 0)
        return Refuse(QString());

    FractionResult result;
    result.negative = numerator != 0 && (numerator < 0) != (denominator < 0);
    const quint64 top = Magnitude(numerator);
    const quint64 bottom = Magnitude(denominator);
    const quint64 common = GreatestCommonDivisor(top, bottom);
    result.fraction = bottom / common != 1;
    result.text = QString::number(top / common);
    if (result.fraction)
        result.text += QStringLiteral("\r\n") + QString::number(bottom / common);
    return result;
}

Outcome<FractionResult> UpdateFraction(const FractionTexts &texts, FractionOperator op)
{
    const Outcome<qint32> terms[] = {ReadWholeNumber(texts.p1), ReadWholeNumber(texts.q1),
                                     ReadWholeNumber(texts.p2), ReadWholeNumber(texts.q2)};
    for (const Outcome<qint32> &term : terms) {
        if (!term)
            return Refuse(term.refusal());
    }
    const auto &[p1, q1, p2, q2] = terms;
    return CalculateFraction(*p1, *q1, op, *p2, *q2).value_or(FractionResult());
}

} // namespace Arith
