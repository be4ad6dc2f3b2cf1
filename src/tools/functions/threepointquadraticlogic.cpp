#include "tools/functions/threepointquadraticlogic.h"

#include "eval/numbertext.h"

namespace Functions {

std::optional<QuadraticCoefficients> FitQuadraticThroughPoints(GraphPoint p1, GraphPoint p2,
                                                               GraphPoint p3)
{
    const double x1 = p1.x, x2 = p2.x, x3 = p3.x;
    const double y1 = p1.fx, y2 = p2.fx, y3 = p3.fx;
    if (NearlyEqual(x1, x2) || NearlyEqual(x2, x3) || NearlyEqual(x1, x3))
        return std::nullopt;
    // The order of the operations fixes the rounding and the sign of zero results.
    QuadraticCoefficients result;
    result.a = (y1 * (x2 - x3) - y2 * (x1 - x3) + y3 * (x1 - x2))
            / ((x1 - x2) * (x1 - x3) * (x2 - x3));
    result.b = (y1 - y2) / (x1 - x2) - result.a * (x1 + x2);
    result.c = y1 - result.a * x1 * x1 - result.b * x1;
    return result;
}

} // namespace Functions
