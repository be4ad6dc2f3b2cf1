#pragma once

#include "eval/outcome.h"

#include <QString>

#include <optional>

namespace Functions {

// Solving a x + b y = c in integers, worked as a student writes it: the division chain of the
// Euclidean algorithm, the greatest common divisor d, back-substitution, the particular
// solution scaled by c ÷ d, the general solution and the non-negative solutions. Every value
// is exact: the inputs are 64-bit, everything computed from them is a BigInteger.

// Non-negative solutions listed at most; the count is always given in full.
constexpr int NonNegativeListLimit = 1000;

// What the window shows, with "\r\n" line breaks.
struct DiophantineTexts
{
    QString steps; // from the equation to the general formula, or the one range line
    QString general; // "x = 4 + 11t\r\ny = -5 - 14t\r\n（t为任意整数）" or "无整数解"
    QString nonNegativeCount; // "共2组", "没有非负整数解", "有无穷多组（a、b异号）", …
    QString nonNegativeList; // "x = 4，y = 2" lines, and a last line "……" when there are more
};

// The line shown in place of the steps when an input does not fit in 64 bits.
QString OutOfRangeText();

// An integer as an input box holds it: blanks around it, full-width digits and signs are
// allowed, then an optional sign and decimal digits. None for anything else (the empty text, a
// lone "-", "1.5"); refused with OutOfRangeText() for such digits beyond the 64-bit range.
Eval::Outcome<std::optional<qint64>> ReadIntegerInput(const QString &text);

// Refused with the range line while an input is out of range; else all texts empty while one
// is missing.
Eval::Outcome<DiophantineTexts> SolveLinearDiophantine(const QString &a, const QString &b,
                                                       const QString &c);

} // namespace Functions
