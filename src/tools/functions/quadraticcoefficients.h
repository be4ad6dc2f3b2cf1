#pragma once

#include <QString>

namespace Functions {

// f(x) = a x² + b x + c.
struct QuadraticCoefficients
{
    double a = 0;
    double b = 0;
    double c = 0;
};

// The four inputs of a x² + b x + c = d (or > d, < d) exactly as typed.
struct QuadraticTexts
{
    QString a, b, c, d;
};

// a, b and c − d, each read by the text-to-number rule (empty is 0).
QuadraticCoefficients ReadCoefficients(const QuadraticTexts &texts);

} // namespace Functions
