#pragma once

#include "ui/namedvalues.h"
#include "ui/working.h"

#include <QString>

namespace Ui {

// Working and results as LaTeX, for a teacher to paste into a worksheet (amsmath's aligned and
// array; Chinese words in \text, which a document with CJK fonts sets).

// The school notation the program shows, in math mode: "a/b" between two operands as
// \frac{a}{b} (the parentheses around an operand dropped), "√" as \sqrt over its operand,
// superscript digits and "^" as powers, subscripts ("₍₂₎") as indices, ×, ÷, ±, ≈, ≤, π and
// the like as their commands, and words that are no mathematics in \text. Any text gives
// LaTeX whose braces balance; parentheses nested deeper than the program's nesting limit stay
// plain characters.
QString MathLatex(const QString &text);

// Each block: its title in bold, a ladder as an array whose divisors stand left of a rule and
// above a line, a table as a ruled array, lines as an array of lines.
QString WorkingLatex(const Working &working);

// A table of cells under a header (none where empty) as a ruled array.
QString TableLatex(const QStringList &header, const QList<QStringList> &rows);

// One "名称 &= 值" row each of an aligned display; a refused value stays its words.
QString ResultsLatex(const NamedValues &values);

} // namespace Ui
