#include "tools/statistics/datastatisticsplots.h"

#include "ui/style.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

using namespace Ui;

namespace Statistics {

namespace {

// Room around the data, as a share of its span.
constexpr double Margin = 0.08;
// The dots of a scatter plot are thinned on a grid of this many cells across and down.
constexpr int GridColumns = 240;
constexpr int GridRows = 125;

struct Span
{
    double low;
    double high;
};

// The span with room around it; a single value gets a unit around it.
Span Padded(double low, double high)
{
    const double room = high > low ? (high - low) * Margin : std::max(1.0, std::fabs(low) * 0.1);
    return {low - room, high + room};
}

GraphView ViewOf(Span x, Span y, QSize panel)
{
    return GraphView(x.low, x.high, y.low, y.high, panel.width(), panel.height());
}

// One point per occupied cell of a grid over the view, so that a million points draw as the
// few thousand dots a screen can tell apart.
std::vector<QPointF> Thinned(const std::vector<QPointF> &points, const GraphView &view)
{
    if (points.size() <= std::size_t(MaxDots))
        return points;
    std::unordered_set<long long> occupied;
    std::vector<QPointF> kept;
    for (const QPointF &point : points) {
        const long long column = std::llround(view.Column(point.x()) * GridColumns / view.width());
        const long long row = std::llround(view.Row(point.y()) * GridRows / view.height());
        if (occupied.insert(column * (GridRows + 1) + row).second)
            kept.push_back(point);
    }
    return kept;
}

// Room below and left of the dots for the ticks' labels along the edges.
Span RoomForLabels(Span span, double share)
{
    return {span.low - (span.high - span.low) * share, span.high};
}

PlotPicture DotsPicture(const std::vector<QPointF> &points, QSize panel, bool throughZero)
{
    Span x{points.front().x(), points.front().x()};
    Span y{throughZero ? 0.0 : points.front().y(), throughZero ? 0.0 : points.front().y()};
    for (const QPointF &point : points) {
        x = {std::min(x.low, point.x()), std::max(x.high, point.x())};
        y = {std::min(y.low, point.y()), std::max(y.high, point.y())};
    }
    PlotPicture picture;
    picture.home = ViewOf(RoomForLabels(Padded(x.low, x.high), 0.06),
                          RoomForLabels(Padded(y.low, y.high), 0.08), panel);
    picture.shapes.push_back({GraphShape::Dots, Thinned(points, picture.home), Palette::Accent});
    return picture;
}

} // namespace

PlotPicture HistogramPicture(const Histogram &histogram, QSize panel)
{
    PlotPicture picture;
    double top = 0;
    for (const HistogramGroup &group : histogram.groups) {
        picture.shapes.push_back(
                {GraphShape::Bar, {{group.from, 0}, {group.to, group.density}}, Palette::Accent});
        top = std::max(top, group.density);
    }
    const Span x = RoomForLabels(Padded(histogram.groups.front().from, histogram.groups.back().to),
                                 0.08);
    top = top > 0 ? top : 1;
    picture.home = ViewOf(x, {-top * 0.12, top * 1.25}, panel);
    picture.caption = QStringLiteral("频率分布直方图");
    picture.xName = QStringLiteral("数据");
    picture.yName = QStringLiteral("频率/组距");
    return picture;
}

PlotPicture BoxPlotPicture(const OneVariableFigures &f, QSize panel)
{
    const QColor color = Palette::Accent;
    PlotPicture picture;
    picture.shapes = {
            {GraphShape::Bar, {{f.percentile25, 0.35}, {f.percentile75, 0.65}}, color},
            {GraphShape::Line, {{f.median, 0.35}, {f.median, 0.65}}, color},
            {GraphShape::Line, {{f.minimum, 0.5}, {f.percentile25, 0.5}}, color},
            {GraphShape::Line, {{f.percentile75, 0.5}, {f.maximum, 0.5}}, color},
            {GraphShape::Line, {{f.minimum, 0.42}, {f.minimum, 0.58}}, color},
            {GraphShape::Line, {{f.maximum, 0.42}, {f.maximum, 0.58}}, color},
    };
    picture.home = ViewOf(Padded(f.minimum, f.maximum), {-0.1, 1}, panel);
    picture.caption = QStringLiteral("箱线图");
    picture.xName = QStringLiteral("数据");
    picture.yLabels = false;
    return picture;
}

PlotPicture ScatterPicture(const PairedData &data, QSize panel)
{
    std::vector<QPointF> points(data.x.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = {data.x[i].value(), data.y[i].value()};
    PlotPicture picture = DotsPicture(points, panel, false);
    picture.caption = QStringLiteral("散点图");
    picture.xName = QStringLiteral("x");
    picture.yName = QStringLiteral("y");
    return picture;
}

PlotPicture ResidualPicture(const PairedData &data, const ModelFit &fit, QSize panel)
{
    std::vector<QPointF> points(data.x.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = data.x[i].value();
        points[i] = {x, data.y[i].value() - fit.At(x)};
    }
    PlotPicture picture = DotsPicture(points, panel, true);
    picture.caption = QStringLiteral("残差图（") + ModelName(fit.model) + QStringLiteral("）");
    picture.xName = QStringLiteral("x");
    picture.yName = QStringLiteral("残差");
    return picture;
}

} // namespace Statistics
