#pragma once

#include <QString>

namespace Eval {

// How text becomes a number, once for the whole program: full-width forms read as their
// half-width twins, and what follows the leading number is ignored.

// Leading number of the (half-width folded) text; 0 when there is none.
double TextToNumber(const QString &text);
// Optional sign and decimal digits, accumulated in 32 bits without overflow check.
qint32 TextToInteger(const QString &text);
// The same for 64-bit integers.
qint64 TextToLongInteger(const QString &text);
// Truncation toward zero; values outside the 32-bit range saturate.
qint32 TextToInteger(double value);

} // namespace Eval
