#pragma once

namespace Functions {

// f(x) = a x² + b x + c.
struct QuadraticCoefficients
{
    double a = 0;
    double b = 0;
    double c = 0;
};

} // namespace Functions
