#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Applied {

// Pixels along one side as the window reads them: a number, truncated toward zero.
qint32 ReadPixels(const QString &text);

// Pixels per inch of a screen with x by y pixels and a diagonal of `inches`.
double ComputePpi(qint32 x, qint32 y, double inches);

// The number text of a density, cut (not rounded) to eight characters. An exponent form keeps
// its exponent and gives up mantissa digits instead, so the magnitude is never lost.
QString PpiText(double ppi);

// What "PPI" shows for the texts of the two resolution boxes and the diagonal: the density's
// text, or nothing (a refusal without text) while one of them is empty, since a result shown
// then would belong to another screen.
Eval::Outcome<QString> PpiFor(const QString &width, const QString &height, const QString &diagonal);

} // namespace Applied
