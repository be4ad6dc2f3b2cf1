#include "tools/statistics/distributionplots.h"

#include "ui/style.h"

#include <algorithm>
#include <cmath>

using namespace Ui;

namespace Statistics {

namespace {

// Bars stand this wide, with a gap between neighbours.
constexpr double BarWidth = 0.8;
// Samples of the shaded area's upper edge.
constexpr int CurveSamples = 400;

// The view over [left, right] and [0, top], with room below and left for the ticks' labels and
// above for the name of the y axis.
GraphView ViewOver(double left, double right, double top, QSize panel)
{
    const double room = (right - left) * 0.06;
    top = top > 0 ? top : 1;
    return GraphView(left - 2 * room, right + room, -top * 0.16, top * 1.25, panel.width(),
                     panel.height());
}

} // namespace

GraphPlot BarsPicture(const CountBars &bars, QSize panel)
{
    GraphPlot picture;
    double top = 0;
    for (std::size_t i = 0; i < bars.heights.size(); ++i) {
        const double k = double(bars.first + (long long)i);
        const double height = bars.heights[i];
        top = std::max(top, height);
        picture.shapes.push_back(
                {GraphShape::Bar,
                 {{k - BarWidth / 2, 0}, {k + BarWidth / 2, height}},
                 bars.Asks(bars.first + (long long)i) ? Palette::Accent : Palette::Indicator});
    }
    const double first = double(bars.first);
    const double last = first + double(std::max<std::size_t>(bars.heights.size(), 1)) - 1;
    picture.home = ViewOver(first - 1, last + 1, top, panel);
    picture.caption = bars.caption;
    picture.xName = QStringLiteral("k");
    picture.yName = QStringLiteral("P(X=k)");
    return picture;
}

GraphPlot EmptyPicture(const QString &caption, QSize panel)
{
    GraphPlot picture;
    picture.home = ViewOver(0, 10, 1, panel);
    picture.caption = caption;
    return picture;
}

double NormalDensity(const NormalQuestion &question, double x)
{
    const double deviation = question.deviation.ToDouble();
    const double z = (x - question.mean.ToDouble()) / deviation;
    return std::exp(-z * z / 2) / (deviation * std::sqrt(2 * M_PI));
}

GraphPlot BellPicture(const NormalQuestion &question, QSize panel)
{
    const double mean = question.mean.ToDouble();
    const double deviation = question.deviation.ToDouble();
    const double left = mean - 4 * deviation;
    const double right = mean + 4 * deviation;
    GraphPlot picture;
    // An open end, or one far out, stops at the edge of the view.
    const double from = question.from ? std::max(question.from->ToDouble(), left) : left;
    const double to = question.to ? std::min(question.to->ToDouble(), right) : right;
    if (question.probabilityAsked && from < to) {
        std::vector<QPointF> area{{from, 0}};
        for (int i = 0; i <= CurveSamples; ++i) {
            const double x = from + (to - from) * i / CurveSamples;
            area.emplace_back(x, NormalDensity(question, x));
        }
        area.emplace_back(to, 0);
        picture.shapes.push_back({GraphShape::Area, area, Palette::Accent});
    }
    picture.home = ViewOver(left, right, NormalDensity(question, mean), panel);
    const QString sigma = DistributionValue::Exact(question.deviation, true).ExactText();
    picture.caption = QStringLiteral("N(%1, %2²)")
                              .arg(DistributionValue::Exact(question.mean, true).ExactText(),
                                   sigma.contains(u'/') ? u'(' + sigma + u')' : sigma);
    picture.xName = QStringLiteral("x");
    picture.yName = QStringLiteral("f(x)");
    return picture;
}

} // namespace Statistics
