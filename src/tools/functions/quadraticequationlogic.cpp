#include "tools/functions/quadraticequationlogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <cmath>
#include <numeric>

using namespace Eval;

namespace Functions {

WorkedFormula MakeWorkedFormula(const QuadraticTexts &texts)
{
    const QuadraticCoefficients coefficients = ReadCoefficients(texts);
    // b × (−1), not 0 − b: an empty b shows as "-0".
    return {NumberToText(coefficients.b * -1), texts.b, texts.a, NumberToText(coefficients.c),
            QStringLiteral("2×") + texts.a};
}

RootFraction MakeRootFraction(const QString &numeratorOutside,
                              const QuadraticCoefficients &coefficients)
{
    const double a = coefficients.a, b = coefficients.b, c = coefficients.c;
    return {numeratorOutside, NumberToText(b * b - a * c * 4), NumberToText(a * 2)};
}

namespace {

bool IsIntegral(double value)
{
    return std::fabs(value - TextToInteger(value)) <= 1e-7;
}

bool TakesPartInReduction(double value)
{
    return IsIntegral(value) && value - ReductionBound < -1e-7;
}

bool IsMultipleOf(double value, double divisor)
{
    return std::fabs(IntegerPart(value / divisor) * divisor - value) <= 1e-7;
}

} // namespace

// The divisibility test |IntegerPart(x / i) × i − x| ≤ 1e-7 is exact integer divisibility for
// |x| ≤ 2³¹: a non-zero remainder leaves a fraction at least 1/i from either whole number,
// far beyond both the rounding of x / i and IntegerPart's 1e-12 margin. So the largest common
// divisor found by the scan is the gcd, and an |n| of 0 is divided by every i.
qint64 ReductionFactor(qint32 denominator, qint32 outside)
{
    const qint64 m = std::min(denominator, outside);
    const qint64 n = std::max(denominator, outside);
    if (m == 0)
        return 1;
    return std::gcd(std::abs(m), std::abs(n));
}

std::optional<RootFraction> ReduceRootFraction(const RootFraction &shown)
{
    const double outside = TextToNumber(shown.outside);
    const double discriminant = TextToNumber(shown.discriminant);
    const double denominator = TextToNumber(shown.denominator);
    if (!TakesPartInReduction(discriminant) || !TakesPartInReduction(outside)
        || !TakesPartInReduction(denominator))
        return std::nullopt;

    const qint64 d = TextToInteger(denominator);
    const qint64 h = TextToInteger(outside);
    const qint64 r = TextToInteger(discriminant);
    const qint64 t = ReductionFactor(qint32(d), qint32(h));
    if (t == 1 || !IsMultipleOf(double(r), double(t) * double(t)))
        return std::nullopt;
    return RootFraction{QString::number(h / t), QString::number(r / (t * t)),
                        QString::number(d / t)};
}

QString RootsText(const RootFraction &shown, double a)
{
    const double discriminant = TextToNumber(shown.discriminant);
    const double p = TextToNumber(shown.outside);
    const double q = TextToNumber(shown.denominator);
    if (discriminant > 1e-7) {
        const double root = std::sqrt(discriminant);
        return QStringLiteral("x1=") + NumberToText((p + root) / q) + QStringLiteral("\r\nx2=")
                + NumberToText((p - root) / q);
    }
    if (std::fabs(discriminant) <= 1e-7)
        return QStringLiteral("x1=x2=") + NumberToText(p / q);

    // The imaginary part keeps its own sign, so a negative denominator shows "1--2i".
    const QString re = NumberToText(p / q);
    const QString im = NumberToText(std::sqrt(-discriminant) / q);
    if (a < -1e-7)
        return QStringLiteral("x1=%1-%2i\r\nx2=%1+%2i").arg(re, im);
    if (a > 1e-7)
        return QStringLiteral("x1=%1+%2i\r\nx2=%1-%2i").arg(re, im);
    return QString();
}

QuadraticSolution SolveQuadraticEquation(const QuadraticTexts &texts)
{
    const QuadraticCoefficients coefficients = ReadCoefficients(texts);
    QuadraticSolution solution{MakeWorkedFormula(texts), {}, {}};
    solution.fraction = MakeRootFraction(solution.formula.numeratorOutside, coefficients);
    if (const auto reduced = ReduceRootFraction(solution.fraction))
        solution.fraction = *reduced;
    solution.roots = RootsText(solution.fraction, coefficients.a);
    return solution;
}

} // namespace Functions
