#include "tools/functions/threepointquadraticlogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

#include <optional>

using namespace Eval;

namespace Functions {

const QString SameXMessage = QStringLiteral("请检查函数自变量，有相同自变量！");
const QString OppositeXMessage = QStringLiteral("请检查函数自变量，有互为相反数的自变量！");
const QString ZeroXMessage = QStringLiteral("请检查函数自变量，有等于0的自变量！");

namespace {

struct Line
{
    double slope = 0;
    double intercept = 0;
};

// The straight line u = slope · s + intercept through two points of different s. Adding 0
// turns a zero of either sign into +0.
Line LineThrough(double s1, double u1, double s2, double u2)
{
    const double slope = (u1 - u2) / (s1 - s2);
    return {slope + 0.0, u1 - slope * s1 + 0.0};
}

// Why two points cannot determine the two unknown coefficients, if they cannot.
std::optional<Refusal> RefusalOf(KnownCoefficient known, double x1, double x2)
{
    if (NearlyEqual(x1, x2))
        return Refuse(SameXMessage);
    if (known == KnownCoefficient::B && NearlyEqual(x1, -x2))
        return Refuse(OppositeXMessage);
    if (known == KnownCoefficient::C && (NearlyEqual(x1, 0) || NearlyEqual(x2, 0)))
        return Refuse(ZeroXMessage);
    return std::nullopt;
}

GraphPoint Read(const PointTexts &point)
{
    return {TextToNumber(point.x), TextToNumber(point.fx)};
}

QStringList Texts(const QuadraticCoefficients &coefficients)
{
    return {NumberToText(coefficients.a), NumberToText(coefficients.b),
            NumberToText(coefficients.c)};
}

} // namespace

Outcome<QuadraticCoefficients> FitQuadraticThroughPoints(GraphPoint p1, GraphPoint p2,
                                                         GraphPoint p3)
{
    const double x1 = p1.x, x2 = p2.x, x3 = p3.x;
    const double y1 = p1.fx, y2 = p2.fx, y3 = p3.fx;
    if (NearlyEqual(x1, x2) || NearlyEqual(x2, x3) || NearlyEqual(x1, x3))
        return Refuse(SameXMessage);
    // The order of the operations fixes the rounding and the sign of zero results.
    QuadraticCoefficients result;
    result.a = (y1 * (x2 - x3) - y2 * (x1 - x3) + y3 * (x1 - x2))
            / ((x1 - x2) * (x1 - x3) * (x2 - x3));
    result.b = (y1 - y2) / (x1 - x2) - result.a * (x1 + x2);
    result.c = y1 - result.a * x1 * x1 - result.b * x1;
    return result;
}

Outcome<QuadraticCoefficients>
FitQuadraticWithKnownCoefficient(KnownCoefficient known, double value, GraphPoint p1, GraphPoint p2)
{
    if (const auto refusal = RefusalOf(known, p1.x, p2.x))
        return *refusal;
    QuadraticCoefficients result;
    switch (known) {
    case KnownCoefficient::A: { // y − a x² = b x + c
        const Line line
                = LineThrough(p1.x, p1.fx - value * p1.x * p1.x, p2.x, p2.fx - value * p2.x * p2.x);
        result = {value, line.slope, line.intercept};
        break;
    }
    case KnownCoefficient::B: { // y − b x = a x² + c
        const Line line
                = LineThrough(p1.x * p1.x, p1.fx - value * p1.x, p2.x * p2.x, p2.fx - value * p2.x);
        result = {line.slope, value, line.intercept};
        break;
    }
    case KnownCoefficient::C: { // (y − c) / x = a x + b
        const Line line = LineThrough(p1.x, (p1.fx - value) / p1.x, p2.x, (p2.fx - value) / p2.x);
        result = {line.slope, line.intercept, value};
        break;
    }
    }
    return result;
}

Outcome<QStringList> FitTypedPoints(const std::array<PointTexts, 3> &points)
{
    const auto fit = FitQuadraticThroughPoints(Read(points[0]), Read(points[1]), Read(points[2]));
    if (!fit)
        return Refuse(fit.refusal());
    return Texts(*fit);
}

Outcome<QStringList> FitTypedPointsWithKnown(KnownCoefficient known, const QString &value,
                                             const std::array<PointTexts, 2> &points)
{
    const auto fit = FitQuadraticWithKnownCoefficient(known, TextToNumber(value), Read(points[0]),
                                                      Read(points[1]));
    if (!fit)
        return Refuse(fit.refusal());
    QStringList texts = Texts(*fit);
    texts.removeAt(static_cast<int>(known));
    return texts;
}

} // namespace Functions
