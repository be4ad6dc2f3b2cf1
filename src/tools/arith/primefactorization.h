#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Arith {

// What "分解质因数" shows for the typed text: the number (read as a real and truncated toward
// zero) as its prime factors in ascending order joined by "*", such as "2*2*3" for 12; a
// number below 2 unchanged ("1", "0", "-12"). A number outside the 32-bit range, which the
// window cannot hold, is refused with OutOfRangeMessage.
Eval::Outcome<QString> FactorizePrimes(const QString &text);

} // namespace Arith
