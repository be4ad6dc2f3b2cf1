#pragma once

#include "eval/outcome.h"

#include <QString>

#include <optional>
#include <vector>

namespace Arith {

// Whole-number helpers of the arithmetic tools: the numbers their windows hold are 32-bit
// signed integers, and every divisor search is trial division up to the square root.

// The message for a number outside what the window holds, worded as the fraction window's.
inline const QString OutOfRangeMessage
        = QStringLiteral("请输入-2147483648至2147483647之间的整数！");

// What a box that holds a whole number says of any other text.
inline const QString WholeNumberMessage = QStringLiteral("请输入整数");

// A whole number as typed: empty, blank or a lone sign is 0; any number whose value is whole
// ("12", "-3", "1e3", "12.0", "6/2", full-width digits); refused with WholeNumberMessage for
// every other text (never its leading digits) and with OutOfRangeMessage outside 32 bits; a
// number still being typed ("1e", "1/") is refused silently, with an empty text.
Eval::Outcome<qint32> ReadWholeNumber(const QString &text);

// The prime factors of n with their multiplicity, ascending; none for n < 2.
std::vector<quint32> PrimeFactors(quint32 n);

// Every divisor of n (1 and n included), ascending; none for 0.
std::vector<quint32> Divisors(quint32 n);

} // namespace Arith
