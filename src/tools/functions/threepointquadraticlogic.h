#pragma once

#include "eval/outcome.h"
#include "tools/functions/quadraticcoefficients.h"

#include <QString>
#include <QStringList>

#include <array>

namespace Functions {

struct GraphPoint
{
    double x = 0;
    double fx = 0;
};

// The parabola (or, for collinear points, the straight line with a = 0) through three points;
// refused with SameXMessage when two of the x values are nearly equal.
Eval::Outcome<QuadraticCoefficients> FitQuadraticThroughPoints(GraphPoint p1, GraphPoint p2,
                                                               GraphPoint p3);

enum class KnownCoefficient { A, B, C };

// The messages of a refused fit: two x values within 1e-7 of each other; for a known b, two
// opposite x values (equal squares); for a known c, an x of 0, where f gives c alone.
extern const QString SameXMessage;
extern const QString OppositeXMessage;
extern const QString ZeroXMessage;

// Solves the two linear equations that remain once one coefficient is known: with a, y − a x² =
// b x + c; with b, y − b x = a x² + c; with c, y − c = a x² + b x. A result of zero shows as
// 0, never -0. The known coefficient comes back as given; refused with the message that says
// why the points do not determine the other two.
Eval::Outcome<QuadraticCoefficients> FitQuadraticWithKnownCoefficient(KnownCoefficient known,
                                                                      double value, GraphPoint p1,
                                                                      GraphPoint p2);

// A point as typed: x and f(x), each read by the text-to-number rule (empty is 0).
struct PointTexts
{
    QString x, fx;
};

// The fits from the typed texts, as the window shows them: a, b and c through three points;
// with one coefficient known, the other two in the order a, b, c.
Eval::Outcome<QStringList> FitTypedPoints(const std::array<PointTexts, 3> &points);
Eval::Outcome<QStringList> FitTypedPointsWithKnown(KnownCoefficient known, const QString &value,
                                                   const std::array<PointTexts, 2> &points);

} // namespace Functions
