#include "tools/functions/quadraticequationlogic.h"

#include "eval/exactnumber.h"
#include "eval/numberformat.h"
#include "tools/functions/exactnumbers.h"

#include <QStringList>

#include <cmath>
#include <limits>
#include <numeric>

using namespace Eval;

namespace Functions {

WorkedFormula MakeWorkedFormula(const QuadraticTexts &texts, const ExactQuadratic &quadratic)
{
    return {ExactText(-quadratic.b), TypedFactor(texts.b), TypedFactor(texts.a),
            ExactFactor(quadratic.c), QStringLiteral("2×") + TypedFactor(texts.a)};
}

RootFraction MakeRootFraction(const ExactQuadratic &q)
{
    return {-q.b, q.b * q.b - q.a * q.c * Rational(4), q.a * Rational(2)};
}

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

namespace {

// Whole, below the bound and within 32 bits: the labels that take part in the reduction.
std::optional<qint64> ReducibleValue(const Rational &value)
{
    if (!value.IsInteger() || value >= Rational(ReductionBound)
        || value < Rational(std::numeric_limits<qint32>::min()))
        return std::nullopt;
    return qint64(value.ToDouble()); // exact: a 32-bit whole number is a double
}

// "3x", "x", "-x", "(1/2)x".
QString LinearTerm(const Rational &coefficient)
{
    if (coefficient == Rational(1))
        return QStringLiteral("x");
    if (coefficient == Rational(-1))
        return QStringLiteral("-x");
    return ExactCoefficient(coefficient) + u'x';
}

// b x + c = 0 solved as the textbook writes it: "3x-6=0", "3x=6", "x=2".
QString LinearWorking(const Rational &b, const Rational &c)
{
    if (b.Sign() == 0) {
        const QString why = c.Sign() == 0 ? QStringLiteral("0=0恒成立，x为任意实数")
                                          : ExactText(c) + QStringLiteral("=0不成立，方程无解");
        return QStringLiteral("a=0且b=0，方程不是二次方程\r\n") + why;
    }
    QStringList lines{QStringLiteral("a=0，方程是一元一次方程")};
    const QString constant = c.Sign() > 0 ? u'+' + ExactText(c) : c.Sign() < 0 ? ExactText(c) : "";
    lines << LinearTerm(b) + constant + QStringLiteral("=0");
    if (c.Sign() != 0)
        lines << LinearTerm(b) + u'=' + ExactText(-c);
    lines << QStringLiteral("x=") + ExactAnswer(*(-c).Divide(b));
    return lines.join(QStringLiteral("\r\n"));
}

// x = centre ± halfWidth with halfWidth = √Δ / |2a|, as the textbook writes it: one "±", one
// denominator, no factor common to the whole fraction and no square under the root
// ("x=(-2±√6)/2", "x=-1±2√2", "x=±√6/3"). Nothing where the exact form gives none (a prime
// factor too large to find) or the line would pass MaxAnswerLength characters.
std::optional<QString> RadicalRoots(const ExactQuadratic &q, const Rational &discriminant)
{
    const Rational twiceA = q.a * Rational(2);
    const Rational halfWidthSquared = *discriminant.Divide(twiceA * twiceA);
    // The line writes at least half as many digits as this fraction has, so a longer one
    // cannot fit and is not factored at all.
    if (halfWidthSquared.ToText().size() > 2 * MaxAnswerLength + 1)
        return std::nullopt;
    const Rational centre = *(-q.b).Divide(twiceA);
    const std::optional<ExactNumber> halfWidth = ExactNumber::Root(halfWidthSquared, 2);
    const std::optional<ExactNumber> larger
            = halfWidth ? halfWidth->Add(ExactNumber(centre)) : std::nullopt;
    if (!larger)
        return std::nullopt;
    const Rational denominator(larger->CommonDenominator());
    const std::optional<ExactNumber> surd = halfWidth->Multiply(ExactNumber(denominator));
    if (!surd)
        return std::nullopt;
    QString roots = u'±' + halfWidth->ToText();
    if (centre.Sign() != 0) {
        roots = (centre * denominator).ToText() + u'±' + surd->ToText();
        if (denominator != Rational(1))
            roots = u'(' + roots + QStringLiteral(")/") + denominator.ToText();
    }
    roots.prepend(QStringLiteral("x="));
    return roots.size() <= MaxAnswerLength ? std::optional(roots) : std::nullopt;
}

QString RealRoots(const ExactQuadratic &q, const Rational &discriminant)
{
    const Rational twiceA = q.a * Rational(2);
    if (const std::optional<Rational> root = discriminant.SquareRoot()) {
        return QStringLiteral("x1=") + ExactAnswer(*(-q.b + *root).Divide(twiceA))
                + QStringLiteral("\r\nx2=") + ExactAnswer(*(-q.b - *root).Divide(twiceA));
    }
    const auto [plus, minus] = IrrationalRoots(q, discriminant);
    const QString roots = QStringLiteral("x1=") + NumberToText(plus) + QStringLiteral("\r\nx2=")
            + NumberToText(minus);
    const std::optional<QString> simplest = RadicalRoots(q, discriminant);
    return simplest ? roots + QStringLiteral("\r\n") + *simplest : roots;
}

// re ± im·i with re = −b / 2a and im = √(−Δ) / 2|a| ≥ 0, so x1 always carries the "+".
QString ComplexRoots(const ExactQuadratic &q, const Rational &discriminant)
{
    const Rational twiceA = (q.a * Rational(2)).Absolute();
    const QString re = ExactText(*(-q.b).Divide(q.a * Rational(2)));
    const Rational negated = -discriminant;
    const std::optional<Rational> root = negated.SquareRoot();
    const QString im = root ? ExactCoefficient(*root->Divide(twiceA))
                            : NumberToText(std::sqrt(negated.ToDouble()) / twiceA.ToDouble());
    return QStringLiteral("Δ<0，方程在实数范围内无解\r\nx1=%1+%2i\r\nx2=%1-%2i").arg(re, im);
}

} // namespace

std::optional<RootFraction> ReduceRootFraction(const RootFraction &fraction)
{
    const std::optional<qint64> h = ReducibleValue(fraction.outside);
    const std::optional<qint64> r = ReducibleValue(fraction.discriminant);
    const std::optional<qint64> d = ReducibleValue(fraction.denominator);
    if (!h || !r || !d)
        return std::nullopt;
    const qint64 t = ReductionFactor(qint32(*d), qint32(*h));
    if (t == 1 || *r % (t * t) != 0)
        return std::nullopt;
    return RootFraction{Rational(long(*h / t)), Rational(long(*r / (t * t))),
                        Rational(long(*d / t))};
}

QString RootsText(const ExactQuadratic &quadratic)
{
    if (quadratic.a.Sign() == 0)
        return LinearWorking(quadratic.b, quadratic.c);
    const Rational discriminant = MakeRootFraction(quadratic).discriminant;
    if (discriminant.Sign() > 0)
        return RealRoots(quadratic, discriminant);
    if (discriminant.Sign() == 0)
        return QStringLiteral("x1=x2=")
                + ExactAnswer(*(-quadratic.b).Divide(quadratic.a * Rational(2)));
    return ComplexRoots(quadratic, discriminant);
}

Outcome<QuadraticSolution> SolveQuadraticEquation(const QuadraticTexts &texts)
{
    const Outcome<ExactQuadratic> quadratic = ReadExactQuadratic(texts);
    if (!quadratic)
        return Refuse(quadratic.refusal());
    QuadraticSolution solution{{}, {}, {}, {}, RootsText(*quadratic)};
    if (quadratic->a.Sign() == 0)
        return solution;
    solution.formula = MakeWorkedFormula(texts, *quadratic);
    const RootFraction fraction = MakeRootFraction(*quadratic);
    const RootFraction shown = ReduceRootFraction(fraction).value_or(fraction);
    solution.outside = ExactText(shown.outside);
    solution.discriminant = ExactText(shown.discriminant);
    solution.denominator = ExactText(shown.denominator);
    return solution;
}

} // namespace Functions
