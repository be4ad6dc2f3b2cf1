#include "tools/functions/quadraticcoefficients.h"

#include "tools/functions/exactnumbers.h"

#include <cmath>

using namespace Eval;

namespace Functions {

Outcome<ExactQuadratic> ReadExactQuadratic(const QuadraticTexts &texts)
{
    const auto values = ReadCoefficients({texts.a, texts.b, texts.c, texts.d},
                                         {"a", "b", "c", QStringLiteral("等号右边的数")});
    if (!values)
        return Refuse(values.refusal());
    const std::vector<Rational> &v = *values;
    return ExactQuadratic{v[0], v[1], v[2] - v[3]};
}

namespace {

// √value without leaving the double range on the way: Δ = 1e600 (b = 1e300) has the root 1e300.
double SquareRoot(const Rational &value)
{
    const long half = value.BinaryExponent() / 2;
    return std::ldexp(std::sqrt(value.ScaledByPowerOfTwo(-2 * half).ToDouble()),
                      static_cast<int>(half));
}

} // namespace

std::pair<double, double> IrrationalRoots(const ExactQuadratic &quadratic,
                                          const Rational &discriminant)
{
    const double a = quadratic.a.ToDouble(), b = quadratic.b.ToDouble();
    const double c = quadratic.c.ToDouble();
    const double root = SquareRoot(discriminant);
    // q = −(b + sign(b)·√Δ) / 2 adds two numbers of one sign; the roots are q / a and c / q.
    const double q = -(b + std::copysign(root, b)) / 2;
    const double bySum = q / a, byProduct = c / q;
    // With b ≥ 0, q / a is the root with −√Δ.
    return b >= 0 ? std::pair{byProduct, bySum} : std::pair{bySum, byProduct};
}

} // namespace Functions
