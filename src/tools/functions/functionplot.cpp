#include "tools/functions/functionplot.h"

#include "ui/drawingpanel.h"

#include <QColor>
#include <QLine>
#include <QList>

using namespace FunctionGraph;

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
                        const QColor &color, const std::function<bool()> &breathe)
{
    const Scale scale = ComputeScale(a, b);
    DrawAxes(scale);
    if (!SampleHeights(f, scale, breathe))
        return false;
    m_panel->SetPenWidth(qBound(0, penWidth, WidestPen));
    m_panel->SetPenColor(color);
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
                                 const std::function<bool()> &breathe)
{
    // Also before the first sample: the evaluation that checked the function may have been slow.
    if (!breathe())
        return false;
    const double step = scale.r / SampleCount;
    for (int i = 1; i <= SampleCount; ++i) {
        m_heights[i] = SampleHeight(f(SampleX(scale.a, step, i)), scale.r);
        if (!breathe())
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
