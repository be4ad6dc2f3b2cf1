#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"

#include <QString>

namespace Functions {

// a x² + b x + c with the numbers exactly as typed.
struct ExactQuadratic
{
    Eval::Rational a, b, c;
};

// The four inputs of a x² + b x + c = d (or > d, < d) exactly as typed.
struct QuadraticTexts
{
    QString a, b, c, d;
};

// a, b and c − d, each read exactly (ReadCoefficient: empty is 0, "1/2" a half); a text that
// is no number is refused with the reason, naming its box.
Eval::Outcome<ExactQuadratic> ReadExactQuadratic(const QuadraticTexts &texts);

// The real roots of a x² + b x + c (a ≠ 0, discriminant > 0, not a square) in doubles, the
// larger-magnitude one from −b − sign(b)·√Δ and the other from c / that, so that neither
// cancels: first the one with +√Δ over 2a, then the one with −√Δ.
std::pair<double, double> IrrationalRoots(const ExactQuadratic &quadratic,
                                          const Eval::Rational &discriminant);

} // namespace Functions
