#pragma once

#include "tools/functions/quadraticcoefficients.h"

#include <QString>

#include <optional>

namespace Functions {

// Solving a x² + b x + c = d with the quadratic formula, step by step as the window shows it.
// Every step after the first works on texts: the fraction's three numbers are read back from
// its texts, so the roots come from the numbers as displayed.

// The quadratic formula with the user's numbers in it: (−b ± √(b² − 4 × a × c)) / (2 × a).
struct WorkedFormula
{
    QString numeratorOutside; // −b
    QString rootB; // b as typed
    QString rootA; // a as typed
    QString rootC; // c − d
    QString denominator; // "2×" and a as typed
};
WorkedFormula MakeWorkedFormula(const QuadraticTexts &texts);

// The roots as one fraction (outside ±√discriminant) / denominator, as shown texts.
struct RootFraction
{
    QString outside, discriminant, denominator;
    bool operator==(const RootFraction &other) const
    {
        return outside == other.outside && discriminant == other.discriminant
                && denominator == other.denominator;
    }
};
RootFraction MakeRootFraction(const QString &numeratorOutside,
                              const QuadraticCoefficients &coefficients);

// Labels below this bound (and integral) take part in the reduction.
constexpr double ReductionBound = 30000;

// The common factor of denominator and outside that the reduction divides by: the largest
// i in 1 … |m| dividing both |m| and |n|, m the smaller of the two and n the other; 1 when m
// is 0. Computed with a gcd rather than a scan, so that any 32-bit value answers at once.
qint64 ReductionFactor(qint32 denominator, qint32 outside);

// The fraction divided by its common factor t, or nothing when it does not reduce: a value
// not integral or not below the bound, t = 1, or a discriminant that t² does not divide.
std::optional<RootFraction> ReduceRootFraction(const RootFraction &shown);

// "x1=…\r\nx2=…", "x1=x2=…" or the complex pair; empty when the discriminant is negative
// and a is zero.
QString RootsText(const RootFraction &shown, double a);

// Everything the window shows for the four inputs: the worked formula, the fraction (reduced
// where it reduces) and the roots computed from that fraction's texts.
struct QuadraticSolution
{
    WorkedFormula formula;
    RootFraction fraction;
    QString roots;
};
QuadraticSolution SolveQuadraticEquation(const QuadraticTexts &texts);

} // namespace Functions
