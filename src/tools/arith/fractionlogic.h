#pragma once

#include "eval/outcome.h"
#include "tools/arith/divisors.h"

#include <QString>

#include <optional>

namespace Arith {

// Two fractions of 32-bit integers added, subtracted, multiplied or divided, the result
// reduced to lowest terms. All arithmetic is exact: no term is ever rounded.

// In the order the operator box lists them.
enum class FractionOperator { Add, Subtract, Multiply, Divide };

struct FractionResult
{
    QString text; // "5\r\n6" (numerator, denominator) or "2"; never signed, all digits
    bool fraction = false; // the result has a denominator other than 1
    bool negative = false; // the result is below zero
    bool operator==(const FractionResult &other) const
    {
        return text == other.text && fraction == other.fraction && negative == other.negative;
    }
};

// p1/q1 op p2/q2 in lowest terms; the sign comes from the signs of the terms, so any value
// below zero is negative however small. Refused, with nothing to show, when a denominator is
// 0, including the one a division by 0/q2 produces.
Eval::Outcome<FractionResult> CalculateFraction(qint32 p1, qint32 q1, FractionOperator op,
                                                qint32 p2, qint32 q2);

// The four boxes as typed.
struct FractionTexts
{
    QString p1, q1, p2, q2;
};

// What a change of any input leads to: the result of the terms as typed, each read by
// ReadWholeNumber (empty is 0; "1.5" and "2abc" are refused, never cut to their leading
// digits), empty where a denominator is 0.
Eval::Outcome<FractionResult> UpdateFraction(const FractionTexts &texts, FractionOperator op);

} // namespace Arith
