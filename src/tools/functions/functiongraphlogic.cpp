#include "tools/functions/functiongraphlogic.h"

#include "eval/expression.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <cmath>
#include <limits>

using namespace Eval;

namespace Functions::FunctionGraph {

namespace {

// Columns this far out draw nothing on the panel; keeping them there spares the pixel
// arithmetic from overflowing for intervals far from 0.
constexpr int FarColumn = 1000000;

int ClampedColumn(double column)
{
    return int(qBound(-double(FarColumn), std::trunc(column), double(FarColumn)));
}

void AddVerticalAxisTicks(const Scale &s, AxesPicture &picture)
{
    const int x0 = s.originColumn;
    for (int i = 1; i <= s.tickCount; ++i) {
        const int offset = i * s.spacing;
        const double v = i * s.unit;
        picture.lines.push_back({x0, AxisRow - offset, x0 + 10, AxisRow - offset});
        picture.lines.push_back({x0, AxisRow + offset, x0 + 10, AxisRow + offset});
        picture.labels.push_back({x0 + 15, AxisRow - offset - 5, v});
        picture.labels.push_back({x0 + 15, AxisRow + offset - 5, -v});
    }
}

void AddHorizontalAxisTicks(const Scale &s, AxesPicture &picture)
{
    const int x0 = s.originColumn;
    int stagger = 0;
    for (int i = 1; i <= s.tickCount; ++i) {
        const int offset = i * s.spacing;
        const double v = i * s.unit;
        picture.lines.push_back({x0 - offset, 240, x0 - offset, AxisRow});
        picture.lines.push_back({x0 + offset, 240, x0 + offset, AxisRow});
        picture.labels.push_back({x0 - offset - 4, 225 + stagger, -v});
        picture.labels.push_back({x0 + offset - 4, 225 + stagger, v});
        if (s.wide)
            stagger = stagger == 0 ? 7 : 0;
    }
}

} // namespace

bool IsDrawableInterval(double a, double b)
{
    return a - b < -1e-7 && (b - a) - 1000 <= 1e-7;
}

Outcome<Interval> ReadRunInterval(const QString &start, const QString &end)
{
    const Interval interval{TextToNumber(start), TextToNumber(end)};
    if (interval.a - interval.b >= -1e-7)
        return Refuse(QStringLiteral("区间输入错误，请重新输入！"));
    if ((interval.b - interval.a) - 1000 > 1e-7)
        return Refuse(QStringLiteral("区间的大小不能大于1000！"));
    return interval;
}

int ReadPenWidth(const QString &thickness)
{
    return TextToInteger(TextToNumber(thickness));
}

Scale ComputeScale(double a, double b)
{
    Scale s;
    s.a = a;
    s.b = b;
    s.r = b - a;
    s.k = IntegerPart(std::log(s.r) / std::log(10.0));
    s.unit = std::pow(double(s.k), 3);
    s.spacing = TextToInteger(s.unit / s.r * PanelSize);
    s.originColumn = ClampedColumn(IntegerPart((0 - a) / s.r * PanelSize));
    s.tickCount = s.spacing > 0 ? IntegerPart(double(PanelSize) / s.spacing) : 0;
    s.wide = s.r - WideInterval > 1e-7;
    return s;
}

AxesPicture AxesAndTicks(const Scale &scale)
{
    AxesPicture picture;
    picture.lines.push_back({0, AxisRow, PanelSize, AxisRow});
    picture.lines.push_back({scale.originColumn, 0, scale.originColumn, PanelSize});
    AddVerticalAxisTicks(scale, picture);
    AddHorizontalAxisTicks(scale, picture);
    return picture;
}

double SampleX(double a, double step, int i)
{
    return a + i * step;
}

std::optional<int> SampleHeight(double value, double r)
{
    if (value == UndefinedValue || !std::isfinite(value))
        return std::nullopt;
    const double height = value * 200 / r;
    // IntegerPart may round up by one, so stay one short of the limits.
    if (!(std::fabs(height) < double(std::numeric_limits<qint32>::max()) - 1))
        return std::nullopt;
    return IntegerPart(height);
}

std::optional<int> SampleRow(std::optional<int> height)
{
    if (!height)
        return std::nullopt;
    const double row = 250 - 2.5 * *height;
    // Rows this far out are off the panel either way; keep them in the integer range.
    return IntegerPart(qBound(-double(FarColumn), row, double(FarColumn)));
}

bool IsOnPanel(std::optional<int> row)
{
    return row && *row > 0 && *row < PanelSize;
}

bool JoinsNeighbour(std::optional<int> previousRow, std::optional<int> row)
{
    return IsOnPanel(previousRow) && IsOnPanel(row);
}

} // namespace Functions::FunctionGraph
