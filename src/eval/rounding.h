#pragma once

#include <QtGlobal>

namespace Eval {

// How reals become whole numbers or keep fewer decimals.

// Truncation toward zero, except that a fraction beyond 0.999999999999 counts as whole.
qint32 IntegerPart(double value);

// Round half away from zero at the n-th decimal place (n < 0 rounds to tens, hundreds, …).
double RoundTo(double value, int places = 0);

} // namespace Eval
