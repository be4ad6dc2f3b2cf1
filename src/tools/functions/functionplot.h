#pragma once

#include "eval/expression.h"
#include "tools/functions/functiongraphlogic.h"

#include <array>
#include <functional>
#include <optional>

class DrawingPanel;
class QColor;

// The graph of a function of x on the drawing panel: axes, ticks and labels, then the curve
// through 500 samples, joined only between defined neighbours on the panel. The pen of the
// curve is the panel's: a redraw started while the curve is being drawn leaves its pen for
// the rest of the interrupted drawing too.
class FunctionPlot
{
public:
    explicit FunctionPlot(DrawingPanel *panel);

    // Clears the panel (unless the picture is kept) and takes the thin black pen of the axes.
    void PreparePanel(bool keepPicture);
    // Draws f on [a, b], which must be a drawable interval. `keepGoing` runs after each
    // column of the curve; drawing stops, returning false, as soon as it says so.
    bool Draw(const PreparedFunction &f, double a, double b, int penWidth, const QColor &color,
              const std::function<bool()> &keepGoing);

private:
    void DrawAxes(const FunctionGraph::Scale &scale);
    void SampleHeights(const PreparedFunction &f, const FunctionGraph::Scale &scale);
    bool DrawCurve(const std::function<bool()> &keepGoing);

    DrawingPanel *m_panel;
    std::array<std::optional<int>, FunctionGraph::SampleCount + 1> m_heights{};
};
