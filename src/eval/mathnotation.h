#pragma once

#include <QString>
#include <QStringList>

namespace Eval {

// The mathematics a student types, read into the script notation before the notation's
// rewrites (notation.h). What the script notation reads keeps its meaning; what it cannot read
// because it is written as mathematics is read as meant:
// - the names of Math, also ln (log), lg (log10), pi, π and a standalone e, in any letter case
//   and with or without "Math.": an x or a digit inside a name belongs to the name (exp, max,
//   log10, atan2, Math.SQRT2);
// - a multiplication left out before a name, a constant or a root: 2sin(x), 2π, xsin(x), πx,
//   (x+1)√2, x²(x+1);
// - × · ÷ − as * / -; a² and a³ as powers; √a and ∛a as roots; a number's ° as degrees, so that
//   sin(30°) is 0.5 exactly;
// - in a function of x, the full-width ｘ as x.
// Each of these fails in the script notation (a syntax error, an unknown name, a name broken by
// the rewrites), so no text that gave a value reads differently. Quoted strings and comments are
// left as they are, and so is a text holding a character of the private-use area.

// The reading: the text for the notation's rewrites, in which each name read stands as a
// placeholder, one character that the rewrites leave alone (no x or digit of it is touched), and
// what each placeholder stands for ("Math.exp", or "exp" after "Math.").
struct MathReading
{
    QString text;
    QStringList names;
};
// `ofX`: the text is a function of x (x is the variable, not a letter of an unknown name).
MathReading ReadMathematics(const QString &typed, bool ofX);
// The rewritten text with the placeholders' names put back.
QString WithNames(const QString &text, const QStringList &names);

// The typed text with each a^b written as Math.pow(a,b), innermost and rightmost first (2^3^2
// is 2^(3^2)), the operands as mathematics groups them: x^2+1, 2x^2 (2*Math.pow(x,2)),
// (x+1)^3 (Math.pow(x+1,3)), 2^-x, sin(x)^2. A "^" without an operand on either side stays.
// The rest of the text is kept as typed.
QString PowersWritten(const QString &typed);

// The end of the operand that starts at `start` (after its signs): a number, a name with its
// parentheses, a parenthesised group, a root; -1 when none starts there. For a program's
// divisors, say.
qsizetype OperandEnd(const QString &text, qsizetype start);

// Whether the typed text calls sin, cos or tan and holds no degree sign.
bool HasTrigonometryInRadians(const QString &typed);

} // namespace Eval
