#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace Arith {

// Whole-number helpers of the arithmetic tools: the numbers their windows hold are 32-bit
// signed integers, and every divisor search is trial division up to the square root.

// The message for a number outside what the window holds, worded as the fraction window's.
inline const QString OutOfRangeMessage
        = QStringLiteral("请输入-2147483648至2147483647之间的整数！");

// The value truncated toward zero, or nothing when that lies outside the 32-bit range
// (infinities and NaN included).
std::optional<qint32> TruncatedToInteger(double value);

// The prime factors of n with their multiplicity, ascending; none for n < 2.
std::vector<quint32> PrimeFactors(quint32 n);

// Every divisor of n (1 and n included), ascending; none for 0.
std::vector<quint32> Divisors(quint32 n);

} // namespace Arith
