#include "tools/functions/functionplot.h"

#include "eval/valuesahead.h"
#include "ui/drawingpanel.h"

#include <QColor>
#include <QLine>
#include <QList>

#include <cmath>

using namespace Ui;
using namespace Eval;
using namespace Functions;
using namespace Functions::FunctionGraph;

namespace {

// Pen widths beyond the panel cover it anyway; capping them keeps drawing quick.
constexpr int WidestPen = PanelSize;

} // namespace

FunctionPlot::FunctionPlot(DrawingPanel *panel)
    : m_panel(panel)
{ }

void FunctionPlot::PreparePanel(bool keepPicture)
{
    if (!keepPicture)
        m_panel->Clear();
    m_panel->SetPenWidth(0);
    m_panel->SetPenColor(Qt::black);
}

bool FunctionPlot::Draw(const PreparedFunction &f, double a, double b, int penWidth,
                        const QColor &color, const KeepGoing &keepGoing)
{
    const Scale scale = ComputeScale(a, b);
    DrawAxes(scale);
    const bool fine = m_panel->devicePixelRatioF() > 1;
    if (!(fine ? SampleFineRows(f, scale, keepGoing) : SampleHeights(f, scale, keepGoing)))
        return false;
    m_panel->SetPenWidth(qBound(0, penWidth, WidestPen));
    m_panel->SetPenColor(color);
    if (fine)
        DrawFineCurve();
    else
        DrawCurve();
    return true;
}

void FunctionPlot::DrawAxes(const Scale &scale)
{
    // Once small, the labels stay small for every later drawing in this window.
    if (scale.wide)
        m_panel->SetLabelFontSize(7);
    const AxesPicture picture = AxesAndTicks(scale);
    for (const Line &line : picture.lines)
        m_panel->DrawLine(line.x1, line.y1, line.x2, line.y2);
    for (const Label &label : picture.labels)
        m_panel->WriteTextInside(label.x, label.y, label.value);
}

// A slow function takes seconds over all samples.
bool FunctionPlot::SampleHeights(const PreparedFunction &f, const Scale &scale,
                                 const KeepGoing &keepGoing)
{
    // Also before the first sample: the evaluation that checked the function may have been slow.
    if (!GoOn(keepGoing))
        return false;
    const double step = scale.r / SampleCount;
    ValuesAhead values(f, [&, i = 1](double &x) mutable {
        x = SampleX(scale.a, step, i);
        return i++ <= SampleCount;
    });
    double x;
    double value;
    for (int i = 1; values.Next(x, value); ++i) {
        m_heights[i] = SampleHeight(value, scale.r);
        if (!GoOn(keepGoing))
            return false;
    }
    return true;
}

void FunctionPlot::DrawCurve()
{
    QList<QLine> lines;
    lines.reserve(SampleCount);
    for (int i = 1; i <= SampleCount; ++i) {
        const std::optional<int> row = SampleRow(m_heights[i]);
        const std::optional<int> previous = i >= 2 ? SampleRow(m_heights[i - 1]) : std::nullopt;
        if (JoinsNeighbour(previous, row))
            lines.append(QLine(i, *row, i - 1, *previous));
    }
    m_panel->DrawLines(lines);
}

bool FunctionPlot::SampleFineRows(const PreparedFunction &f, const Scale &scale,
                                  const KeepGoing &keepGoing)
{
    m_fineRows.clear();
    if (!GoOn(keepGoing))
        return false;
    const double ratio = m_panel->devicePixelRatioF();
    const int count = int(std::lround(SampleCount * ratio));
    const double step = scale.r / count;
    const double columnsPerSample = double(PanelSize) / count;
    // Column 0, x = a, is not sampled.
    const int first = int(std::ceil(ratio));
    ValuesAhead values(f, [&, j = first](double &x) mutable {
        x = SampleX(scale.a, step, j);
        return j++ <= count;
    });
    double x;
    double value;
    for (int j = first; values.Next(x, value); ++j) {
        std::optional<double> row;
        if (value != UndefinedValue && std::isfinite(value))
            row = AxisRow - value * PanelSize / scale.r;
        m_fineRows.emplace_back(j * columnsPerSample, row);
        if (!GoOn(keepGoing))
            return false;
    }
    return true;
}

void FunctionPlot::DrawFineCurve()
{
    const auto onPanel
            = [](const std::optional<double> &row) { return row && *row > 0 && *row < PanelSize; };
    QList<QLineF> lines;
    for (std::size_t j = 1; j < m_fineRows.size(); ++j) {
        const auto &[x1, row1] = m_fineRows[j - 1];
        const auto &[x2, row2] = m_fineRows[j];
        if (onPanel(row1) && onPanel(row2))
            lines.append(QLineF(QPointF(x2, *row2), QPointF(x1, *row1)));
    }
    m_panel->DrawLines(lines);
}
