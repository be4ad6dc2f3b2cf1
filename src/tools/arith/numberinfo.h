#pragma once

#include <QString>

namespace Arith {

// "数字信息": a report on the typed number, rebuilt on every change, and the input rules that
// keep the typed text short enough for it.

// Whether the text breaks an input rule: a "-" ending a text of two or more characters, an
// "e" with anything after it or alone, more than 9 bytes without a ".", a first "." beyond
// byte 10, or a second ".". One Backspace takes away what the last keystroke added; the
// change it causes checks the rules again.
bool BreaksNumberInputRules(const QString &text);

// The report, lines ended by "\r\n": "非整数" or "整数；" with "偶数；"/"奇数；", the sign line
// ("正数；", "负数；", "既不是正数也不是负数；") and for a composite number "合数；" and its
// divisors, itself included, five to a line, each followed by two spaces ("绝对值是…",
// "绝对值的…" for a negative one), for a prime "质数；" ("绝对值是质数；"). Numbers from ten
// million up, and whole numbers below the 32-bit range, get only the first two lines; 0 and ±1
// end with the sign line. Empty for
// an empty text or "-"; an infinity is "非整数".
QString NumberReport(const QString &text);

} // namespace Arith
