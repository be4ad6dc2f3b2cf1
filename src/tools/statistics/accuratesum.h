#pragma once

#include <cmath>

namespace Statistics {

// Arithmetic in about twice the precision of a double, for figures that must be right to the
// last digit shown on data whose digits a plain double loses (a million values summed, values
// that agree in their first eight digits). A value is an unevaluated sum hi + lo with |lo| at
// most half an ulp of hi. The tools folder compiles with contraction off: these rules need
// every product and sum rounded on its own.
struct DoubleDouble
{
    double hi = 0;
    double lo = 0;
    double value() const { return hi + lo; }
};

// a + b exactly, as the rounded sum and its error.
inline DoubleDouble TwoSum(double a, double b)
{
    const double sum = a + b;
    const double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a · b exactly, as the rounded product and its error (Dekker's splitting); the error is 0
// where splitting would overflow, which only values beyond 1e300 reach.
inline DoubleDouble TwoProduct(double a, double b)
{
    constexpr double Splitter = 134217729.0; // 2^27 + 1
    const double product = a * b;
    const double ta = Splitter * a;
    const double aHigh = ta - (ta - a);
    const double aLow = a - aHigh;
    const double tb = Splitter * b;
    const double bHigh = tb - (tb - b);
    const double bLow = b - bHigh;
    const double error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
    return {product, std::isfinite(error) ? error : 0.0};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble high = TwoSum(a.hi, b.hi);
    const DoubleDouble low = TwoSum(a.lo, b.lo);
    DoubleDouble sum = TwoSum(high.hi, high.lo + low.hi);
    return TwoSum(sum.hi, sum.lo + low.lo);
}

inline DoubleDouble Negated(DoubleDouble a)
{
    return {-a.hi, -a.lo};
}

inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble product = TwoProduct(a.hi, b.hi);
    return TwoSum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble Divide(DoubleDouble a, DoubleDouble b)
{
    const double first = a.hi / b.hi;
    const DoubleDouble rest = Add(a, Negated(Multiply({first, 0}, b)));
    return TwoSum(first, rest.hi / b.hi);
}

// A sum of many terms with the rounding error of every addition kept (in double-double), so
// that a million terms sum as precisely as two would.
class AccurateSum
{
public:
    void Add(double term)
    {
        const DoubleDouble step = TwoSum(m_sum, term);
        m_sum = step.hi;
        m_error += step.lo;
    }
    void Add(DoubleDouble term)
    {
        Add(term.hi);
        m_error += term.lo;
    }
    // a · b with the product's own rounding error.
    void AddProduct(double a, double b) { Add(TwoProduct(a, b)); }

    DoubleDouble exact() const { return TwoSum(m_sum, m_error); }
    double value() const { return m_sum + m_error; }

private:
    double m_sum = 0;
    double m_error = 0;
};

} // namespace Statistics
