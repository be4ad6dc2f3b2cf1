#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/functions/quadraticcoefficients.h"

#include <QString>

#include <optional>

namespace Functions {

// Solving a x² + b x + c = d with the quadratic formula, step by step as the window shows it,
// on the numbers exactly as typed: fractions and decimals keep their value, zero tests are
// exact, and rational roots are shown as fractions.

// The quadratic formula with the user's numbers in it: (−b ± √(b² − 4 × a × c)) / (2 × a), a
// negative or fractional number in brackets where it is squared or multiplied ("(-5)").
struct WorkedFormula
{
    QString numeratorOutside; // −b
    QString rootB; // b as typed
    QString rootA; // a as typed
    QString rootC; // c − d
    QString denominator; // "2×" and a as typed
};
WorkedFormula MakeWorkedFormula(const QuadraticTexts &texts, const ExactQuadratic &quadratic);

// The roots as one fraction (outside ±√discriminant) / denominator.
struct RootFraction
{
    Eval::Rational outside, discriminant, denominator;
};
// −b, b² − 4ac and 2a.
RootFraction MakeRootFraction(const ExactQuadratic &quadratic);

// Labels below this bound (and integral) take part in the reduction.
constexpr long ReductionBound = 30000;

// The common factor of denominator and outside that the reduction divides by: the largest
// i in 1 … |m| dividing both |m| and |n|, m the smaller of the two and n the other; 1 when m
// is 0. Computed with a gcd rather than a scan, so that any 32-bit value answers at once.
qint64 ReductionFactor(qint32 denominator, qint32 outside);

// The fraction divided by its common factor t, or nothing when it does not reduce: a value
// not whole, not below the bound or below the 32-bit range, t = 1, or a discriminant that t²
// does not divide.
std::optional<RootFraction> ReduceRootFraction(const RootFraction &fraction);

// The lines under the fraction: "x1=…" and "x2=…" (exact where the roots are rational,
// "1/3≈0.3333333333333"; irrational ones followed by their simplest radical form,
// "x=(-2±√6)/2"), "x1=x2=…", or "Δ<0，方程在实数范围内无解" and the complex pair
// ("x1=-1+2i", "x2=-1-2i"). Where a is 0 the working of the linear equation b x + c = 0
// instead, or why there is no equation to solve.
QString RootsText(const ExactQuadratic &quadratic);

// Everything the window shows for the four inputs: the worked formula, the fraction's texts
// (reduced where it reduces) and the roots; formula and fraction empty where a is 0. A text
// that is no number is refused with the reason, naming its box.
struct QuadraticSolution
{
    WorkedFormula formula;
    QString outside, discriminant, denominator;
    QString roots;
};
Eval::Outcome<QuadraticSolution> SolveQuadraticEquation(const QuadraticTexts &texts);

} // namespace Functions
