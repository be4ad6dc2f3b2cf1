#pragma once

#include "tools/functions/quadraticcoefficients.h"

#include <optional>

namespace Functions {

struct GraphPoint
{
    double x = 0;
    double fx = 0;
};

// The parabola (or, for collinear points, the straight line with a = 0) through three points;
// nothing when two of the x values are nearly equal.
std::optional<QuadraticCoefficients> FitQuadraticThroughPoints(GraphPoint p1, GraphPoint p2,
                                                               GraphPoint p3);

} // namespace Functions
