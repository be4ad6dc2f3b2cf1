#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Arith {

// What "分解质因数" shows for the typed text: the whole number (ReadWholeNumber: empty is 0,
// "3.6" or "12abc" refused) as its prime factors in ascending order joined by "*", such as
// "2*2*3" for 12; a number below 2 unchanged ("1", "0", "-12").
Eval::Outcome<QString> FactorizePrimes(const QString &text);

} // namespace Arith
