#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Arith {

// The operations of "大数运算", in the order of its radio boxes.
enum class BigNumberOperation { Product, Quotient, Sum, Difference, Remainder, Comparison };

inline const QString FirstIsLargerText = QStringLiteral("第一个数大");
inline const QString BothAreEqualText = QStringLiteral("两个数一样大");
inline const QString SecondIsLargerText = QStringLiteral("第二个数大");

// The exact result of `operation` on two integer literals (sign, then 0x / 0b / leading-0
// octal prefixes, digits up to the first non-digit) as decimal text, or one of the comparison
// texts. The quotient is truncated toward zero, the remainder has the sign of the divisor.
// Refused, with nothing to show, for an empty input, a lone sign, a zero divisor, and a text
// with a line break, a double quote or a backslash.
Eval::Outcome<QString> CalculateBigNumbers(const QString &first, const QString &second,
                                           BigNumberOperation operation);

} // namespace Arith
