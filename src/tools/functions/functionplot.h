#pragma once

#include "eval/expression.h"
#include "tools/functions/functiongraphlogic.h"
#include "ui/keepgoing.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

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
    // Draws f on [a, b], which must be a drawable interval. `keepGoing` is asked before the
    // first sample and after each; drawing stops, returning false, as soon as it says no. The curve
    // is drawn in one piece once every sample is known.
    bool Draw(const Eval::PreparedFunction &f, double a, double b, int penWidth,
              const QColor &color, const Ui::KeepGoing &keepGoing);

private:
    void DrawAxes(const Functions::FunctionGraph::Scale &scale);
    bool SampleHeights(const Eval::PreparedFunction &f,
                       const Functions::FunctionGraph::Scale &scale,
                       const Ui::KeepGoing &keepGoing);
    void DrawCurve();
    // Above one device pixel per logical one, the curve is sampled and drawn per device pixel
    // with its exact heights; the joining rules stay those of the logical columns.
    bool SampleFineRows(const Eval::PreparedFunction &f,
                        const Functions::FunctionGraph::Scale &scale,
                        const Ui::KeepGoing &keepGoing);
    void DrawFineCurve();

    DrawingPanel *m_panel;
    std::array<std::optional<int>, Functions::FunctionGraph::SampleCount + 1> m_heights{};
    // Row and column of each device pixel column's sample.
    std::vector<std::pair<double, std::optional<double>>> m_fineRows;
};
