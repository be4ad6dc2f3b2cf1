#pragma once

#include "tools/statistics/discretedistribution.h"
#include "tools/statistics/normal.h"
#include "ui/graphshapes.h"

#include <QSize>
#include <QString>

namespace Statistics {

// The pictures of "排列组合与概率" as shapes in graph coordinates, drawn by a graph panel so that
// they zoom, pan, copy and save as the function graph does.

// A bar of height P(X = k) over each k, those the question asks about in the accent.
Ui::GraphPlot BarsPicture(const CountBars &bars, QSize panel);
// Nothing to draw: the axes alone, while the inputs give no distribution.
Ui::GraphPlot EmptyPicture(const QString &caption, QSize panel);
// N(μ, σ²) over μ ± 4σ: the area of P(a ≤ X ≤ b) shaded, within that view; the curve itself is
// NormalDensity's, which the window adds so that it is traced.
Ui::GraphPlot BellPicture(const NormalQuestion &question, QSize panel);
double NormalDensity(const NormalQuestion &question, double x);

} // namespace Statistics
