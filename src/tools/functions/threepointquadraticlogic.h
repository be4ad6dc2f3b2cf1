#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/functions/quadraticcoefficients.h"

#include <QString>
#include <QStringList>

#include <array>

namespace Functions {

// A point (x, f(x)) of the graph, exactly as typed.
struct ExactPoint
{
    Eval::Rational x, fx;
};

// The messages of a refused fit: two x values within 1e-7 of each other; for a known b, two
// opposite x values (equal squares); for a known c, an x of 0, where f gives c alone; three
// points on one straight line, which no parabola passes through.
extern const QString SameXMessage;
extern const QString OppositeXMessage;
extern const QString ZeroXMessage;
extern const QString CollinearMessage;

// The parabola through three points, exactly; refused with SameXMessage when two of the x
// values are within 1e-7, with CollinearMessage when the points lie on a line (a = 0).
Eval::Outcome<ExactQuadratic> FitQuadraticThroughPoints(const ExactPoint &p1, const ExactPoint &p2,
                                                        const ExactPoint &p3);

enum class KnownCoefficient { A, B, C };

// Solves the two linear equations that remain once one coefficient is known: with a, y − a x² =
// b x + c; with b, y − b x = a x² + c; with c, y − c = a x² + b x. The known coefficient comes
// back as given; refused with the message that says why the points do not determine the other
// two.
Eval::Outcome<ExactQuadratic> FitQuadraticWithKnownCoefficient(KnownCoefficient known,
                                                               const Eval::Rational &value,
                                                               const ExactPoint &p1,
                                                               const ExactPoint &p2);

// A point as typed: x and f(x), each read exactly (ReadCoefficient: empty is 0, "1/2" a half).
struct PointTexts
{
    QString x, fx;
};

// The fits from the typed texts, as the window shows them (ExactAnswer: "-1/6≈-0.1666666666667",
// "2"): a, b and c through three points; with one coefficient known, the other two in the
// order a, b, c. A text that is no number is refused with the reason, naming its box.
Eval::Outcome<QStringList> FitTypedPoints(const std::array<PointTexts, 3> &points);
Eval::Outcome<QStringList> FitTypedPointsWithKnown(KnownCoefficient known, const QString &value,
                                                   const std::array<PointTexts, 2> &points);

} // namespace Functions
