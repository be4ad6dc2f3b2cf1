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

// A box of the equation tools: empty, blank or a lone sign is 0, anything else is read by
// ReadRational; a refusal names the box ("a1：“x”不是数的一部分。…").
Eval::Outcome<Eval::Rational> ReadCoefficient(const QString &text, const QString &name);
// The boxes in order, or the first box's refusal.
Eval::Outcome<std::vector<Eval::Rational>> ReadCoefficients(const QStringList &texts,
                                                            const QStringList &names);

// Longest fraction written out; a longer one is shown by its decimal.
constexpr int MaxFractionLength = 24;

// The value in the number-to-text form ("0.5", "-2", "1e-008", "1e+999") where 13 significant
// digits write it exactly; else the reduced fraction ("1/3", "12345678901234") up to
// MaxFractionLength characters; else "≈" and its 13-digit decimal ("≈3.333333333333e+049").
QString ExactText(const Eval::Rational &value);
// ExactText in brackets when it is negative or a fraction, as a factor after "×" or a base
// under "²" is written: "(-1)", "(1/3)", "2".
QString ExactFactor(const Eval::Rational &value);
// ExactText in brackets when it is a fraction, as a coefficient before a letter is written:
// "-2", "(1/3)".
QString ExactCoefficient(const Eval::Rational &value);
// An answer: the exact decimal ("0.5"), or the fraction up to MaxAnswerLength characters with
// "≈" and its 13-digit decimal after it ("1/3≈0.3333333333333"), or the "≈" decimal alone.
constexpr int MaxAnswerLength = 100;
QString ExactAnswer(const Eval::Rational &value);
// A text as typed (trimmed), in brackets unless it is plain digits with an optional point.
QString TypedFactor(const QString &text);

} // namespace Functions
