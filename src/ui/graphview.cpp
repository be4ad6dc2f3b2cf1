#include "ui/graphview.h"

#include <algorithm>
#include <cmath>

namespace Ui {

namespace {

// A span narrower than this many times the size of its ends would show rounding steps.
constexpr double SmallestRelativeSpan = 1e-11;
constexpr double SmallestSpan = 1e-200;
constexpr double LargestSpan = 1e200;
constexpr int MostTicks = 400;

// New ends of one axis after zooming by `factor` around the value at `fraction` of the span.
void ZoomAxis(double &low, double &high, double fraction, double factor)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return;
    const double fixed = low + fraction * (high - low);
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    const double smallest = std::max(SmallestSpan, magnitude * SmallestRelativeSpan);
    const double span = std::clamp((high - low) / factor, smallest, LargestSpan);
    low = fixed - fraction * span;
    high = low + span;
}

} // namespace

GraphView::GraphView(double left, double right, double bottom, double top, double width,
                     double height)
    : m_left(left)
    , m_right(right)
    , m_bottom(bottom)
    , m_top(top)
    , m_width(width)
    , m_height(height)
{ }

GraphView GraphView::ForInterval(double a, double b, double size)
{
    const double half = (b - a) / 2;
    return GraphView(a, b, -half, half, size, size);
}

double GraphView::Column(double x) const
{
    return (x - m_left) * ColumnsPerUnit();
}

double GraphView::Row(double y) const
{
    return (m_top - y) * RowsPerUnit();
}

double GraphView::XAt(double column) const
{
    return m_left + column / ColumnsPerUnit();
}

double GraphView::YAt(double row) const
{
    return m_top - row / RowsPerUnit();
}

void GraphView::ZoomAround(double column, double row, double factorX, double factorY)
{
    ZoomAxis(m_left, m_right, column / m_width, factorX);
    ZoomAxis(m_bottom, m_top, 1 - row / m_height, factorY);
}

void GraphView::Pan(double columns, double rows)
{
    const double dx = columns / ColumnsPerUnit();
    const double dy = rows / RowsPerUnit();
    if (!std::isfinite(m_left - dx) || !std::isfinite(m_right - dx) || !std::isfinite(m_bottom + dy)
        || !std::isfinite(m_top + dy))
        return;
    m_left -= dx;
    m_right -= dx;
    m_bottom += dy;
    m_top += dy;
}

void GraphView::MakeEqualScale()
{
    const double middle = (m_bottom + m_top) / 2;
    const double half = m_height / ColumnsPerUnit() / 2;
    m_bottom = middle - half;
    m_top = middle + half;
}

bool GraphView::IsEqualScale() const
{
    return std::fabs(ColumnsPerUnit() / RowsPerUnit() - 1) < 1e-9;
}

bool GraphView::operator==(const GraphView &other) const
{
    return m_left == other.m_left && m_right == other.m_right && m_bottom == other.m_bottom
            && m_top == other.m_top && m_width == other.m_width && m_height == other.m_height;
}

double RoundStep(double minimum)
{
    if (!(minimum > 0) || !std::isfinite(minimum))
        return minimum;
    const double power = std::pow(10.0, std::floor(std::log10(minimum)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
        // Tolerates the rounding of log10 and pow at exact powers of ten.
        if (mantissa * power >= minimum * (1 - 1e-12))
            return mantissa * power;
    }
    return 10 * power;
}

double TickStep(double low, double high, double pixels, double minimumSpacing,
                const std::function<double(double value)> &labelExtent, double gap)
{
    const double unitsPerPixel = (high - low) / pixels;
    double step = RoundStep(minimumSpacing * unitsPerPixel);
    // Wider labels need wider steps; a few rounds settle it, since labels hardly grow.
    for (int round = 0; round < 8 && std::isfinite(step) && step > 0; ++round) {
        double widest = 0;
        for (const double value : TickValues(low, high, step))
            widest = std::max(widest, labelExtent(value));
        if (widest + gap <= step / unitsPerPixel)
            break;
        step = RoundStep((widest + gap) * unitsPerPixel);
    }
    return step;
}

std::vector<double> TickValues(double low, double high, double step)
{
    std::vector<double> values;
    if (!(step > 0) || !std::isfinite(step) || !(high > low))
        return values;
    const double first = std::ceil(low / step);
    const double last = std::floor(high / step);
    if (!(last - first < MostTicks))
        return values;
    for (double k = first; k <= last; ++k) {
        // k × step rather than repeated addition: no drift, and 0 stays exactly 0.
        values.push_back(k * step);
    }
    return values;
}

} // namespace Ui
