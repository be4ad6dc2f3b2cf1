#pragma once

#include <QString>

namespace Eval {

// Exact rational arithmetic on the engine's notation (the text PrepareExpression gives):
// decimal literals, + - * /, parentheses, unary signs and Math.pow with a whole exponent. Any
// other text is not exact arithmetic. The work is bounded whatever the text: nesting deeper
// than MaxNestingDepth (nestinglimit.h), each parenthesis and sign a level, is refused, and a
// literal or power whose value would be far too long is never built.

// Longest numerator or denominator of a value that is shown, in decimal digits.
inline constexpr int MaxExactDigits = 10000;
// Repeating digits written out before the decimal is cut with "…".
inline constexpr int MaxRepeatingDigits = 100;

enum class ExactKind {
    NotExact, // not exact arithmetic, or undefined (a division by zero)
    TooLong, // a numerator or denominator beyond MaxExactDigits
    Value,
};

struct ExactValue
{
    ExactKind kind = ExactKind::NotExact;
    QString fraction; // reduced, sign in front: "7/6", "-1/2"; a whole number alone: "14"
    QString mixed; // an improper fraction as a mixed number: "1又1/6"; else empty
    QString decimal; // "1.1(6)", "0.(142857)", "0.5"; empty for a whole number
};

// The exact value of a prepared expression ("Math.pow(2,-3)+1/3").
ExactValue EvaluateExactly(const QString &prepared);

} // namespace Eval
