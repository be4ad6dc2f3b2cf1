#pragma once

#include "tools/arith/fractionlogic.h"
#include "ui/working.h"

#include <QList>
#include <QString>

namespace Arith {

// The working of the number tools, as the textbooks teach it. Each is empty where the window
// shows no result to work towards.

// "分解质因数": the short division of the typed number (read as the window reads it) down to
// its last prime, then "360=2×2×2×3×3×5" and "=2³×3²×5"; for a negative number first
// "负数先取绝对值：-360=-(2³×3²×5)" and the working of its absolute value; for 0 and ±1 the
// line that says why there is nothing to factorize. Empty for a refused text.
Ui::Working PrimeFactorizationWorking(const QString &text);

// "公因倍数最值": the short division of the numbers (each from 1 up) by the primes common to all
// of them, then by those common to any two, bringing the others down, until the quotients are
// pairwise coprime; "最大公因数=…" and "最小公倍数=…"; then Euclid's algorithm, for more than
// two numbers as gcd(gcd(a, b), c) …, each pair named. The first `commonRows` divisions of the
// ladder are those by the primes common to all.
Ui::Working DivisorMultipleWorking(const QList<quint64> &numbers);
Ui::ShortDivision CommonDivisionLadder(const QList<quint64> &numbers, int *commonRows = nullptr);

// "进制转换": division by the base with the remainders (from base 10), the weighted expansion
// (to base 10), or both through base 10. Empty where the bases are equal or the text is no
// number of its base; for a text of more than MaxWorkingDigits characters one line says why it
// is not shown.
constexpr int MaxWorkingDigits = 64;
Ui::Working BaseConversionWorking(const QString &text, int fromBase, int toBase);

// "简单分数计算": the common denominator and the expanded numerators (or the products), the
// raw result, its reduction by the greatest common divisor and the mixed number. Empty where
// the window computes nothing.
Ui::Working FractionWorking(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2);
// The same for the terms as typed, each read as the window reads it.
Ui::Working FractionWorking(const FractionTexts &texts, FractionOperator op);

// The smallest prime factor of n ≥ 2 (n itself when prime); 0 for n < 2.
quint64 SmallestPrimeFactor(quint64 n);

} // namespace Arith
