#pragma once

#include "eval/expression.h"
#include "tools/functions/functiongraphlogic.h"

#include <array>
#include <functional>
#include <optional>

class DrawingPanel;
class QColor;

// The graph of a function of x on the drawing panel: axes, ticks and labels, then the curve
// through 500 samples, joined only between defined neighbours on the panel.
class FunctionPlot
{
public:
    explicit FunctionPlot(DrawingPanel *panel);

    // Clears the panel (unless the picture is kept) and takes the thin black pen of the axes.
    void PreparePanel(bool keepPicture);
    // Draws f on [a, b], which must be a drawable interval. `breathe` runs before the first
    // sample and after each; drawing stops, returning false, as soon as it says so. The curve
    // is drawn in one piece once every sample is known.
    bool Draw(const PreparedFunction &f, double a, double b, int penWidth, const QColor &color,
              const std::function<bool()> &breathe);

private:
    void DrawAxes(const FunctionGraph::Scale &scale);
    bool SampleHeights(const PreparedFunction &f, const FunctionGraph::Scale &scale,
                       const std::function<bool()> &breathe);
    void DrawCurve();

    DrawingPanel *m_panel;
    std::array<std::optional<int>, FunctionGraph::SampleCount + 1> m_heights{};
};
