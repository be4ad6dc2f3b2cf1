#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Functions {

// The coefficients of the equation tools, read exactly as typed ("1/2", "0.1", "-3e-2") and
// shown exactly: a decimal where the number-to-text rule writes the value without loss, the
// reduced fraction where it would not.

// A box of the equation tools: empty or blank is 0, anything else is read by ReadRational;
// a refusal names the box ("a1：“x”不是数的一部分。…").
Eval::Outcome<Eval::Rational> ReadCoefficient(const QString &text, const QString &name);
// The boxes in order, or the first box's refusal.
Eval::Outcome<std::vector<Eval::Rational>> ReadCoefficients(const QStringList &texts,
                                                            const QStringList &names);

// NumberToText's form where it reads back as exactly the value ("0.5", "-2", "1e-008"); else
// the reduced fraction ("1/3") or, for a whole number, all its digits ("12345678901234").
QString ExactText(const Eval::Rational &value);
// ExactText in brackets when it is negative or a fraction, as a factor after "×" or a base
// under "²" is written: "(-1)", "(1/3)", "2".
QString ExactFactor(const Eval::Rational &value);
// ExactText in brackets when it is a fraction, as a coefficient before a letter is written:
// "-2", "(1/3)".
QString ExactCoefficient(const Eval::Rational &value);
// ExactText, and where that is a fraction "≈" and the nearest double's text after it:
// "1/3≈0.3333333333333", "0.5", "-2".
QString ExactAnswer(const Eval::Rational &value);
// A text as typed (trimmed), in brackets unless it is plain digits with an optional point.
QString TypedFactor(const QString &text);

} // namespace Functions
