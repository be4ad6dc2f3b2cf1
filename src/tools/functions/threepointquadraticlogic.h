#pragma once

#include "tools/functions/quadraticcoefficients.h"

#include <QString>

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

enum class KnownCoefficient { A, B, C };

// The two coefficients that two points determine when the third is known, or the message
// that says why they do not.
struct TwoPointFit
{
    QuadraticCoefficients coefficients; // the known one as given
    QString refusal; // empty when the points determine the coefficients
};

// The messages of a refused fit: two x values within 1e-7 of each other; for a known b, two
// opposite x values (equal squares); for a known c, an x of 0, where f gives c alone.
extern const QString SameXMessage;
extern const QString OppositeXMessage;
extern const QString ZeroXMessage;

// Solves the two linear equations that remain once one coefficient is known: with a, y − a x² =
// b x + c; with b, y − b x = a x² + c; with c, y − c = a x² + b x. A result of zero shows as
// 0, never -0.
TwoPointFit FitQuadraticWithKnownCoefficient(KnownCoefficient known, double value, GraphPoint p1,
                                             GraphPoint p2);

} // namespace Functions
