#pragma once

#include <QChar>
#include <QString>

namespace Eval {

// The first step of every evaluation: the forgiving notation users type (full-width
// characters, "sqrt" without "Math.", implied multiplication such as 2x or 3(x+1)) rewritten
// into the script program the engine runs. The mathematics in the text is read first
// (mathnotation.h: names, π, ², √, °, ×, …); then the script notation's plain text rewrites run
// in their fixed order on what that reading leaves, its names standing as placeholders that the
// rewrites do not touch.

// Replaces the first occurrence, searching from the start, until none is left; so a
// replacement can meet its neighbours ("xxx" with "xx" -> "x*x" gives "x*x*x"). Letters
// compare without regard to case when ignoreCase is set (ASCII letters only).
QString ReplaceAll(QString text, const QString &search, const QString &replacement,
                   bool ignoreCase = true);

// The program for a typed expression, e.g. "sqrt(16)+2(3)" -> "Math.sqrt(16)+2*(3)".
QString PrepareExpression(const QString &text);

// The program for the expression as a function of `variable` at x: the mathematics read (ｘ as
// x too), the implied multiplications with the variable, the variable replaced by x's text (a
// negative one after a space), then the rewrites of PrepareExpression. A non-finite x gives its
// special text ("1.#INF"), which fails. So the program holds x as its text shows it, rounded to
// 13 significant digits; an x inside a name (exp, max) is not the variable.
QString FunctionProgram(const QString &expression, QChar variable, double x);

} // namespace Eval
